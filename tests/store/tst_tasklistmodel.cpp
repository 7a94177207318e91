#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "SubTaskItem.h"
#include "SubtaskListModel.h"
#include "TaskItem.h"
#include "TaskListModel.h"
#include "TaskStore.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

// A store in memory with the panel's list on it, checked by the model tester.
struct ListFixture
{
    ListFixture()
        : preferences(dir.filePath(QStringLiteral("Ordlen.conf"))),
          container(ModelContainer::open(ModelConfiguration::inMemory())),
          store(container->mainContext(), &preferences), list(&store),
          tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest)
    {}

    TaskItem *add(const QString &title, const QString &workspace = {})
    {
        store.setSelectedWorkspace(workspace);
        return store.addTask(title);
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
        QList<TaskItem *> expected = store.filtered(container->mainContext()->fetchTasks());
        std::stable_sort(expected.begin(), expected.end(), [](const TaskItem *a, const TaskItem *b) {
            return QString::compare(a->workspace(), b->workspace()) < 0;
        });
        return expected;
    }

    QTemporaryDir dir;
    Preferences preferences;
    std::unique_ptr<ModelContainer> container;
    TaskStore store;
    TaskListModel list;
    QAbstractItemModelTester tester;
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
        QObject::connect(
            model, &QAbstractItemModel::rowsInserted, &m_context,
            [this](const QModelIndex &, int first) { m_seen << QStringLiteral("insert %1").arg(first); });
        QObject::connect(
            model, &QAbstractItemModel::rowsRemoved, &m_context,
            [this](const QModelIndex &, int first) { m_seen << QStringLiteral("remove %1").arg(first); });
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

} // namespace

class TestTaskListModel : public QObject
{
    Q_OBJECT

private slots:
    void oneChangeOneSignal_data();
    void oneChangeOneSignal();
    void countsAndWorkspacesFollowEveryTask();
    void tickedUnderPendingIsHeldBack();
    void subtaskListFollowsItsTask();
    void randomChangesMatchTheFilter_data();
    void randomChangesMatchTheFilter();
};

void TestTaskListModel::oneChangeOneSignal_data()
{
    QTest::addColumn<TaskFilter>("filter");
    QTest::addColumn<QString>("search");
    QTest::addColumn<std::function<void(ListFixture &)>>("change");
    QTest::addColumn<QStringList>("expected");

    // The list starts as: HOME: h0 | PERSONAL: p0, p1 | WORK: w0 (tasks a
    // "w" precede in list position those of "p").
    auto task = [](ListFixture &f, const char *title) {
        const QList<TaskItem *> all = f.container->mainContext()->fetchTasks();
        return *std::find_if(all.cbegin(), all.cend(), [&](TaskItem *t) { return t->title() == title; });
    };
    const QString title = rolesText({TaskListModel::TitleRole, Qt::DisplayRole});
    const QString completed = rolesText({TaskListModel::IsCompletedRole});
    const QString workspace = rolesText({TaskListModel::WorkspaceRole});
    using F = TaskFilter;
    QTest::newRow("add to a section")
        << F::All << "" << std::function([](ListFixture &f) { f.add("p2"); }) << QStringList{"insert 3"};
    QTest::newRow("add to a new section first") << F::All << "" << std::function([](ListFixture &f) {
        f.container->mainContext()->insert(
            new TaskItem(QUuid::createUuid(), "a0", false, {}, {}, 9, "Alpha"));
    }) << QStringList{"insert 0"};
    QTest::newRow("add that the search hides")
        << F::All << "p" << std::function([](ListFixture &f) { f.add("x"); }) << QStringList{};
    QTest::newRow("retitle") << F::All << "" << std::function([=](ListFixture &f) {
        f.store.updateTask(task(f, "p1"), "p1 again");
    }) << QStringList{"change 2 [" + title + "]"};
    QTest::newRow("retitle into the search") << F::All << "p" << std::function([=](ListFixture &f) {
        f.store.updateTask(task(f, "h0"), "p9"); // as long as before: no stale lower case
    }) << QStringList{"insert 0"};
    QTest::newRow("retitle out of the search")
        << F::All << "p" << std::function([=](ListFixture &f) { f.store.updateTask(task(f, "p1"), "x"); })
        << QStringList{"remove 1"};
    QTest::newRow("subtask brings its task into the search")
        << F::All << "zz"
        << std::function([=](ListFixture &f) { f.store.addSubtask(task(f, "w0"), "zz top"); })
        << QStringList{"insert 0"};
    QTest::newRow("tick under All") << F::All << "" << std::function([=](ListFixture &f) {
        f.store.toggleTask(task(f, "w0"));
    }) << QStringList{"change 3 [" + completed + "]"};
    QTest::newRow("tick under Pending")
        << F::Pending << "" << std::function([=](ListFixture &f) { f.store.toggleTask(task(f, "p0")); })
        << QStringList{"remove 1"};
    QTest::newRow("tick under Done") << F::Done << "" << std::function([=](ListFixture &f) {
        f.store.toggleTask(task(f, "h0"));
    }) << QStringList{"insert 0"};
    QTest::newRow("delete") << F::All << ""
                            << std::function([=](ListFixture &f) { f.store.deleteTask(task(f, "h0")); })
                            << QStringList{"remove 0"};
    QTest::newRow("rename a section past another")
        << F::All << "" << std::function([=](ListFixture &f) { f.store.renameWorkspace("Home", "Zoo"); })
        << QStringList{"move 0>4", "change 3 [" + workspace + "]"};
    QTest::newRow("rename a section in place")
        << F::All << "" << std::function([=](ListFixture &f) { f.store.renameWorkspace("Work", "Zoo"); })
        << QStringList{"change 3 [" + workspace + "]"};
    QTest::newRow("delete a workspace")
        << F::All << "" << std::function([=](ListFixture &f) { f.store.deleteWorkspace("Work"); })
        << QStringList{"remove 3"};
    QTest::newRow("filter") << F::All << "" << std::function([](ListFixture &f) {
        f.store.setActiveFilter(TaskFilter::Done);
    }) << QStringList{"reset"};
}

