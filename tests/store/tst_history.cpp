#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskState.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QRandomGenerator>
#include <QTest>
#include <functional>

namespace {

// The whole store: every task with its subtasks, field by field, the saved
// workspaces and the selection.
struct Picture
{
    QList<TaskState> tasks;
    QStringList saved;
    QString selected;
    bool operator==(const Picture &) const = default;
};

Picture pictureOf(StoreFixture &fixture)
{
    Picture picture{{}, WorkspaceList(&fixture.preferences).saved(), fixture.store->selectedWorkspace()};
    for (const TaskItem *task : fixture.allTasks())
        picture.tasks.append(TaskState::of(task));
    return picture;
}

// What a user sees of the store, without the ids and times a replay makes anew.
QStringList summaryOf(StoreFixture &fixture)
{
    QStringList lines = WorkspaceList(&fixture.preferences).saved();
    for (const TaskItem *task : fixture.allTasks()) {
        lines << QStringLiteral("%1 %2 %3").arg(task->title(), task->workspace()).arg(task->isCompleted());
        for (const SubTaskItem *subtask : task->subtasks())
            lines << QStringLiteral("  %1 %2").arg(subtask->title()).arg(subtask->isCompleted());
    }
    return lines;
}

TaskItem *titled(StoreFixture &fixture, const QString &title)
{
    for (TaskItem *task : fixture.allTasks()) {
        if (task->title() == title)
            return task;
    }
    return nullptr;
}

} // namespace

