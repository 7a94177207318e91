#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <functional>

class TestTaskStore : public QObject
{
    Q_OBJECT

private slots:
    void positions();
    void positionAtTheEndOfTheRange();
    void filterAndSearch_data();
    void filterAndSearch();
    void restartKeepsRecordsAndCascades();
    void deletedRecordsAreNeverTouchedAgain();
    void passingFailureIsKeptAndRetried();
    void refusedChangeIsDroppedAndLaterSavesWork_data();
    void refusedChangeIsDroppedAndLaterSavesWork();
};

void TestTaskStore::positions()
{
    StoreFixture fixture;
    QList<TaskItem *> tasks;
    for (int i = 0; i < 6; ++i)
        tasks.append(fixture.store->addTask(QStringLiteral("Task %1").arg(i)));
    QCOMPARE(tasks.first()->sortOrder(), 0);
    for (int i : {2, 3, 4})
        fixture.store->deleteTask(tasks[i]);
    fixture.store->setSelectedWorkspace(QStringLiteral("Work"));
    QCOMPARE(fixture.store->addTask(QStringLiteral(" \n\t ")), nullptr);
    TaskItem *next = fixture.store->addTask(QStringLiteral("  Next \n"));
    QCOMPARE(next->title(), QStringLiteral("Next"));
    QCOMPARE(next->sortOrder(), 6);
    fixture.store->updateTask(next, QStringLiteral(" \n"));
    QCOMPARE(next->title(), QStringLiteral("Next"));
    // Deleting the highest one frees its position, also across a restart.
    fixture.store->deleteTask(fixture.allTasks().constLast());
    fixture.reopen();
    QCOMPARE(fixture.store->addTask(QStringLiteral("After"))->sortOrder(), 6);
    QCOMPARE(fixture.allTasks().constLast()->workspace(), QStringLiteral("Personal"));
}

void TestTaskStore::positionAtTheEndOfTheRange()
{
    // Written by another tool: the largest position and a row id far beyond
    // the number of rows.
    StoreFixture fixture;
    fixture.writeBehindTheStoresBack("INSERT INTO TaskItem VALUES (1000000000000, x'00', 'Last', 0, 0, '', "
                                     "9223372036854775807, 'Personal')");
    fixture.reopen();
    TaskItem *added = fixture.store->addTask(QStringLiteral("After the last"));
    QCOMPARE(added->sortOrder(), std::numeric_limits<qint64>::max());
    fixture.reopen();
    QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Last", "After the last"}));
}

void TestTaskStore::filterAndSearch_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("workspace");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("expected");

    const int all = int(TaskFilter::All), pending = int(TaskFilter::Pending), done = int(TaskFilter::Done);
    QTest::newRow("pending") << pending << ""
                             << "" << QStringList{"Buy milk", "Call mom", "Notes only", "Report"};
    const QString kelvin = QStringLiteral("Ärger bei 20 \u212A"); // the Kelvin sign lower-cases to "k"
    QTest::newRow("done") << done << ""
                          << "" << QStringList{"Milk the cow", kelvin};
    QTest::newRow("letters beyond ASCII") << all << ""
                                          << "äRGER" << QStringList{kelvin};
    QTest::newRow("a sign that lower-cases to ASCII") << all << ""
                                                      << "20 k" << QStringList{kelvin};
    QTest::newRow("capitals and blanks") << all << ""
                                         << "  MILK \n"
                                         << QStringList{"Buy milk", "Milk the cow"};
    QTest::newRow("pending hides a done match") << pending << ""
                                                << "milk" << QStringList{"Buy milk"};
    QTest::newRow("subtask title matches") << pending << ""
                                           << "FLOWERS" << QStringList{"Call mom"};
    QTest::newRow("notes are not searched") << all << ""
                                            << "secret" << QStringList{};
    QTest::newRow("selected workspace") << all << "Work"
                                        << "" << QStringList{"Report"};
    QTest::newRow("blank search is no search") << done << ""
                                               << "   " << QStringList{"Milk the cow", kelvin};
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
    store.addSubtask(store.addTask(QStringLiteral("Call mom")), QStringLiteral("Buy Flowers"));
    store.toggleTask(store.addTask(QStringLiteral("Milk the cow")));
    fixture.context()->insert(new TaskItem(QUuid::createUuid(), QStringLiteral("Notes only"), false, {},
                                           QStringLiteral("secret"), 3, QStringLiteral("Personal")));
    fixture.context()->insert(new TaskItem(QUuid::createUuid(), QStringLiteral("Ärger bei 20 \u212A"), true,
                                           {}, {}, 9, QStringLiteral("Home")));
    store.setSelectedWorkspace(QStringLiteral("Work"));
    store.addTask(QStringLiteral("Report"));

    store.setSelectedWorkspace(workspace);
    store.setActiveFilter(TaskFilter(filter));
    store.setSearchText(search);
    QCOMPARE(titlesOf(store.filtered(fixture.allTasks())), expected);
}

