#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Reads a key the way another process would.
QVariant storedValue(const QString &path, const QString &key)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? Preferences::read(file.readAll()).values.value(key) : QVariant();
}

// Runs "verb:argument" steps, apart by ";"; "rename:From>To".
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

class TestWorkspaces : public QObject
{
    Q_OBJECT

private slots:
    void legacyTakeover_data()
    {
        QTest::addColumn<QVariant>("legacy");
        QTest::addColumn<QVariant>("current");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("legacyRemains");
        const QVariant none;
        QTest::newRow("legacy only") << QVariant(QStringList{"Work", "Home"}) << none
                                     << QStringList{"Work", "Home"} << false;
        QTest::newRow("one legacy name")
            << QVariant(QStringList{"Work"}) << none << QStringList{"Work"} << false;
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

    void availableOrderIsByCodePoint()
    {
        StoreFixture fixture;
        run(fixture, "create:Work;select:zeta;add:T;select:Alpha;add:T;select:Personal;add:T;select:Idea");
        QCOMPARE(fixture.store->getAvailableWorkspaces(fixture.allTasks()),
                 (QStringList{"Personal", "Work", "Alpha", "Idea", "zeta"}));
        // Code points, not UTF-16 units: U+1F600 sorts after U+FB01.
        const QString emoji = "\U0001F600", ligature = "\uFB01";
        QCOMPARE(WorkspaceList::available({}, {emoji, ligature}, {}),
                 (QStringList{"Personal", ligature, emoji}));
    }

    void onlyWrittenListsAreAnnounced()
    {
        StoreFixture fixture;
        QSignalSpy announced(&*fixture.store, &TaskStore::workspacesChanged);
        run(fixture, "create:Work;create:Home;rename:Home>House;delete:House");
        QCOMPARE(announced.count(), 4);

        // A key written twice by hand: Qt keeps one, and writes go on.
        QFile file(fixture.preferences.filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("isPinned=true\nisPinned=false\n");
        file.close();
        fixture.store->createWorkspace("Garden");
        QCOMPARE(announced.count(), 5);
        QCOMPARE(storedValue(file.fileName(), WorkspaceList::savedKey).toStringList(),
                 (QStringList{"Work", "Garden"}));

        // A file that can't be read completely is never rewritten, and nothing
        // pretends it was.
        QVERIFY(file.open(QIODevice::Append));
        file.write("broken=\"unterminated\nafter=1\n");
        file.close();
        CapturedLines lines;
        fixture.store->createWorkspace("Shed");
        QCOMPARE(announced.count(), 5);
        QCOMPARE(lines.lines().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWorkspaces)
#include "tst_workspaces.moc"
