#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "SubtaskListModel.h"
#include "TaskItem.h"
#include "TaskListModel.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

namespace {

// A store in memory with the panel's list on it, checked by the model tester.
struct ListFixture : StoreFixture
{
    ListFixture() : StoreFixture(true) {}

    TaskItem *add(const QString &title, const QString &workspace = {})
    {
        store->setSelectedWorkspace(workspace);
        return store->addTask(title);
    }
    TaskItem *task(const QString &title) const
    {
        const QList<TaskItem *> all = context()->fetchTasks();
        return *std::find_if(all.cbegin(), all.cend(), [&](TaskItem *t) { return t->title() == title; });
    }
    QList<TaskItem *> rows() const
    {
        QList<TaskItem *> rows;
        for (int row = 0; row < list.rowCount(); ++row)
            rows.append(list.index(row).data(TaskListModel::TaskRole).value<TaskItem *>());
        return rows;
    }
    // What the list must show: the store's filter over every task, grouped by
    // workspace name when no workspace is selected.
    QList<TaskItem *> expectedRows() const
    {
        QList<TaskItem *> expected = store->filtered(context()->fetchTasks());
        std::stable_sort(expected.begin(), expected.end(), [](const TaskItem *a, const TaskItem *b) {
            return QString::compare(a->workspace(), b->workspace()) < 0;
        });
        return expected;
    }

    TaskListModel list{&*store};
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::QtTest};
};

QString rolesText(const QList<int> &roles)
{
    QStringList names;
    for (int role : roles)
        names << QString::number(role);
    names.sort();
    return names.join(',');
}

// Every signal the list gave, in short: "insert 2", "remove 0", "move 3>1",
// "change 1 [roles]", "reset".
class ListSignals
{
public:
    explicit ListSignals(QAbstractItemModel *model)
    {
        const auto at = [this](const char *what) {
            return [this, what](const QModelIndex &, int row) {
                m_seen << QStringLiteral("%1 %2").arg(what).arg(row);
            };
        };
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &m_context, at("insert"));
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, &m_context, at("remove"));
        QObject::connect(model, &QAbstractItemModel::rowsMoved, &m_context,
                         [this](const QModelIndex &, int from, int, const QModelIndex &, int to) {
                             m_seen << QStringLiteral("move %1>%2").arg(from).arg(to);
                         });
        QObject::connect(
            model, &QAbstractItemModel::dataChanged, &m_context,
            [this](const QModelIndex &topLeft, const QModelIndex &, const QList<int> &roles) {
                m_seen << QStringLiteral("change %1 [%2]").arg(topLeft.row()).arg(rolesText(roles));
            });
        QObject::connect(model, &QAbstractItemModel::modelReset, &m_context, [this] { m_seen << "reset"; });
    }
    QStringList take() { return std::exchange(m_seen, {}); }

private:
    QObject m_context;
    QStringList m_seen;
};

using Change = std::function<void(ListFixture &)>;

} // namespace

