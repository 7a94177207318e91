#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Reads a key the way another process would.
QVariant storedValue(const QString &path, const QString &key)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? Preferences::read(file.readAll()).values.value(key) : QVariant();
}

// Runs "verb:argument" steps; "rename:From>To".
void run(StoreFixture &fixture, const QStringList &steps)
{
    TaskStore &store = *fixture.store;
    for (const QString &step : steps) {
        const QString verb = step.section(QLatin1Char(':'), 0, 0);
        const QString argument = step.section(QLatin1Char(':'), 1);
        if (verb == QLatin1String("create"))
            store.createWorkspace(argument);
        else if (verb == QLatin1String("select"))
            store.setSelectedWorkspace(argument);
        else if (verb == QLatin1String("add"))
            store.addSubtask(store.addTask(argument), QStringLiteral("step"));
        else if (verb == QLatin1String("rename"))
            store.renameWorkspace(argument.section(QLatin1Char('>'), 0, 0),
                                  argument.section(QLatin1Char('>'), 1));
        else if (verb == QLatin1String("delete"))
            store.deleteWorkspace(argument);
        else if (verb == QLatin1String("up"))
            store.moveWorkspaceUp(argument);
        else if (verb == QLatin1String("down"))
            store.moveWorkspaceDown(argument);
        else
            QFAIL(qPrintable(step));
    }
}

} // namespace

class TestWorkspaces : public QObject
{
    Q_OBJECT

private slots:
    void legacyTakeover_data();
    void legacyTakeover();
    void savedListIsCleanedOnTheNextWrite();
    void operations_data();
    void operations();
    void availableOrderIsByCodePoint();
    void onlyWrittenListsAreAnnounced();
};

void TestWorkspaces::legacyTakeover_data()
{
    QTest::addColumn<QVariant>("legacy");
    QTest::addColumn<QVariant>("current");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("legacyRemains");
    const QVariant none;
    QTest::newRow("legacy only") << QVariant(QStringList{"Work", "Home"}) << none
                                 << QStringList{"Work", "Home"} << false;
    QTest::newRow("one legacy name") << QVariant(QStringList{"Work"}) << none << QStringList{"Work"} << false;
    QTest::newRow("both keys") << QVariant(QStringList{"Old"}) << QVariant(QStringList{"New"})
                               << QStringList{"New"} << true;
    QTest::newRow("neither") << none << none << QStringList{} << false;
}

void TestWorkspaces::legacyTakeover()
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

void TestWorkspaces::savedListIsCleanedOnTheNextWrite()
{
    StoreFixture fixture;
    fixture.preferences.setStringArray(WorkspaceList::savedKey, {"Work", "Personal", "Work", "Home"});
    QCOMPARE(fixture.store->getAvailableWorkspaces({}), (QStringList{"Personal", "Work", "Home"}));
    QCOMPARE(storedValue(fixture.preferences.filePath(), WorkspaceList::savedKey).toStringList().size(), 4);
    fixture.store->moveWorkspaceDown(QStringLiteral("Work"));
    QCOMPARE(storedValue(fixture.preferences.filePath(), WorkspaceList::savedKey).toStringList(),
             (QStringList{"Home", "Work"}));
}

void TestWorkspaces::operations_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("taskWorkspaces");
    const QStringList made{"create:  Work \n", "add:Report", "create:Home", "add:Dishes", "select:"};
    QTest::newRow("create trims, selects, keeps order")
        << made << QStringList{"Personal", "Work", "Home"} << "" << QStringList{"Work", "Home"};
    QTest::newRow("create existing, Personal, blank")
        << made + QStringList{"create:Work", "create:Personal", "create:  "}
        << QStringList{"Personal", "Work", "Home"} << "Personal" << QStringList{"Work", "Home"};
    QTest::newRow("rename moves tasks and selection")
        << made + QStringList{"select:Home", "rename:Home> House "}
        << QStringList{"Personal", "Work", "House"} << "House" << QStringList{"Work", "House"};
    QTest::newRow("rename onto an existing name")
        << made + QStringList{"rename:Home>Work"} << QStringList{"Personal", "Work"} << ""
        << QStringList{"Work", "Work"};
    QTest::newRow("rename onto Personal")
        << made + QStringList{"rename:Home>Personal"} << QStringList{"Personal", "Work"} << ""
        << QStringList{"Work", "Personal"};
    QTest::newRow("rename of an unsaved name")
        << QStringList{"select:Loose", "add:Stray", "rename:Loose>Kept"} << QStringList{"Personal", "Kept"}
        << "Kept" << QStringList{"Kept"};
    for (const char *refused : {"rename:Personal>Private", "rename:Work> \n", "rename:Work> Work ",
                                "rename:>Work", "delete:Personal", "up:Work", "down:Home", "up:Nowhere"})
        QTest::newRow(refused) << made + QStringList{QString::fromUtf8(refused)}
                               << QStringList{"Personal", "Work", "Home"} << ""
                               << QStringList{"Work", "Home"};
    QTest::newRow("delete takes tasks and selection")
        << made + QStringList{"select:Work", "delete:Work"} << QStringList{"Personal", "Home"} << ""
        << QStringList{"Home"};
    QTest::newRow("moves") << made + QStringList{"create:Garden", "up:Garden", "down:Work"}
                           << QStringList{"Personal", "Garden", "Work", "Home"} << "Garden"
                           << QStringList{"Work", "Home"};
}

void TestWorkspaces::operations()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, available);
    QFETCH(QString, selected);
    QFETCH(QStringList, taskWorkspaces);
    StoreFixture fixture;
    run(fixture, steps);
    QCOMPARE(fixture.store->selectedWorkspace(), selected);
    fixture.reopen();
    fixture.store->setSelectedWorkspace(selected);
    QStringList workspaces;
    for (const TaskItem *task : fixture.allTasks())
        workspaces.append(task->workspace());
    QCOMPARE(workspaces, taskWorkspaces);
    QCOMPARE(fixture.store->getAvailableWorkspaces(fixture.allTasks()), available);
    // Deleted tasks take their subtasks with them.
    QCOMPARE(fixture.count("SELECT count(*) FROM SubTaskItem"), qint64(taskWorkspaces.size()));
}

void TestWorkspaces::availableOrderIsByCodePoint()
{
    StoreFixture fixture;
    run(fixture, {"create:Work", "select:zeta", "add:T", "select:Alpha", "add:T", "select:Personal", "add:T",
                  "select:Idea"});
    QCOMPARE(fixture.store->getAvailableWorkspaces(fixture.allTasks()),
             (QStringList{"Personal", "Work", "Alpha", "Idea", "zeta"}));
    // Code points, not UTF-16 units: U+1F600 sorts after U+FB01.
    const QString emoji = QString::fromUtf8("\U0001F600");
    const QString ligature = QString::fromUtf8("\uFB01");
    QCOMPARE(WorkspaceList::available({}, {emoji, ligature}, {}), (QStringList{"Personal", ligature, emoji}));
}

void TestWorkspaces::onlyWrittenListsAreAnnounced()
{
    StoreFixture fixture;
    QSignalSpy announced(fixture.store.get(), &TaskStore::workspacesChanged);
    run(fixture, {"create:Work", "create:Home", "rename:Home>House", "delete:House"});
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