void TestTaskListModel::oneChangeOneSignal()
{
    QFETCH(TaskFilter, filter);
    QFETCH(QString, search);
    QFETCH(std::function<void(ListFixture &)>, change);
    QFETCH(QStringList, expected);

    ListFixture f;
    f.add("w0", "Work");
    f.add("p0");
    f.add("h0", "Home");
    f.add("p1");
    f.store.setSelectedWorkspace({});
    f.store.setActiveFilter(filter);
    f.store.setSearchText(search);

    ListSignals seen(&f.list);
    change(f);
    QCOMPARE(seen.take(), expected);
    QCOMPARE(f.rows(), f.expectedRows());
}

void TestTaskListModel::countsAndWorkspacesFollowEveryTask()
{
    ListFixture f;
    f.add("a");
    TaskItem *b = f.add("b", "Work");
    f.add("c", "Work");
    f.store.setSearchText("a");
    QSignalSpy names(&f.list, &TaskListModel::workspacesInUseChanged);

    f.store.toggleTask(b);
    QCOMPARE(f.list.pendingCount(), 2);
    QCOMPARE(f.list.doneCount(), 1);
    f.store.renameWorkspace("Work", "Home");
    QCOMPARE(f.list.workspacesInUse(), QStringList({"Home", "Personal"}));
    QCOMPARE(names.count(), 2); // Home came, Work went: once each
    f.store.deleteWorkspace("Home");
    QCOMPARE(f.list.workspacesInUse(), QStringList({"Personal"}));
    QCOMPARE(f.list.pendingCount(), 1);
    QCOMPARE(f.list.doneCount(), 0);
    QVERIFY(f.list.isGrouped());
}

void TestTaskListModel::tickedUnderPendingIsHeldBack()
{
    ListFixture f;
    f.list.setHoldBackInterval(50);
    TaskItem *task = f.add("a");
    TaskItem *other = f.add("b");
    QSignalSpy emptiness(&f.list, &TaskListModel::isEmptyChanged);

    f.store.toggleTask(task);
    f.store.toggleTask(other);
    QVERIFY(f.list.isEmpty());
    QCOMPARE(emptiness.count(), 1);
    f.store.deleteTask(other); // its release must find nothing to touch
    f.store.setActiveFilter(TaskFilter::All);
    QCOMPARE(f.rows(), QList<TaskItem *>{task});
    QVERIFY(f.list.index(0).data(TaskListModel::IsHeldBackRole).toBool());
    QTRY_VERIFY(!f.list.index(0).data(TaskListModel::IsHeldBackRole).toBool());

    // Ticking under another filter, or a task the list doesn't show, holds
    // nothing back.
    f.store.toggleTask(task);
    f.store.toggleTask(task);
    QVERIFY(!f.list.isHeldBack(task));
    f.store.setActiveFilter(TaskFilter::Pending);
    f.store.setSearchText("b");
    f.store.toggleTask(task);
    f.store.toggleTask(task);
    QVERIFY(!f.list.isHeldBack(task));
}

