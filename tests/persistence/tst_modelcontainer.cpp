#include "ModelContainer.h"
#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"

#include <QFileInfo>
#include <QTest>

class TestModelContainer : public QObject
{
    Q_OBJECT

private slots:
    void fileIsMarkedAndConfigured();
    void newStoreFileIsPrivate();
    void inMemoryStoreWorks();
    void missingFolderFailsWithReadableText();
    void unsavedChangesTakePartInFetches();
    void failedSaveKeepsEverythingPending();
};

void TestModelContainer::fileIsMarkedAndConfigured()
{
    StoreFixture fixture;
    SqliteConnection &db = fixture.container->connection();
    QCOMPARE(db.queryInt("PRAGMA application_id"), qint64(0x4F52444C));
    QCOMPARE(db.queryInt("PRAGMA user_version"), qint64(10000));
    QCOMPARE(db.queryText("PRAGMA journal_mode"), QStringLiteral("wal"));
    QCOMPARE(db.queryInt("PRAGMA synchronous"), qint64(2)); // FULL
    QCOMPARE(db.queryInt("PRAGMA foreign_keys"), qint64(1));
    // The next position is answered by the index, not by a scan.
    SqliteStatement plan =
        db.prepare("EXPLAIN QUERY PLAN SELECT pk FROM TaskItem ORDER BY sortOrder DESC LIMIT 1");
    QVERIFY(plan.step());
    QVERIFY2(plan.textAt(3).contains(QStringLiteral("TaskItem_sortOrder")), qPrintable(plan.textAt(3)));
}

void TestModelContainer::newStoreFileIsPrivate()
{
    StoreFixture fixture;
    fixture.store->addTask(QStringLiteral("Secret"));
    const QFile::Permissions permissions = QFileInfo(fixture.storePath()).permissions();
    QVERIFY(permissions & QFile::ReadOwner);
    QVERIFY(!(permissions & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther)));
    const QString wal = fixture.storePath() + QStringLiteral("-wal");
    if (QFileInfo::exists(wal))
        QVERIFY(!(QFileInfo(wal).permissions() & (QFile::ReadGroup | QFile::ReadOther)));
}

void TestModelContainer::inMemoryStoreWorks()
{
    auto container = ModelContainer::open(ModelConfiguration::inMemory());
    QVERIFY(container->configuration().isStoredInMemoryOnly);
    Preferences preferences(QStringLiteral("/nonexistent/never-written.conf"));
    TaskStore store(container->mainContext(), &preferences);
    TaskItem *task = store.addTask(QStringLiteral("Only for now"));
    store.addSubtask(task, QStringLiteral("Step"));
    QCOMPARE(container->mainContext()->fetchTasks(), QList<TaskItem *>{task});
    QVERIFY(!container->mainContext()->hasChanges());
}

void TestModelContainer::missingFolderFailsWithReadableText()
{
    try {
        ModelContainer::open(
            ModelConfiguration::onDisk(QStringLiteral("/nonexistent/folder/OrdlenStore.sqlite")));
        QFAIL("opening a store in a missing folder succeeded");
    } catch (const StoreError &error) {
        QVERIFY(!error.description().isEmpty());
    }
}

void TestModelContainer::unsavedChangesTakePartInFetches()
{
    StoreFixture fixture;
    for (int i = 0; i < 3; ++i)
        fixture.store->addTask(QStringLiteral("Stored %1").arg(i));
    fixture.reopen();
    ModelContext *context = fixture.context();
    const TaskFetchDescriptor highest{TaskFetchDescriptor::Sort::SortOrderDescending, 1};

    // Nothing loaded yet: a pending delete of the highest row is skipped...
    TaskItem *top = context->fetchTasks(highest).constFirst();
    QCOMPARE(top->sortOrder(), 2);
    context->deleteRecord(top);
    QCOMPARE(context->fetchTasks(highest).constFirst()->sortOrder(), 1);
    // ...and a pending insert counts.
    auto *pending = new TaskItem(QUuid::createUuid(), QStringLiteral("Pending"), false, {}, {}, 9, {});
    context->insert(pending);
    QCOMPARE(context->fetchTasks(highest).constFirst(), pending);

    const QList<TaskItem *> all = context->fetchTasks({TaskFetchDescriptor::Sort::SortOrderAscending, {}});
    QCOMPARE(all.size(), 3);
    QCOMPARE(all.constLast(), pending);
    QVERIFY(!all.contains(top));
}

void TestModelContainer::failedSaveKeepsEverythingPending()
{
    StoreFixture fixture;
    TaskItem *kept = fixture.store->addTask(QStringLiteral("Kept"));
    TaskItem *removed = fixture.store->addTask(QStringLiteral("Removed"));
    ModelContext *context = fixture.context();
    fixture.container->connection().execute("PRAGMA query_only = 1");

    auto *task =
        new TaskItem(QUuid::createUuid(), QStringLiteral("New"), false, {}, {}, 5, QStringLiteral("P"));
    context->insert(task);
    auto *subtask = new SubTaskItem(QUuid::createUuid(), QStringLiteral("Step"), false, {}, 0);
    task->appendSubtask(subtask);
    context->insert(subtask);
    kept->setTitle(QStringLiteral("Renamed"));
    context->deleteRecord(removed);
    QVERIFY_THROWS_EXCEPTION(StoreError, context->save());
    QVERIFY_THROWS_EXCEPTION(StoreError, context->save());
    QVERIFY(context->hasChanges());

    fixture.container->connection().execute("PRAGMA query_only = 0");
    context->save();
    QVERIFY(!context->hasChanges());
    fixture.reopen();
    const QList<TaskItem *> tasks = fixture.allTasks();
    QCOMPARE(tasks.size(), 2);
    QCOMPARE(tasks[0]->title(), QStringLiteral("Renamed"));
    QCOMPARE(tasks[1]->title(), QStringLiteral("New"));
    QCOMPARE(tasks[1]->subtasks().size(), 1);
}

QTEST_GUILESS_MAIN(TestModelContainer)
#include "tst_modelcontainer.moc"