using Change = std::function<void(TaskStore &, StoreFixture &)>;

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    // Every kind of change, undone and redone on a store file: each step
    // gives back the very records (ids, times, positions, list places) and is
    // saved like any change.
    void undoAndRedo_data()
    {
        QTest::addColumn<Change>("change");
        const auto milk = [](StoreFixture &f) { return titled(f, "Milk"); };
        const auto soy = [milk](StoreFixture &f) { return milk(f)->subtasks().at(1); };
        QTest::newRow("add task") << Change([](TaskStore &s, StoreFixture &) { s.addTask("Bread"); });
        QTest::newRow("tick task and its subtasks")
            << Change([=](TaskStore &s, StoreFixture &f) { s.toggleTask(milk(f)); });
        QTest::newRow("untick task") << Change(
            [](TaskStore &s, StoreFixture &f) { s.toggleTask(titled(f, "Done")); });
        QTest::newRow("retitle task")
            << Change([=](TaskStore &s, StoreFixture &f) { s.updateTask(milk(f), "Oat milk"); });
        QTest::newRow("delete task") << Change([=](TaskStore &s, StoreFixture &f) { s.deleteTask(milk(f)); });
        QTest::newRow("add subtask") << Change(
            [=](TaskStore &s, StoreFixture &f) { s.addSubtask(milk(f), "Rice"); });
        QTest::newRow("tick subtask")
            << Change([=](TaskStore &s, StoreFixture &f) { s.toggleSubtask(soy(f)); });
        QTest::newRow("retitle subtask")
            << Change([=](TaskStore &s, StoreFixture &f) { s.updateSubtask(soy(f), "Almond"); });
        QTest::newRow("delete a middle subtask")
            << Change([=](TaskStore &s, StoreFixture &f) { s.deleteSubtask(soy(f), milk(f)); });
        QTest::newRow("create workspace")
            << Change([](TaskStore &s, StoreFixture &) { s.createWorkspace("Garden"); });
        QTest::newRow("rename selected workspace")
            << Change([](TaskStore &s, StoreFixture &) { s.renameWorkspace("Work", "Office"); });
        QTest::newRow("move workspace")
            << Change([](TaskStore &s, StoreFixture &) { s.moveWorkspaceDown("Work"); });
        QTest::newRow("delete selected workspace with its tasks")
            << Change([](TaskStore &s, StoreFixture &) { s.deleteWorkspace("Work"); });
    }

    void undoAndRedo()
    {
        QFETCH(Change, change);
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *milk = store.addTask("Milk");
        for (const char *title : {"Oat", "Soy", "Cashew"})
            store.addSubtask(milk, title);
        store.toggleTask(store.addTask("Done"));
        store.createWorkspace("Work");
        store.createWorkspace("Home");
        store.addSubtask(store.addTask("Report"), "Figures");
        store.setSelectedWorkspace("Work");
        const Picture before = pictureOf(fixture);

        change(store, fixture);
        const Picture after = pictureOf(fixture);
        QVERIFY(after != before);
        QVERIFY(store.undo());
        QCOMPARE(pictureOf(fixture), before);
        QVERIFY(!store.canUndo() || store.canRedo());
        QVERIFY(store.redo());
        QCOMPARE(pictureOf(fixture), after);
        QVERIFY(!fixture.context()->hasChanges());
        QVERIFY(store.undo());
        fixture.reopen();
        QCOMPARE(pictureOf(fixture).tasks, before.tasks);
    }

    // Only saved changes are kept. An undo that can't be saved leaves the
    // store and the history as they were; one whose change was followed by
    // a change the history does not know refuses.
    void historyKeepsOnlySavedChanges()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        store.addTask("Milk");
        store.addTask("Bread");
        CapturedLines lines;
        fixture.container->connection().execute("PRAGMA query_only = 1");
        const Picture saved = pictureOf(fixture);
        QVERIFY(!store.undo());
        QCOMPARE(pictureOf(fixture), saved);
        QVERIFY(store.canUndo() && !store.canRedo());

        store.updateTask(titled(fixture, "Bread"), "Rye");
        const Picture unsaved = pictureOf(fixture);
        QVERIFY(!store.undo());
        QCOMPARE(pictureOf(fixture), unsaved);
        QVERIFY(lines.lines().last().startsWith("Ordlen: Could not undo \"Add Task\""));
    }

    // Random changes, undos and redos end where replaying only the changes
    // that survived them ends.
    void randomHistoryMatchesReplay()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        StoreFixture fixture(true), replay(true);
        QList<Change> surviving, undone;
        const QList<Change> changes{
            [](TaskStore &s, StoreFixture &f) { s.addTask(QStringLiteral("T%1").arg(f.allTasks().size())); },
            [&](TaskStore &s, StoreFixture &f) {
                if (const auto tasks = f.allTasks(); !tasks.isEmpty())
                    s.toggleTask(tasks.at(int(random.bounded(tasks.size()))));
            },
            [&](TaskStore &s, StoreFixture &f) {
                if (const auto tasks = f.allTasks(); !tasks.isEmpty())
                    s.deleteTask(tasks.at(int(random.bounded(tasks.size()))));
            },
            [&](TaskStore &s, StoreFixture &f) {
                if (const auto tasks = f.allTasks(); !tasks.isEmpty())
                    s.addSubtask(tasks.last(), QStringLiteral("S"));
            },
            [](TaskStore &s, StoreFixture &) { s.createWorkspace("W"); },
            [](TaskStore &s, StoreFixture &) { s.deleteWorkspace("W"); },
        };
        for (int step = 0; step < 300; ++step) {
            const int pick = int(random.bounded(changes.size() + 2));
            if (pick == changes.size()) {
                if (fixture.store->undo())
                    undone.append(surviving.takeLast());
            } else if (pick == changes.size() + 1) {
                if (fixture.store->redo())
                    surviving.append(undone.takeLast());
            } else {
                // Targets are drawn now, so the replay gets the same ones.
                const quint32 draw = random.generate();
                const Change change = [&changes, pick, draw, &random](TaskStore &s, StoreFixture &f) {
                    random.seed(draw);
                    changes.at(pick)(s, f);
                };
                const Picture before = pictureOf(fixture);
                change(*fixture.store, fixture);
                if (pictureOf(fixture) != before) {
                    surviving.append(change);
                    undone.clear();
                }
            }
        }
        for (const Change &change : surviving)
            change(*replay.store, replay);
        QVERIFY2(summaryOf(fixture) == summaryOf(replay), qPrintable(QStringLiteral("seed %1").arg(seed)));
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