class TestTaskListModel : public QObject
{
    Q_OBJECT

private slots:
    void oneChangeOneSignal_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("expected");
        // The list starts as: HOME: h0 | PERSONAL: p0, p1 | WORK: w0 (tasks a
        // "w" precede in list position those of "p"). Which rows come and go
        // is checked at random below; here, what each change tells.
        const QString title = rolesText({TaskListModel::TitleRole, Qt::DisplayRole});
        const QString workspace = rolesText({TaskListModel::WorkspaceRole});
        QTest::newRow("retitle") << "" << Change([](ListFixture &f) {
            f.store->updateTask(f.task("p1"), "p1 again");
        }) << QStringList{"change 2 [" + title + "]"};
        QTest::newRow("retitle into the search") << "p" << Change([](ListFixture &f) {
            f.store->updateTask(f.task("h0"), "\u00fcb0");  // looked at, and not ASCII
            f.store->updateTask(f.task("\u00fcb0"), "p9x"); // as long: nothing stale kept
        }) << QStringList{"insert 0"};
        QTest::newRow("subtask brings its task into the search")
            << "zz" << Change([](ListFixture &f) { f.store->addSubtask(f.task("w0"), "zz top"); })
            << QStringList{"insert 0"};
        QTest::newRow("tick") << "" << Change([](ListFixture &f) {
            f.store->toggleTask(f.task("w0"));
        }) << QStringList{"change 3 [" + rolesText({TaskListModel::IsCompletedRole}) + "]"};
        QTest::newRow("rename a section past another")
            << "" << Change([](ListFixture &f) { f.store->renameWorkspace("Home", "Zoo"); })
            << QStringList{"move 0>4", "change 3 [" + workspace + "]"};
        QTest::newRow("rename a section in place")
            << "" << Change([](ListFixture &f) { f.store->renameWorkspace("Work", "Zoo"); })
            << QStringList{"change 3 [" + workspace + "]"};
        QTest::newRow("delete a workspace")
            << "" << Change([](ListFixture &f) { f.store->deleteWorkspace("Work"); })
            << QStringList{"remove 3"};
    }

    void oneChangeOneSignal()
    {
        QFETCH(QString, search);
        QFETCH(Change, change);
        QFETCH(QStringList, expected);
        ListFixture f;
        f.add("w0", "Work");
        f.add("p0");
        f.add("h0", "Home");
        f.add("p1");
        f.store->setSelectedWorkspace({});
        f.store->setActiveFilter(TaskFilter::All);
        f.store->setSearchText(search);
        ListSignals seen(&f.list);
        change(f);
        QCOMPARE(seen.take(), expected);
        QCOMPARE(f.rows(), f.expectedRows());
    }

    void tickedUnderPendingIsHeldBack()
    {
        ListFixture f;
        f.list.setHoldBackInterval(50);
        TaskItem *task = f.add("a");
        TaskItem *other = f.add("b");
        f.store->toggleTask(task);
        f.store->toggleTask(other);
        f.store->deleteTask(other); // its release must find nothing to touch
        f.store->setActiveFilter(TaskFilter::All);
        QCOMPARE(f.rows(), QList<TaskItem *>{task});
        QVERIFY(f.list.index(0).data(TaskListModel::IsHeldBackRole).toBool());
        ListSignals seen(&f.list);
        QTRY_VERIFY(!f.list.index(0).data(TaskListModel::IsHeldBackRole).toBool());
        QCOMPARE(seen.take(), QStringList{"change 0 [" + rolesText({TaskListModel::IsHeldBackRole}) + "]"});

        // Ticking under another filter, or a task the list doesn't show, holds
        // nothing back.
        f.store->toggleTask(task);
        f.store->toggleTask(task);
        QVERIFY(!f.list.isHeldBack(task));
        f.store->setActiveFilter(TaskFilter::Pending);
        f.store->setSearchText("b");
        f.store->toggleTask(task);
        f.store->toggleTask(task);
        QVERIFY(!f.list.isHeldBack(task));
    }

    void subtaskListFollowsItsTask()
    {
        ListFixture f;
        TaskItem *task = f.add("a");
        SubTaskItem *first = f.store->addSubtask(task, "one");
        SubTaskItem *second = f.store->addSubtask(task, "two");
        SubtaskListModel subtasks;
        QAbstractItemModelTester tester(&subtasks, QAbstractItemModelTester::FailureReportingMode::QtTest);
        subtasks.setTask(task);
        ListSignals seen(&subtasks);

        f.store->deleteSubtask(first, task);
        SubTaskItem *third = f.store->addSubtask(task, "three"); // the position "two" has: listed after it
        f.store->toggleSubtask(second);
        f.store->updateSubtask(third, "3");
        QCOMPARE(seen.take(),
                 QStringList({"remove 0", "insert 1",
                              "change 0 [" + rolesText({SubtaskListModel::IsCompletedRole}) + "]",
                              "change 1 [" + rolesText({SubtaskListModel::TitleRole}) + "]"}));
        QCOMPARE(subtasks.subtaskAt(1), third);

        f.store->deleteTask(task);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(subtasks.rowCount(), 0);
    }

    void randomChangesMatchTheFilter_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u})
            QTest::addRow("seed %u", seed) << seed;
    }

    // After every random step the rows, counts and names in use are those
    // recomputed from the store, and each signal came when, and only when, due.
    void randomChangesMatchTheFilter()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        ListFixture f;
        QSignalSpy resets(&f.list, &QAbstractItemModel::modelReset);
        QSignalSpy namesChanged(&f.list, &TaskListModel::workspacesInUseChanged);
        bool toldEmpty = f.list.isEmpty(); // what the signals said
        QObject::connect(&f.list, &TaskListModel::isEmptyChanged, &f.list, [&] {
            QVERIFY(toldEmpty != f.list.isEmpty()); // a change, each time
            toldEmpty = f.list.isEmpty();
        });
        const QStringList words{"apple", "Banana", "cherry", "apple pie", " ban "};
        const QStringList workspaces{"Work", "Home", "home", "Ärger"};
        auto pick = [&](const auto &list) { return list.at(random.bounded(int(list.size()))); };
        TaskItem *task = nullptr;
        SubTaskItem *subtask = nullptr;
        // The first nine never rebuild the list; the rest may, through the
        // filter, the search or the selection.
        const std::function<void()> steps[] = {
            [&] { f.store->addTask(pick(words)); },
            [&] { f.store->toggleTask(task); },
            [&] { f.store->updateTask(task, pick(words)); },
            [&] { f.store->deleteTask(task); },
            [&] { f.store->addSubtask(task, pick(words)); },
            [&] { f.store->updateSubtask(subtask, pick(words)); },
            [&] { f.store->deleteSubtask(subtask, task); },
            [&] { // another program's task at a position already taken
                if (task)
                    f.context()->insert(new TaskItem(QUuid::createUuid(), pick(words), random.bounded(2), {},
                                                     {}, task->sortOrder(), pick(workspaces)));
            },
            [&] {
                if (task)
                    task->setWorkspace(pick(workspaces));
            },
            [&] { f.store->createWorkspace(pick(workspaces)); },
            [&] { f.store->renameWorkspace(pick(workspaces), pick(workspaces)); },
            [&] { f.store->deleteWorkspace(pick(workspaces)); },
            [&] { f.store->setActiveFilter(TaskFilter(random.bounded(3))); },
            [&] { f.store->setSearchText(random.bounded(3) ? QString() : pick(words).left(3)); },
            [&] { f.store->setSelectedWorkspace(random.bounded(2) ? QString() : pick(workspaces)); },
        };

        for (int step = 0; step < 400; ++step) {
            const QList<TaskItem *> before = f.context()->fetchTasks();
            task = before.isEmpty() ? nullptr : pick(before);
            subtask = task && !task->subtasks().isEmpty() ? pick(task->subtasks()) : nullptr;
            const int op = random.bounded(int(std::size(steps)));
            const QStringList namesBefore = f.list.workspacesInUse();
            resets.clear();
            namesChanged.clear();
            steps[op]();
            const QString where = QStringLiteral("step %1, change %2").arg(step).arg(op);
            QVERIFY2(op >= 9 || resets.isEmpty(), qPrintable(where));

            const QList<TaskItem *> all = f.context()->fetchTasks();
            const auto pending =
                std::count_if(all.cbegin(), all.cend(), [](TaskItem *t) { return !t->isCompleted(); });
            QCOMPARE(f.rows(), f.expectedRows());
            QCOMPARE(f.list.pendingCount(), int(pending));
            QCOMPARE(f.list.doneCount(), int(all.size() - pending));
            QCOMPARE(toldEmpty, f.list.isEmpty());
            QCOMPARE(f.list.isGrouped(), f.store->selectedWorkspace().isEmpty());
            QStringList names;
            for (const TaskItem *t : all)
                names.append(t->workspace());
            names.removeDuplicates();
            names.sort();
            QCOMPARE(f.list.workspacesInUse(), names);
            // Each name that came or went is told once.
            qsizetype cameOrWent = 0;
            for (const QString &name : namesBefore + names)
                cameOrWent += namesBefore.contains(name) != names.contains(name) ? 1 : 0;
            QCOMPARE(namesChanged.size(), cameOrWent);
        }
    }
};

QTEST_GUILESS_MAIN(TestTaskListModel)
#include "tst_tasklistmodel.moc"
