#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Reads a key the way another process would.
QVariant storedValue(const QString &path, const QString &key)
{
    return Preferences::read(contentsOf(path)).values.value(key);
}

// Runs "verb:argument" steps separated by ";"; "rename:From>To".
void run(StoreFixture &fixture, const QString &steps)
{
    TaskStore &store = *fixture.store;
    const QHash<QString, std::function<void(const QString &)>> verbs{
        {"create", [&](const QString &name) { store.createWorkspace(name); }},
        {"select", [&](const QString &name) { store.setSelectedWorkspace(name); }},
        {"add", [&](const QString &title) { store.addSubtask(store.addTask(title), "step"); }},
        {"rename",
         [&](const QString &names) {
             store.renameWorkspace(names.section('>', 0, 0), names.section('>', 1));
         }},
        {"delete", [&](const QString &name) { store.deleteWorkspace(name); }},
        {"up", [&](const QString &name) { store.moveWorkspaceUp(name); }},
        {"down", [&](const QString &name) { store.moveWorkspaceDown(name); }},
    };
    for (const QString &step : steps.split(';')) {
        QVERIFY2(verbs.contains(step.section(':', 0, 0)), qPrintable(step));
        verbs[step.section(':', 0, 0)](step.section(':', 1));
    }
}

} // namespace

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

    // A restart finds what was saved. A deleted task takes its subtasks along
    // and is never touched again, even by a late callback that still holds it
    // (before the event loop ran).
    void restartKeepsRecordsAndDeletedOnesStayGone()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *doomed = store.addTask("Doomed");
        TaskItem *kept = store.addTask("Kept");
        SubTaskItem *part = store.addSubtask(doomed, "a");
        store.addSubtask(kept, "c");
        store.toggleTask(kept);
        const QUuid id = kept->id();
        const QDateTime created = kept->createdAt();
        QPointer<TaskItem> watch(doomed);
        store.deleteTask(doomed);
        QCOMPARE(fixture.count("SELECT count(*) FROM SubTaskItem"), 1);
        CapturedLines lines;
        store.toggleTask(doomed);
        store.updateTask(doomed, "Back");
        store.deleteTask(doomed);
        store.toggleSubtask(part);
        store.addSubtask(doomed, "More");
        store.toggleTask(nullptr);
        QVERIFY(lines.lines().isEmpty() && !fixture.context()->hasChanges());
        QCOMPARE(fixture.count("SELECT count(*) FROM TaskItem"), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.isNull());

        fixture.reopen();
        const QList<TaskItem *> tasks = fixture.allTasks();
        QCOMPARE(tasks, fixture.allTasks()); // one object per record
        QCOMPARE(titlesOf(tasks), QStringList{"Kept"});
        QVERIFY(tasks[0]->id() == id && tasks[0]->createdAt() == created && tasks[0]->isCompleted());
        QCOMPARE(titlesOf(tasks[0]->subtasks()), QStringList{"c"});
    }

    // Written by another tool: positions shared by many tasks, subtasks out
    // of list order, one without a task. Read back, a task answers for its
    // subtasks before their objects exist, and they behave as any others.
    void readBackAsWritten()
    {
        StoreFixture fixture;
        fixture.writeBehindTheStoresBack(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39) "
            "INSERT INTO TaskItem SELECT i, randomblob(16), printf('T%02d', i), 0, 0, '', i % 2, 'Personal' "
            "FROM n; INSERT INTO SubTaskItem VALUES (1, randomblob(16), 'c', 0, 0, 2, 0, 2), "
            "(2, randomblob(16), 'a', 1, 0, 0, 0, 0), (3, randomblob(16), 'Ärger', 0, 0, 1, 0, 1), "
            "(4, randomblob(16), 'b', 0, 0, 1, 0, 1), (5, randomblob(16), 'x', 0, 0, 0, NULL, 0)");
        fixture.reopen();
        QStringList expected;
        for (int i : {0, 1})
            for (int n = i; n < 40; n += 2)
                expected.append(u"T%1"_s.arg(n, 2, 10, QChar('0')));
        QCOMPARE(titlesOf(fixture.allTasks()), expected); // equal positions in row order

        TaskItem *task = fixture.allTasks().constFirst();
        QVERIFY(task->subtaskCount() == 4 && task->completedSubtaskCount() == 1 &&
                !task->allSubtasksCompleted());
        fixture.store->setSearchText("äRGER");
        QCOMPARE(titlesOf(fixture.store->filtered(fixture.allTasks())), QStringList{"T00"});
        fixture.store->addSubtask(task, "d");
        fixture.store->toggleSubtask(task->subtasks().at(1));
        fixture.reopen();
        task = fixture.allTasks().constFirst();
        QCOMPARE(titlesOf(task->subtasks()), (QStringList{"a", "Ärger", "b", "c", "d"}));
        QVERIFY(task->subtasks().at(1)->isCompleted());
        QCOMPARE(fixture.count("SELECT count(*) FROM SubTaskItem WHERE task IS NULL"), 1);
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

    // Workspaces

    void legacyTakeover_data()
    {
        QTest::addColumn<QVariant>("legacy");
        QTest::addColumn<QVariant>("current");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("legacyRemains");
        const QVariant none;
        QTest::newRow("legacy only") << QVariant(QStringList{"Work", "Home"}) << none
                                     << QStringList{"Work", "Home"} << false;
        QTest::newRow("both keys") << QVariant(QStringList{"Old"}) << QVariant(QStringList{"New"})
                                   << QStringList{"New"} << true;
        QTest::newRow("neither") << none << none << QStringList{} << false;
    }

    void legacyTakeover()
    {
        QFETCH(QVariant, legacy);
        QFETCH(QVariant, current);
        QFETCH(QStringList, expected);
        QFETCH(bool, legacyRemains);
        StoreFixture fixture;
        if (legacy.isValid())
            fixture.preferences.setStringArray(WorkspaceList::legacyKey, legacy.toStringList());
        if (current.isValid())
            fixture.preferences.setStringArray(WorkspaceList::savedKey, current.toStringList());

        for (int read = 0; read < 2; ++read)
            QCOMPARE(fixture.store->getAvailableWorkspaces({}), QStringList{"Personal"} + expected);
        const QString path = fixture.preferences.filePath();
        QCOMPARE(storedValue(path, WorkspaceList::legacyKey).isValid(), legacyRemains);
        if (!expected.isEmpty())
            QCOMPARE(storedValue(path, WorkspaceList::savedKey).toStringList(), expected);
    }

    void savedListIsCleanedOnTheNextWrite()
    {
        StoreFixture fixture;
        const QString path = fixture.preferences.filePath();
        fixture.preferences.setStringArray(WorkspaceList::savedKey, {"Work", "Personal", "Work", "Home"});
        QCOMPARE(fixture.store->getAvailableWorkspaces({}), (QStringList{"Personal", "Work", "Home"}));
        QCOMPARE(storedValue(path, WorkspaceList::savedKey).toStringList().size(), 4);
        fixture.store->moveWorkspaceDown("Work");
        QCOMPARE(storedValue(path, WorkspaceList::savedKey).toStringList(), (QStringList{"Home", "Work"}));
    }

    // Each row: the steps, then the names offered, the one selected and each
    // task's workspace, after a restart.
    void operations_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        const QString made = u"create:  Work \n;add:Report;create:Home;add:Dishes;select:"_s;
        const QString unchanged = u"Personal,Work,Home||Work,Home"_s;
        QTest::newRow("create trims, selects, keeps order") << made << unchanged;
        QTest::newRow("create existing, Personal, blank")
            << made + u";create:Work;create:Personal;create:  "_s
            << u"Personal,Work,Home|Personal|Work,Home"_s;
        QTest::newRow("rename moves tasks and selection")
            << made + u";select:Home;rename:Home> House "_s << u"Personal,Work,House|House|Work,House"_s;
        QTest::newRow("rename onto an existing name")
            << made + u";rename:Home>Work"_s << u"Personal,Work||Work,Work"_s;
        QTest::newRow("rename onto Personal")
            << made + u";rename:Home>Personal"_s << u"Personal,Work||Work,Personal"_s;
        QTest::newRow("rename of an unsaved name")
            << u"select:Loose;add:Stray;rename:Loose>Kept"_s << u"Personal,Kept|Kept|Kept"_s;
        for (const char *refused : {"rename:Personal>Private", "rename:Work> \n", "rename:Work> Work ",
                                    "rename:>Work", "delete:Personal", "up:Work", "down:Home", "up:Nowhere"})
            QTest::newRow(refused) << made + ';' + refused << unchanged;
        QTest::newRow("delete takes tasks and selection")
            << made + u";select:Work;delete:Work"_s << u"Personal,Home||Home"_s;
        QTest::newRow("moves") << made + u";create:Garden;up:Garden;down:Work"_s
                               << u"Personal,Garden,Work,Home|Garden|Work,Home"_s;
    }

    void operations()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        StoreFixture fixture;
        run(fixture, steps);
        const QString selected = expected.section('|', 1, 1);
        QCOMPARE(fixture.store->selectedWorkspace(), selected);
        fixture.reopen();
        fixture.store->setSelectedWorkspace(selected);
        QStringList workspaces;
        for (const TaskItem *task : fixture.allTasks())
            workspaces.append(task->workspace());
        const QStringList available = fixture.store->getAvailableWorkspaces(fixture.allTasks());
        QCOMPARE(available.join(',') + '|' + selected + '|' + workspaces.join(','), expected);
        // Deleted tasks take their subtasks with them.
        QCOMPARE(fixture.count("SELECT count(*) FROM SubTaskItem"), qint64(workspaces.size()));
    }

    void onlyWrittenListsAreAnnounced()
    {
        StoreFixture fixture;
        QSignalSpy announced(&*fixture.store, &TaskStore::workspacesChanged);
        run(fixture, "create:Work;create:Home;rename:Home>House;delete:House");
        QCOMPARE(announced.count(), 4);

        // A key written twice by hand: Qt keeps one, and writes go on.
        const QString path = fixture.preferences.filePath();
        writeFile(path, "isPinned=true\nisPinned=false\n", QIODevice::Append);
        fixture.store->createWorkspace("Garden");
        QCOMPARE(announced.count(), 5);
        QCOMPARE(storedValue(path, WorkspaceList::savedKey).toStringList(), (QStringList{"Work", "Garden"}));

        // A file that can't be read completely is never rewritten, and nothing
        // pretends it was.
        writeFile(path, "broken=\"unterminated\nafter=1\n", QIODevice::Append);
        CapturedLines lines;
        fixture.store->createWorkspace("Shed");
        QCOMPARE(announced.count(), 5);
        QCOMPARE(lines.lines().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTaskStore)
#include "tst_taskstore.moc"
