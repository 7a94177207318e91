#include "LiveTaskQuery.h"
#include "SqliteConnection.h"
#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

qint64 rowCount(StoreFixture &fixture, const char *table)
{
    const QByteArray sql = QByteArray("SELECT count(*) FROM ") + table;
    return fixture.container->connection().queryInt(sql.constData());
}

} // namespace

class TestTaskStore : public QObject
{
    Q_OBJECT

private slots:
    void startsPendingWithNothingSelected();
    void positionsFollowTheHighestTask();
    void positionsSurviveARestart();
    void newTasksGoToTheSelectedWorkspace();
    void blankTitlesAreIgnored();
    void titlesAreStoredTrimmed();
    void completingCompletesSubtasksButReopeningKeepsThem();
    void filterAndSearch_data();
    void filterAndSearch();
    void deletingCascadesToSubtasks();
    void reloadKeepsRecordsAndIdentity();
    void deletedRecordsAreNeverTouchedAgain();
    void failedSaveIsReportedAndRetried();
    void savedTasksSurviveAKilledProcess();
    void liveQueryFollowsEveryOperation();
};

void TestTaskStore::startsPendingWithNothingSelected()
{
    StoreFixture fixture;
    QCOMPARE(fixture.store->activeFilter(), TaskFilter::Pending);
    QVERIFY(fixture.store->selectedWorkspace().isEmpty());
    QVERIFY(fixture.store->searchText().isEmpty());
}

void TestTaskStore::positionsFollowTheHighestTask()
{
    StoreFixture fixture;
    QList<TaskItem *> tasks;
    for (int i = 0; i < 6; ++i)
        tasks.append(fixture.store->addTask(QStringLiteral("Task %1").arg(i)));
    QCOMPARE(tasks.first()->sortOrder(), 0);
    // Leave 0, 1 and 5.
    for (int i : {2, 3, 4})
        fixture.store->deleteTask(tasks[i]);
    fixture.store->setSelectedWorkspace(QStringLiteral("Work"));
    QCOMPARE(fixture.store->addTask(QStringLiteral("Next"))->sortOrder(), 6);
    // Deleting the highest one frees its position.
    fixture.store->deleteTask(fixture.allTasks().constLast());
    QCOMPARE(fixture.store->addTask(QStringLiteral("After"))->sortOrder(), 6);
}

void TestTaskStore::positionsSurviveARestart()
{
    StoreFixture fixture;
    for (int i = 0; i < 3; ++i)
        fixture.store->addTask(QStringLiteral("Task %1").arg(i));
    fixture.reopen();
    // Before anything is loaded, the position comes from the index alone.
    QCOMPARE(fixture.store->addTask(QStringLiteral("After restart"))->sortOrder(), 3);
    fixture.reopen();
    fixture.store->deleteTask(
        fixture.context()->fetchTasks({TaskFetchDescriptor::Sort::SortOrderDescending, 1}).constFirst());
    QCOMPARE(fixture.store->addTask(QStringLiteral("Replaces"))->sortOrder(), 3);
}

void TestTaskStore::newTasksGoToTheSelectedWorkspace()
{
    StoreFixture fixture;
    QCOMPARE(fixture.store->addTask(QStringLiteral("Home task"))->workspace(), QStringLiteral("Personal"));
    fixture.store->setSelectedWorkspace(QStringLiteral("Work"));
    QCOMPARE(fixture.store->addTask(QStringLiteral("Work task"))->workspace(), QStringLiteral("Work"));
}

void TestTaskStore::blankTitlesAreIgnored()
{
    StoreFixture fixture;
    QCOMPARE(fixture.store->addTask(QStringLiteral(" \n\t \r\n")), nullptr);
    QCOMPARE(fixture.store->addTask(QString()), nullptr);
    QCOMPARE(rowCount(fixture, "TaskItem"), 0);
    QVERIFY(fixture.allTasks().isEmpty());

    TaskItem *task = fixture.store->addTask(QStringLiteral("Keep me"));
    QSignalSpy saves(fixture.context(), &ModelContext::changed);
    fixture.store->updateTask(task, QStringLiteral("   \n"));
    QCOMPARE(task->title(), QStringLiteral("Keep me"));
    QCOMPARE(saves.count(), 0);
}

void TestTaskStore::titlesAreStoredTrimmed()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("  Buy milk \n"));
    QCOMPARE(task->title(), QStringLiteral("Buy milk"));
    QCOMPARE(task->notes(), QString());
    QVERIFY(!task->isCompleted());
    QVERIFY(qAbs(task->createdAt().secsTo(QDateTime::currentDateTimeUtc())) < 60);
    fixture.store->updateTask(task, QStringLiteral("\tBuy oat milk  "));
    QCOMPARE(task->title(), QStringLiteral("Buy oat milk"));
    fixture.reopen();
    QCOMPARE(fixture.allTasks().constFirst()->title(), QStringLiteral("Buy oat milk"));
}

