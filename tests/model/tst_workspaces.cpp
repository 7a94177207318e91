#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

// Reads a key the way another process would.
QVariant storedValue(const QString &path, const QString &key)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? Preferences::read(file.readAll()).values.value(key) : QVariant();
}

QStringList workspacesOf(const QList<TaskItem *> &tasks)
{
    QStringList names;
    for (const TaskItem *task : tasks)
        names.append(task->workspace());
    return names;
}

} // namespace

class TestWorkspaces : public QObject
{
    Q_OBJECT

private slots:
    void legacyTakeover_data();
    void legacyTakeover();
    void savedListIsCleaned();
    void create();
    void renameMovesTasksAndSelection();
    void renameOntoAnExistingName();
    void renameRefusals_data();
    void renameRefusals();
    void deleteRemovesTasksAndSubtasks();
    void moves();
    void availableWorkspacesOrder();
    void everyListWriteIsAnnounced();
};

void TestWorkspaces::legacyTakeover_data()
{
    QTest::addColumn<QStringList>("legacy");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<bool>("hasLegacy");
    QTest::addColumn<bool>("hasCurrent");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("legacyRemains");
    QTest::newRow("legacy only") << QStringList{"Work", "Home"} << QStringList{} << true << false
                                 << QStringList{"Work", "Home"} << false;
    QTest::newRow("legacy with one name")
        << QStringList{"Work"} << QStringList{} << true << false << QStringList{"Work"} << false;
    QTest::newRow("both keys") << QStringList{"Old"} << QStringList{"New"} << true << true
                               << QStringList{"New"} << true;
    QTest::newRow("neither") << QStringList{} << QStringList{} << false << false << QStringList{} << false;
}

void TestWorkspaces::legacyTakeover()
{
    QFETCH(QStringList, legacy);
    QFETCH(QStringList, current);
    QFETCH(bool, hasLegacy);
    QFETCH(bool, hasCurrent);
    QFETCH(QStringList, expected);
    QFETCH(bool, legacyRemains);

    StoreFixture fixture;
    if (hasLegacy)
        fixture.preferences.setStringArray(WorkspaceList::legacyKey, legacy);
    if (hasCurrent)
        fixture.preferences.setStringArray(WorkspaceList::savedKey, current);

    QCOMPARE(fixture.store->getAvailableWorkspaces({}), QStringList{"Personal"} + expected);
    const QString path = fixture.preferences.filePath();
    QCOMPARE(storedValue(path, WorkspaceList::legacyKey).isValid(), legacyRemains);
    if (hasLegacy || hasCurrent)
        QCOMPARE(storedValue(path, WorkspaceList::savedKey).toStringList(), expected);
    // A second read changes nothing.
    QCOMPARE(fixture.store->getAvailableWorkspaces({}), QStringList{"Personal"} + expected);
}

void TestWorkspaces::savedListIsCleaned()
{
    QCOMPARE(WorkspaceList::cleaned({"Work", "Personal", "Home", "Work", "Personal"}),
             (QStringList{"Work", "Home"}));

    StoreFixture fixture;
    fixture.preferences.setStringArray(WorkspaceList::savedKey, {"Work", "Personal", "Work", "Home"});
    QCOMPARE(fixture.store->getAvailableWorkspaces({}), (QStringList{"Personal", "Work", "Home"}));
    // Reading doesn't write the cleaned list back...
    QCOMPARE(storedValue(fixture.preferences.filePath(), WorkspaceList::savedKey).toStringList(),
             (QStringList{"Work", "Personal", "Work", "Home"}));
    // ...but the next write stores it clean.
    fixture.store->moveWorkspaceDown(QStringLiteral("Work"));
    QCOMPARE(storedValue(fixture.preferences.filePath(), WorkspaceList::savedKey).toStringList(),
             (QStringList{"Home", "Work"}));
}

void TestWorkspaces::create()
{
    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    store.createWorkspace(QStringLiteral("  Work \n"));
    QCOMPARE(store.selectedWorkspace(), QStringLiteral("Work"));
    store.createWorkspace(QStringLiteral("Home"));
    store.createWorkspace(QStringLiteral("Work"));
    QCOMPARE(store.selectedWorkspace(), QStringLiteral("Work"));
    QCOMPARE(store.getAvailableWorkspaces({}), (QStringList{"Personal", "Work", "Home"}));

    store.createWorkspace(QStringLiteral("Personal"));
    QCOMPARE(store.selectedWorkspace(), QStringLiteral("Personal"));
    QCOMPARE(store.getAvailableWorkspaces({}), (QStringList{"Personal", "Work", "Home"}));

    store.createWorkspace(QStringLiteral("   "));
    QCOMPARE(store.selectedWorkspace(), QStringLiteral("Personal"));
    QCOMPARE(store.getAvailableWorkspaces({}), (QStringList{"Personal", "Work", "Home"}));
}