void TestTaskListModel::subtaskListFollowsItsTask()
{
    ListFixture f;
    TaskItem *task = f.add("a");
    SubTaskItem *first = f.store.addSubtask(task, "one");
    SubTaskItem *second = f.store.addSubtask(task, "two");
    SubtaskListModel subtasks;
    QAbstractItemModelTester tester(&subtasks, QAbstractItemModelTester::FailureReportingMode::QtTest);
    subtasks.setTask(task);
    ListSignals seen(&subtasks);

    f.store.deleteSubtask(first, task);
    SubTaskItem *third = f.store.addSubtask(task, "three"); // the position "two" has: listed after it
    f.store.toggleSubtask(second);
    f.store.updateSubtask(third, "3");
    const QString completed = rolesText({SubtaskListModel::IsCompletedRole});
    const QString title = rolesText({SubtaskListModel::TitleRole});
    QCOMPARE(seen.take(), QStringList({"remove 0", "insert 1", "change 0 [" + completed + "]",
                                       "change 1 [" + title + "]"}));
    QCOMPARE(subtasks.subtaskAt(1), third);

    f.store.deleteTask(task);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(subtasks.rowCount(), 0);
}

void TestTaskListModel::randomChangesMatchTheFilter_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u})
        QTest::addRow("seed %u", seed) << seed;
}

void TestTaskListModel::randomChangesMatchTheFilter()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    ListFixture f;
    QSignalSpy resets(&f.list, &QAbstractItemModel::modelReset);
    const QStringList words{"apple", "Banana", "cherry", "apple pie", " ban "};
    const QStringList workspaces{"Work", "Home", "home", "Ärger"};
    auto pick = [&](const auto &list) { return list.at(random.bounded(int(list.size()))); };
    auto anyTask = [&]() -> TaskItem * {
        const QList<TaskItem *> all = f.container->mainContext()->fetchTasks();
        return all.isEmpty() ? nullptr : pick(all);
    };

    for (int step = 0; step < 400; ++step) {
        TaskItem *task = anyTask();
        const int op = random.bounded(16);
        const bool listChange = op >= 11;
        const qsizetype resetsBefore = resets.count();
        switch (op) {
        case 0:
        case 1:
            f.store.addTask(pick(words));
            break;
        case 2:
            f.store.toggleTask(task);
            break;
        case 3:
            f.store.updateTask(task, pick(words));
            break;
        case 4:
            f.store.deleteTask(task);
            break;
        case 5:
            if (task)
                f.store.addSubtask(task, pick(words));
            break;
        case 6:
            if (task && !task->subtasks().isEmpty())
                f.store.updateSubtask(pick(task->subtasks()), pick(words));
            break;
        case 7:
            if (task && !task->subtasks().isEmpty())
                f.store.deleteSubtask(pick(task->subtasks()), task);
            break;
        case 8:
            if (task) // another program's task at a position already taken
                f.container->mainContext()->insert(new TaskItem(QUuid::createUuid(), pick(words),
                                                                random.bounded(2), {}, {}, task->sortOrder(),
                                                                pick(workspaces)));
            break;
        case 9:
            if (task)
                task->setWorkspace(pick(workspaces));
            break;
        case 10:
            f.store.renameWorkspace(pick(workspaces), pick(workspaces));
            break;
        case 11:
            f.store.setActiveFilter(TaskFilter(random.bounded(3)));
            break;
        case 12:
            f.store.setSearchText(random.bounded(3) ? QString() : pick(words).left(3));
            break;
        case 13:
            f.store.setSelectedWorkspace(random.bounded(2) ? QString() : pick(workspaces));
            break;
        case 14:
            f.store.deleteWorkspace(pick(workspaces));
            break;
        default:
            f.store.createWorkspace(pick(workspaces));
            break;
        }
        if (!listChange && op != 10 && op != 14)
            QVERIFY2(resets.count() == resetsBefore, qPrintable(QStringLiteral("step %1 reset").arg(step)));

        const QList<TaskItem *> all = f.container->mainContext()->fetchTasks();
        const int pending =
            int(std::count_if(all.cbegin(), all.cend(), [](TaskItem *t) { return !t->isCompleted(); }));
        QCOMPARE(f.rows(), f.expectedRows());
        QCOMPARE(f.list.pendingCount(), pending);
        QCOMPARE(f.list.doneCount(), int(all.size()) - pending);
        QCOMPARE(f.list.isEmpty(), f.expectedRows().isEmpty());
        QCOMPARE(f.list.isGrouped(), f.store.selectedWorkspace().isEmpty());
        QStringList names;
        for (const TaskItem *t : all)
            names.append(t->workspace());
        names.removeDuplicates();
        names.sort();
        QCOMPARE(f.list.workspacesInUse(), names);
    }
}

QTEST_GUILESS_MAIN(TestTaskListModel)
#include "tst_tasklistmodel.moc"