void TestTaskStore::completingCompletesSubtasksButReopeningKeepsThem()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Pack"));
    SubTaskItem *first = fixture.store->addSubtask(task, QStringLiteral("Shoes"));
    SubTaskItem *second = fixture.store->addSubtask(task, QStringLiteral("Socks"));
    fixture.store->toggleTask(task);
    QVERIFY(task->isCompleted());
    QVERIFY(first->isCompleted() && second->isCompleted());
    fixture.store->toggleTask(task);
    QVERIFY(!task->isCompleted());
    QVERIFY(first->isCompleted() && second->isCompleted());

    fixture.reopen();
    const TaskItem *reloaded = fixture.allTasks().constFirst();
    QVERIFY(!reloaded->isCompleted());
    QVERIFY(reloaded->allSubtasksCompleted());
}

void TestTaskStore::filterAndSearch_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("workspace");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("expected");

    const int all = int(TaskFilter::All), pending = int(TaskFilter::Pending), done = int(TaskFilter::Done);
    QTest::newRow("pending, no search") << pending << ""
                                        << "" << QStringList{"Buy milk", "Call mom", "Notes only", "Report"};
    QTest::newRow("done, no search") << done << ""
                                     << "" << QStringList{"Milk the cow"};
    QTest::newRow("all keeps input order")
        << all << ""
        << "" << QStringList{"Buy milk", "Call mom", "Milk the cow", "Notes only", "Report"};
    QTest::newRow("capitals and blanks") << all << ""
                                         << "  MILK \n"
                                         << QStringList{"Buy milk", "Milk the cow"};
    QTest::newRow("pending hides a completed match") << pending << ""
                                                     << "milk" << QStringList{"Buy milk"};
    QTest::newRow("subtask title matches") << pending << ""
                                           << "FLOWERS" << QStringList{"Call mom"};
    QTest::newRow("notes are not searched") << all << ""
                                            << "secret" << QStringList{};
    QTest::newRow("workspace is not searched") << all << ""
                                               << "work" << QStringList{};
    QTest::newRow("selected workspace") << all << "Work"
                                        << "" << QStringList{"Report"};
    QTest::newRow("workspace is case-sensitive") << all << "work"
                                                 << "" << QStringList{};
    QTest::newRow("unused workspace") << all << "Garden"
                                      << "" << QStringList{};
    QTest::newRow("blank search is no search") << done << ""
                                               << "   " << QStringList{"Milk the cow"};
}

void TestTaskStore::filterAndSearch()
{
    QFETCH(int, filter);
    QFETCH(QString, workspace);
    QFETCH(QString, search);
    QFETCH(QStringList, expected);

    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    store.addTask(QStringLiteral("Buy milk"));
    TaskItem *call = store.addTask(QStringLiteral("Call mom"));
    store.addSubtask(call, QStringLiteral("Buy Flowers"));
    store.toggleTask(store.addTask(QStringLiteral("Milk the cow")));
    auto *withNotes = new TaskItem(QUuid::createUuid(), QStringLiteral("Notes only"), false,
                                   QDateTime::currentDateTimeUtc(), QStringLiteral("secret"), 3,
                                   QStringLiteral("Personal"));
    fixture.context()->insert(withNotes);
    store.setSelectedWorkspace(QStringLiteral("Work"));
    store.addTask(QStringLiteral("Report"));

    store.setSelectedWorkspace(workspace);
    store.setActiveFilter(TaskFilter(filter));
    store.setSearchText(search);
    QCOMPARE(titlesOf(store.filtered(fixture.allTasks())), expected);
}

void TestTaskStore::deletingCascadesToSubtasks()
{
    StoreFixture fixture;
    TaskItem *doomed = fixture.store->addTask(QStringLiteral("Doomed"));
    TaskItem *kept = fixture.store->addTask(QStringLiteral("Kept"));
    fixture.store->addSubtask(doomed, QStringLiteral("a"));
    fixture.store->addSubtask(doomed, QStringLiteral("b"));
    fixture.store->addSubtask(kept, QStringLiteral("c"));
    QCOMPARE(rowCount(fixture, "SubTaskItem"), 3);

    fixture.store->deleteTask(doomed);
    QCOMPARE(rowCount(fixture, "TaskItem"), 1);
    QCOMPARE(rowCount(fixture, "SubTaskItem"), 1);
    fixture.reopen();
    const QList<TaskItem *> tasks = fixture.allTasks();
    QCOMPARE(titlesOf(tasks), QStringList{"Kept"});
    QCOMPARE(tasks.constFirst()->subtasks().size(), 1);
}