void TestWorkspaces::renameMovesTasksAndSelection()
{
    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    store.createWorkspace(QStringLiteral("Work"));
    store.createWorkspace(QStringLiteral("Home"));
    store.createWorkspace(QStringLiteral("Garden"));
    store.setSelectedWorkspace(QStringLiteral("Home"));
    store.addTask(QStringLiteral("Dishes"));
    store.addTask(QStringLiteral("Laundry"));

    store.renameWorkspace(QStringLiteral("Home"), QStringLiteral(" House "));
    QCOMPARE(store.selectedWorkspace(), QStringLiteral("House"));
    QCOMPARE(store.getAvailableWorkspaces(fixture.allTasks()),
             (QStringList{"Personal", "Work", "House", "Garden"}));
    fixture.reopen();
    QCOMPARE(workspacesOf(fixture.allTasks()), (QStringList{"House", "House"}));
}

void TestWorkspaces::renameOntoAnExistingName()
{
    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    store.createWorkspace(QStringLiteral("Work"));
    store.addTask(QStringLiteral("Report"));
    store.createWorkspace(QStringLiteral("Office"));
    store.addTask(QStringLiteral("Printer"));

    store.renameWorkspace(QStringLiteral("Office"), QStringLiteral("Work"));
    QCOMPARE(store.getAvailableWorkspaces(fixture.allTasks()), (QStringList{"Personal", "Work"}));
    QCOMPARE(workspacesOf(fixture.allTasks()), (QStringList{"Work", "Work"}));
    QCOMPARE(store.selectedWorkspace(), QStringLiteral("Work"));

    // Onto "Personal": the tasks move there and the name leaves the list.
    store.createWorkspace(QStringLiteral("Temp"));
    store.addTask(QStringLiteral("Scratch"));
    store.renameWorkspace(QStringLiteral("Temp"), QStringLiteral("Personal"));
    QCOMPARE(store.getAvailableWorkspaces(fixture.allTasks()), (QStringList{"Personal", "Work"}));
    QCOMPARE(fixture.allTasks().constLast()->workspace(), QStringLiteral("Personal"));
}

void TestWorkspaces::renameRefusals_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("Personal") << "Personal"
                              << "Private";
    QTest::newRow("blank new name") << "Work"
                                    << " \n";
    QTest::newRow("same name") << "Work"
                               << " Work ";
    QTest::newRow("nothing selected") << ""
                                      << "Work";
}

void TestWorkspaces::renameRefusals()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    StoreFixture fixture;
    fixture.store->createWorkspace(QStringLiteral("Work"));
    fixture.store->addTask(QStringLiteral("Report"));
    fixture.store->setSelectedWorkspace(QString());
    fixture.store->addTask(QStringLiteral("Mine"));
    QSignalSpy announced(fixture.store.get(), &TaskStore::workspacesChanged);

    fixture.store->renameWorkspace(from, to);
    QCOMPARE(announced.count(), 0);
    QVERIFY(fixture.store->selectedWorkspace().isEmpty());
    QCOMPARE(workspacesOf(fixture.allTasks()), (QStringList{"Work", "Personal"}));
    QCOMPARE(fixture.store->getAvailableWorkspaces({}), (QStringList{"Personal", "Work"}));
}

void TestWorkspaces::deleteRemovesTasksAndSubtasks()
{
    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    store.createWorkspace(QStringLiteral("Work"));
    TaskItem *report = store.addTask(QStringLiteral("Report"));
    store.addSubtask(report, QStringLiteral("Draft"));
    store.addTask(QStringLiteral("Slides"));
    store.addTask(QStringLiteral("Budget"));
    store.setSelectedWorkspace(QString());
    store.addTask(QStringLiteral("Mine"));
    store.setSelectedWorkspace(QStringLiteral("Work"));

    // The panel's list is delivered again once for the removal and once for
    // the save, however many tasks the workspace held.
    QSignalSpy delivered(fixture.context(), &ModelContext::changed);
    store.deleteWorkspace(QStringLiteral("Work"));
    QCOMPARE(delivered.count(), 2);
    QVERIFY(store.selectedWorkspace().isEmpty());
    QCOMPARE(workspacesOf(fixture.allTasks()), QStringList{"Personal"});
    QCOMPARE(fixture.container->connection().queryInt("SELECT count(*) FROM SubTaskItem"), 0);
    QCOMPARE(store.getAvailableWorkspaces(fixture.allTasks()), QStringList{"Personal"});
    fixture.reopen();
    QCOMPARE(fixture.allTasks().size(), 1);

    fixture.store->setSelectedWorkspace(QStringLiteral("Personal"));
    fixture.store->deleteWorkspace(QStringLiteral("Personal"));
    QCOMPARE(fixture.allTasks().size(), 1);
    QCOMPARE(fixture.store->selectedWorkspace(), QStringLiteral("Personal"));
}