void TestTaskStore::restartKeepsRecordsAndCascades()
{
    StoreFixture fixture;
    TaskItem *doomed = fixture.store->addTask(QStringLiteral("Doomed"));
    TaskItem *kept = fixture.store->addTask(QStringLiteral("Kept"));
    fixture.store->addSubtask(doomed, QStringLiteral("a"));
    fixture.store->addSubtask(kept, QStringLiteral("c"));
    fixture.store->toggleTask(kept);
    const QUuid id = kept->id();
    const QDateTime created = kept->createdAt();
    fixture.store->deleteTask(doomed);
    QCOMPARE(fixture.count("SELECT count(*) FROM SubTaskItem"), 1);

    fixture.reopen();
    const QList<TaskItem *> tasks = fixture.allTasks();
    QCOMPARE(tasks, fixture.allTasks()); // one object per record
    QCOMPARE(titlesOf(tasks), QStringList{"Kept"});
    QCOMPARE(tasks[0]->id(), id);
    QCOMPARE(tasks[0]->createdAt(), created);
    QVERIFY(tasks[0]->isCompleted());
    QCOMPARE(titlesOf(tasks[0]->subtasks()), QStringList{"c"});
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
    QCOMPARE(fixture.count("SELECT count(*) FROM TaskItem"), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
}

void TestTaskStore::passingFailureIsKeptAndRetried()
{
    StoreFixture fixture;
    TaskItem *kept = fixture.store->addTask(QStringLiteral("Kept"));
    TaskItem *removed = fixture.store->addTask(QStringLiteral("Removed"));
    CapturedLines lines;
    fixture.container->connection().execute("PRAGMA query_only = 1");
    TaskItem *task = fixture.store->addTask(QStringLiteral("Unsaved"));
    fixture.store->addSubtask(task, QStringLiteral("Step"));
    fixture.store->updateTask(kept, QStringLiteral("Renamed"));
    fixture.store->deleteTask(removed);
    QCOMPARE(lines.lines().size(), 4);
    QVERIFY(lines.lines().constFirst().startsWith(QStringLiteral("Ordlen: SwiftData save error — ")));
    QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Renamed", "Unsaved"})); // still shown

    // Nothing else happens: the store tries again by itself.
    fixture.store->setSaveRetryInterval(10);
    fixture.container->connection().execute("PRAGMA query_only = 0");
    QTRY_VERIFY(!fixture.context()->hasChanges());
    fixture.reopen();
    QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Renamed", "Unsaved"}));
    QCOMPARE(titlesOf(fixture.allTasks().constLast()->subtasks()), QStringList{"Step"});
}

using Change = std::function<void(TaskStore &, TaskItem *, SubTaskItem *)>;
Q_DECLARE_METATYPE(Change)

void TestTaskStore::refusedChangeIsDroppedAndLaterSavesWork_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("retitle") << Change(
        [](TaskStore &s, TaskItem *t, SubTaskItem *) { s.updateTask(t, "Renamed"); });
    QTest::newRow("tick") << Change([](TaskStore &s, TaskItem *t, SubTaskItem *) { s.toggleTask(t); });
    QTest::newRow("add a subtask") << Change(
        [](TaskStore &s, TaskItem *t, SubTaskItem *) { s.addSubtask(t, "More"); });
    QTest::newRow("tick a subtask") << Change(
        [](TaskStore &s, TaskItem *, SubTaskItem *st) { s.toggleSubtask(st); });
}

void TestTaskStore::refusedChangeIsDroppedAndLaterSavesWork()
{
    QFETCH(Change, change);
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Deleted elsewhere"));
    SubTaskItem *subtask = fixture.store->addSubtask(task, QStringLiteral("Step"));
    fixture.store->addTask(QStringLiteral("Stays"));
    fixture.writeBehindTheStoresBack(
        "PRAGMA foreign_keys = ON; DELETE FROM TaskItem WHERE title = 'Deleted elsewhere'");

    CapturedLines lines;
    change(*fixture.store, task, subtask);
    QCOMPARE(lines.lines().size(), 1);
    QCOMPARE(titlesOf(fixture.allTasks()), QStringList{"Stays"});
    QVERIFY(!fixture.context()->hasChanges());

    fixture.store->addTask(QStringLiteral("Later"));
    QCOMPARE(lines.lines().size(), 1);
    fixture.reopen();
    QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Stays", "Later"}));
}

QTEST_GUILESS_MAIN(TestTaskStore)
#include "tst_taskstore.moc"