void TestTaskStore::reloadKeepsRecordsAndIdentity()
{
    StoreFixture fixture;
    TaskItem *first = fixture.store->addTask(QStringLiteral("First"));
    fixture.store->addTask(QStringLiteral("Second"));
    fixture.store->toggleTask(first);
    const QUuid id = first->id();
    const QDateTime created = first->createdAt();

    fixture.reopen();
    const QList<TaskItem *> once = fixture.allTasks();
    QCOMPARE(once, fixture.allTasks()); // the same objects, fetch after fetch
    QCOMPARE(titlesOf(once), (QStringList{"First", "Second"}));
    QCOMPARE(once[0]->id(), id);
    QCOMPARE(once[0]->createdAt(), created);
    QVERIFY(once[0]->isCompleted());
    QCOMPARE(once[0]->workspace(), QStringLiteral("Personal"));
    // The record found through the position index is the one already loaded.
    QCOMPARE(fixture.context()->fetchTasks({TaskFetchDescriptor::Sort::SortOrderDescending, 1}).constFirst(),
             once[1]);
}

void TestTaskStore::deletedRecordsAreNeverTouchedAgain()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Gone soon"));
    SubTaskItem *subtask = fixture.store->addSubtask(task, QStringLiteral("Part"));
    QPointer<TaskItem> watch(task);
    fixture.store->deleteTask(task);

    // A late callback still holding the records (before the event loop ran).
    CapturedLines lines;
    fixture.store->toggleTask(task);
    fixture.store->updateTask(task, QStringLiteral("Back"));
    fixture.store->deleteTask(task);
    fixture.store->toggleSubtask(subtask);
    fixture.store->addSubtask(task, QStringLiteral("More"));
    fixture.store->toggleTask(nullptr);
    QVERIFY(lines.lines().isEmpty());
    QVERIFY(!fixture.context()->hasChanges());
    QCOMPARE(rowCount(fixture, "TaskItem"), 0);
    QCOMPARE(rowCount(fixture, "SubTaskItem"), 0);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
}

void TestTaskStore::failedSaveIsReportedAndRetried()
{
    StoreFixture fixture;
    CapturedLines lines;
    fixture.container->connection().execute("PRAGMA query_only = 1");
    TaskItem *task = fixture.store->addTask(QStringLiteral("Unsaved"));
    QVERIFY(task);
    QCOMPARE(lines.lines().size(), 1);
    QVERIFY(lines.lines().constFirst().startsWith(QStringLiteral("Ordlen: SwiftData save error — ")));
    QVERIFY(lines.lines().constFirst().contains(QStringLiteral("readonly")));
    // The change stays in the context, visible to the panel.
    QCOMPARE(fixture.allTasks(), QList<TaskItem *>{task});
    QVERIFY(fixture.context()->hasChanges());

    fixture.container->connection().execute("PRAGMA query_only = 0");
    fixture.store->addTask(QStringLiteral("Second"));
    QCOMPARE(lines.lines().size(), 1);
    QVERIFY(!fixture.context()->hasChanges());
    fixture.reopen();
    QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Unsaved", "Second"}));
}

void TestTaskStore::savedTasksSurviveAKilledProcess()
{
    StoreFixture fixture;
    fixture.store.reset();
    fixture.container.reset();

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        auto container = ModelContainer::open(ModelConfiguration::onDisk(fixture.storePath()));
        TaskStore store(container->mainContext(), &fixture.preferences);
        store.addTask(QStringLiteral("Written before the crash"));
        ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));

    fixture.reopen();
    QCOMPARE(titlesOf(fixture.allTasks()), QStringList{"Written before the crash"});
}

void TestTaskStore::liveQueryFollowsEveryOperation()
{
    StoreFixture fixture;
    LiveTaskQuery query(fixture.context());
    QSignalSpy delivered(&query, &LiveTaskQuery::tasksChanged);
    TaskItem *first = fixture.store->addTask(QStringLiteral("One"));
    TaskItem *second = fixture.store->addTask(QStringLiteral("Two"));
    QCOMPARE(query.tasks(), (QList<TaskItem *>{first, second}));

    delivered.clear();
    fixture.store->toggleTask(first);
    QVERIFY(delivered.count() >= 1);
    delivered.clear();
    fixture.store->deleteTask(first);
    QVERIFY(delivered.count() >= 1);
    QCOMPARE(query.tasks(), QList<TaskItem *>{second});
}

QTEST_GUILESS_MAIN(TestTaskStore)
#include "tst_taskstore.moc"