void TestWorkspaces::moves()
{
    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    for (const char *name : {"A", "B", "C"})
        store.createWorkspace(QString::fromLatin1(name));
    QSignalSpy announced(&store, &TaskStore::workspacesChanged);

    store.moveWorkspaceUp(QStringLiteral("A"));
    store.moveWorkspaceDown(QStringLiteral("C"));
    store.moveWorkspaceUp(QStringLiteral("Personal"));
    store.moveWorkspaceDown(QStringLiteral("Nowhere"));
    QCOMPARE(announced.count(), 0);

    store.moveWorkspaceUp(QStringLiteral("C"));
    QCOMPARE(store.getAvailableWorkspaces({}), (QStringList{"Personal", "A", "C", "B"}));
    store.moveWorkspaceDown(QStringLiteral("A"));
    QCOMPARE(store.getAvailableWorkspaces({}), (QStringList{"Personal", "C", "A", "B"}));
    QCOMPARE(announced.count(), 2);
}

void TestWorkspaces::availableWorkspacesOrder()
{
    StoreFixture fixture;
    TaskStore &store = *fixture.store;
    store.createWorkspace(QStringLiteral("Work"));
    store.createWorkspace(QStringLiteral("Home"));
    for (const char *name : {"zeta", "Alpha", "Home", "Personal"}) {
        store.setSelectedWorkspace(QString::fromLatin1(name));
        store.addTask(QStringLiteral("Task"));
    }
    store.setSelectedWorkspace(QString());
    QCOMPARE(store.getAvailableWorkspaces(fixture.allTasks()),
             (QStringList{"Personal", "Work", "Home", "Alpha", "zeta"}));

    // Code points, not UTF-16 units: U+1F600 sorts after U+FB01.
    store.setSelectedWorkspace(QStringLiteral("Idea")); // selected, unused
    QCOMPARE(store.getAvailableWorkspaces(fixture.allTasks()),
             (QStringList{"Personal", "Work", "Home", "Alpha", "Idea", "zeta"}));

    const QString emoji = QString::fromUtf8("\U0001F600");
    const QString ligature = QString::fromUtf8("\uFB01");
    QCOMPARE(WorkspaceList::available({}, {emoji, ligature}, {}), (QStringList{"Personal", ligature, emoji}));
}

void TestWorkspaces::everyListWriteIsAnnounced()
{
    StoreFixture fixture;
    QSignalSpy announced(fixture.store.get(), &TaskStore::workspacesChanged);
    fixture.store->createWorkspace(QStringLiteral("Work"));
    fixture.store->createWorkspace(QStringLiteral("Home"));
    fixture.store->renameWorkspace(QStringLiteral("Home"), QStringLiteral("House"));
    fixture.store->deleteWorkspace(QStringLiteral("House"));
    QCOMPARE(announced.count(), 4);

    // A key written twice by hand: Qt keeps one, and writes go on.
    QFile file(fixture.preferences.filePath());
    QVERIFY(file.open(QIODevice::Append));
    file.write("isPinned=true\nisPinned=false\n");
    file.close();
    fixture.store->createWorkspace(QStringLiteral("Garden"));
    QCOMPARE(announced.count(), 5);
    QCOMPARE(storedValue(fixture.preferences.filePath(), WorkspaceList::savedKey).toStringList(),
             (QStringList{"Work", "Garden"}));

    // A file that can't be read completely is never rewritten, and nothing
    // pretends it was.
    QVERIFY(file.open(QIODevice::Append));
    file.write("broken=\"unterminated\nafter=1\n");
    file.close();
    CapturedLines lines;
    fixture.store->createWorkspace(QStringLiteral("Shed"));
    QCOMPARE(announced.count(), 5);
    QCOMPARE(lines.lines().size(), 1);
}

QTEST_GUILESS_MAIN(TestWorkspaces)
#include "tst_workspaces.moc"
