#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"

#include <QPointer>
#include <QTest>
#include <functional>

using Change = std::function<void(TaskStore &, TaskItem *, SubTaskItem *)>;

class TestTaskStore : public QObject
{
    Q_OBJECT

private slots:
    void positions()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        QList<TaskItem *> tasks;
        for (int i = 0; i < 6; ++i)
            tasks.append(store.addTask(QString::number(i)));
        QCOMPARE(tasks.first()->sortOrder(), 0);
        for (int i : {2, 3, 4})
            store.deleteTask(tasks[i]);
        store.setSelectedWorkspace("Work");
        QCOMPARE(store.addTask(" \n\t "), nullptr);
        TaskItem *next = store.addTask("  Next \n");
        QCOMPARE(next->title(), "Next");
        QCOMPARE(next->sortOrder(), 6);
        store.updateTask(next, " \n");
        QCOMPARE(next->title(), "Next");
        // Deleting the highest one frees its position, also across a restart.
        store.deleteTask(next);
        fixture.reopen();
        QCOMPARE(store.addTask("After")->sortOrder(), 6);
        QCOMPARE(fixture.allTasks().constLast()->workspace(), "Personal");
    }

    // Written by another tool: the largest position, and a row id far beyond
    // the number of rows.
    void positionAtTheEndOfTheRange()
    {
        StoreFixture fixture;
        fixture.writeBehindTheStoresBack(
            "INSERT INTO TaskItem VALUES (1000000000000, x'00', 'Last', 0, 0, '', "
            "9223372036854775807, 'Personal')");
        fixture.reopen();
        QCOMPARE(fixture.store->addTask("After the last")->sortOrder(), std::numeric_limits<qint64>::max());
        fixture.reopen();
        QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Last", "After the last"}));
    }

    void filterAndSearch_data()
    {
        QTest::addColumn<TaskFilter>("filter");
        QTest::addColumn<QString>("workspace");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("expected");
        const auto all = TaskFilter::All, pending = TaskFilter::Pending, done = TaskFilter::Done;
        const QString kelvin = "Ärger bei 20 \u212A"; // the Kelvin sign lower-cases to "k"
        const QString any;
        QTest::newRow("pending") << pending << any << any
                                 << QStringList{"Buy milk", "Call mom", "Notes only", "Report"};
        QTest::newRow("done") << done << any << any << QStringList{"Milk the cow", kelvin};
        QTest::newRow("letters beyond ASCII") << all << any << "äRGER" << QStringList{kelvin};
        QTest::newRow("a sign that lower-cases to ASCII") << all << any << "20 k" << QStringList{kelvin};
        QTest::newRow("capitals and blanks") << all << any << "  MILK \n"
                                             << QStringList{"Buy milk", "Milk the cow"};
        QTest::newRow("pending hides a done match") << pending << any << "milk" << QStringList{"Buy milk"};
        QTest::newRow("subtask title matches") << pending << any << "FLOWERS" << QStringList{"Call mom"};
        QTest::newRow("notes are not searched") << all << any << "secret" << QStringList{};
        QTest::newRow("selected workspace") << all << "Work" << any << QStringList{"Report"};
        QTest::newRow("blank search is no search")
            << done << any << "   " << QStringList{"Milk the cow", kelvin};
    }

    void filterAndSearch()
    {
        QFETCH(TaskFilter, filter);
        QFETCH(QString, workspace);
        QFETCH(QString, search);
        QFETCH(QStringList, expected);
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        store.addTask("Buy milk");
        store.addSubtask(store.addTask("Call mom"), "Buy Flowers");
        store.toggleTask(store.addTask("Milk the cow"));
        fixture.context()->insert(
            new TaskItem(QUuid::createUuid(), "Notes only", false, {}, "secret", 3, "Personal"));
        fixture.context()->insert(
            new TaskItem(QUuid::createUuid(), "Ärger bei 20 \u212A", true, {}, {}, 9, "Home"));
        store.setSelectedWorkspace("Work");
        store.addTask("Report");

        store.setSelectedWorkspace(workspace);
        store.setActiveFilter(filter);
        store.setSearchText(search);
        QCOMPARE(titlesOf(store.filtered(fixture.allTasks())), expected);
    }

    void restartKeepsRecordsAndCascades()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *doomed = store.addTask("Doomed");
        TaskItem *kept = store.addTask("Kept");
        store.addSubtask(doomed, "a");
        store.addSubtask(kept, "c");
        store.toggleTask(kept);
        const QUuid id = kept->id();
        const QDateTime created = kept->createdAt();
        store.deleteTask(doomed);
        QCOMPARE(fixture.count("SELECT count(*) FROM SubTaskItem"), 1);

        fixture.reopen();
        const QList<TaskItem *> tasks = fixture.allTasks();
        QCOMPARE(tasks, fixture.allTasks()); // one object per record
        QCOMPARE(titlesOf(tasks), QStringList{"Kept"});
        QVERIFY(tasks[0]->id() == id && tasks[0]->createdAt() == created && tasks[0]->isCompleted());
        QCOMPARE(titlesOf(tasks[0]->subtasks()), QStringList{"c"});
    }

    // A late callback may still hold records deleted before the event loop ran.
    void deletedRecordsAreNeverTouchedAgain()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *task = store.addTask("Gone soon");
        SubTaskItem *subtask = store.addSubtask(task, "Part");
        QPointer<TaskItem> watch(task);
        store.deleteTask(task);
        CapturedLines lines;
        store.toggleTask(task);
        store.updateTask(task, "Back");
        store.deleteTask(task);
        store.toggleSubtask(subtask);
        store.addSubtask(task, "More");
        store.toggleTask(nullptr);
        QVERIFY(lines.lines().isEmpty());
        QVERIFY(!fixture.context()->hasChanges());
        QCOMPARE(fixture.count("SELECT count(*) FROM TaskItem"), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.isNull());
    }

    void passingFailureIsKeptAndRetried()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *kept = store.addTask("Kept");
        TaskItem *removed = store.addTask("Removed");
        CapturedLines lines;
        fixture.container->connection().execute("PRAGMA query_only = 1");
        store.addSubtask(store.addTask("Unsaved"), "Step");
        store.updateTask(kept, "Renamed");
        store.deleteTask(removed);
        QCOMPARE(lines.lines().size(), 4);
        QVERIFY(lines.lines().constFirst().startsWith("Ordlen: SwiftData save error — "));
        QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Renamed", "Unsaved"})); // still shown

        // Nothing else happens: the store tries again by itself.
        store.setSaveRetryInterval(10);
        fixture.container->connection().execute("PRAGMA query_only = 0");
        QTRY_VERIFY(!fixture.context()->hasChanges());
        fixture.reopen();
        QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Renamed", "Unsaved"}));
        QCOMPARE(titlesOf(fixture.allTasks().constLast()->subtasks()), QStringList{"Step"});
    }

    void refusedChangeIsDroppedAndLaterSavesWork_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("retitle") << Change(
            [](TaskStore &s, TaskItem *t, SubTaskItem *) { s.updateTask(t, "New"); });
        QTest::newRow("tick") << Change([](TaskStore &s, TaskItem *t, SubTaskItem *) { s.toggleTask(t); });
        QTest::newRow("add a subtask")
            << Change([](TaskStore &s, TaskItem *t, SubTaskItem *) { s.addSubtask(t, "+"); });
        QTest::newRow("tick a subtask")
            << Change([](TaskStore &s, TaskItem *, SubTaskItem *st) { s.toggleSubtask(st); });
    }

    void refusedChangeIsDroppedAndLaterSavesWork()
    {
        QFETCH(Change, change);
        StoreFixture fixture;
        TaskItem *task = fixture.store->addTask("Deleted elsewhere");
        SubTaskItem *subtask = fixture.store->addSubtask(task, "Step");
        fixture.store->addTask("Stays");
        fixture.writeBehindTheStoresBack(
            "PRAGMA foreign_keys = ON; DELETE FROM TaskItem WHERE title = 'Deleted elsewhere'");

        CapturedLines lines;
        change(*fixture.store, task, subtask);
        QCOMPARE(lines.lines().size(), 1);
        QCOMPARE(titlesOf(fixture.allTasks()), QStringList{"Stays"});
        QVERIFY(!fixture.context()->hasChanges());
        fixture.store->addTask("Later");
        QCOMPARE(lines.lines().size(), 1);
        fixture.reopen();
        QCOMPARE(titlesOf(fixture.allTasks()), (QStringList{"Stays", "Later"}));
    }
};

QTEST_GUILESS_MAIN(TestTaskStore)
#include "tst_taskstore.moc"
