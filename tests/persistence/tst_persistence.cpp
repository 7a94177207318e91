#include "ModelContainer.h"
#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void runSql(const QString &path, const char *sql)
{
    SqliteConnection(path, SqliteConnection::OpenMode::ReadWriteCreate).execute(sql);
}

// Commits in WAL mode and dies before closing, as a crash would: the commit
// stays in a -wal file beside the database.
void commitAndCrash(const QString &path, const char *sql)
{
    const pid_t child = fork();
    if (child == 0) {
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

// The store file and its companions, each by content.
QMap<QString, QByteArray> filesBeside(const QString &path)
{
    QMap<QString, QByteArray> files;
    for (const char *suffix : {"", "-wal", "-shm"})
        if (QFile::exists(path + suffix))
            files.insert(suffix, contentsOf(path + suffix));
    return files;
}

const QString key = u"ordlen_custom_workspaces"_s;
const QString pinned = u"isPinned"_s;

// What a reader that never saw this process's writes finds in the file.
std::optional<QStringList> storedList(const QString &path)
{
    return Preferences(path).stringArray(key);
}

} // namespace

class TestPersistence : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Marked, configured and private; and held by one process at a time.
    void storeFileIsMarkedPrivateAndLocked()
    {
        StoreFixture fixture;
        fixture.store->addTask("Secret");
        SqliteConnection &db = fixture.container->connection();
        QStringList values;
        // Application id "ORDL", schema 1.0.0, write-ahead log, full sync, foreign keys.
        for (const char *pragma :
             {"application_id", "user_version", "journal_mode", "synchronous", "foreign_keys"})
            values << db.queryText((QByteArray("PRAGMA ") + pragma).constData());
        QCOMPARE(values, (QStringList{QString::number(0x4F52444C), "10000", "wal", "2", "1"}));
        for (const QString &suffix : {QString(), QStringLiteral("-wal")}) {
            const QFile::Permissions permissions = QFileInfo(fixture.storePath() + suffix).permissions();
            QVERIFY(!(permissions &
                      (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther)));
        }
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 ModelContainer::open(ModelConfiguration::onDisk(fixture.storePath())));
        fixture.close();
        QCOMPARE(ModelContainer::open(ModelConfiguration::onDisk(fixture.storePath()))
                     ->mainContext()
                     ->fetchTasks()
                     .size(),
                 1);
    }

    void refusedFilesAreLeftAsTheyWere_data()
    {
        using Prepare = std::function<void(const QString &path)>;
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<QString>("reason");

        QTest::newRow("text file") << Prepare([](const QString &path) {
            writeFile(path, "buy milk\ncall mom\n");
        }) << "not a database";
        QTest::newRow("another application's id")
            << Prepare([](const QString &path) { runSql(path, "PRAGMA application_id = 1"); })
            << "not an Ordlen store";
        QTest::newRow("newer schema, change pending in -wal") << Prepare([](const QString &path) {
            commitAndCrash(path, "PRAGMA user_version = 10100; INSERT INTO TaskItem VALUES "
                                 "(9, x'00', 'Newer', 0, 0, '', 9, 'Personal')");
        }) << "newer version";
        QTest::newRow("another database's -wal beside the store") << Prepare([](const QString &path) {
            const QString other = path + QStringLiteral(".other");
            commitAndCrash(other, "CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('x')");
            QVERIFY(QFile::copy(other + QStringLiteral("-wal"), path + QStringLiteral("-wal")));
        }) << "not an Ordlen store";
        QTest::newRow("damaged page") << Prepare([](const QString &path) {
            runSql(path, "PRAGMA journal_mode = DELETE; CREATE TABLE filler (x); INSERT INTO filler SELECT "
                         "zeroblob(3000) "
                         "FROM (WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20) "
                         "SELECT i FROM n)");
            QByteArray damaged = contentsOf(path);
            writeFile(path, damaged.replace(damaged.size() - 4096 * 3, 64, QByteArray(64, '\xA5')));
        }) << "damaged";
    }

    void refusedFilesAreLeftAsTheyWere()
    {
        QFETCH(std::function<void(const QString &)>, prepare);
        QFETCH(QString, reason);
        StoreFixture fixture; // every row starts from a closed store with a task
        fixture.store->addTask("Mine");
        fixture.close();
        const QString path = fixture.storePath();
        prepare(path);
        const QMap<QString, QByteArray> before = filesBeside(path);

        try {
            ModelContainer::open(ModelConfiguration::onDisk(path));
            QFAIL("the file was accepted");
        } catch (const StoreError &error) {
            QVERIFY2(error.description().contains(reason, Qt::CaseInsensitive),
                     qPrintable(error.description()));
        }
        QCOMPARE(filesBeside(path), before);
    }

    void closingSavesWhatIsPending()
    {
        StoreFixture fixture;
        fixture.container->connection().execute("PRAGMA query_only = 1");
        CapturedLines lines;
        fixture.store->addTask("Saved at quit");
        fixture.container->connection().execute("PRAGMA query_only = 0");
        fixture.reopen();
        QCOMPARE(titlesOf(fixture.allTasks()), QStringList{"Saved at quit"});

        // What can't be saved even then is reported, not silently dropped.
        fixture.container->connection().execute("PRAGMA query_only = 1");
        fixture.store->addTask("Lost");
        lines.clear();
        fixture.close();
        QCOMPARE(lines.lines().size(), 1);
        QVERIFY(lines.lines().constFirst().contains("lost"));
    }

    // Preferences

    // A list written and read again, or a file written by hand (null list: nothing read).
    void readsBack_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: the list is written
        QTest::addColumn<QStringList>("list");
        const QByteArray written;
        QTest::newRow("empty list") << written << QStringList{};
        QTest::newRow("one name") << written << QStringList{"Work"};
        QTest::newRow("INI syntax inside")
            << written << QStringList{"Work, Home", "say \"hi\"",     "a=b",      "x;y", "back\\slash",
                                      "[General]",  "#not a comment", "  padded "};
        QTest::newRow("missing key") << "[General]\nother=1\n"_ba << QStringList();
        QTest::newRow("byte array") << "[General]\nordlen_custom_workspaces=@ByteArray(abc)\n"_ba
                                    << QStringList();
        QTest::newRow("hand-edited list")
            << "[General]\nordlen_custom_workspaces=Work, Home\n"_ba << QStringList{"Work", "Home"};
    }

    void readsBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, list);
        const QString path = m_dir.filePath(u"%1.conf"_s.arg(QTest::currentDataTag()));
        if (file.isNull())
            QVERIFY(Preferences(path).setStringArray(key, list));
        else
            writeFile(path, file);
        QCOMPARE(storedList(path), file.isNull() || !list.isEmpty() ? std::optional(list) : std::nullopt);
    }

    // Two writes of the same size that the file system stamps with the same
    // time look unchanged to Qt's per-path cache of settings files. (A
    // Boolean reads back from the text Qt writes for it.)
    void writesWithinOneTimestampTickAreAllKept()
    {
        const QString path = m_dir.filePath(u"tick.conf"_s);
        Preferences preferences(path);
        const QByteArray file = QFile::encodeName(path);
        struct stat first = {};
        QVERIFY(preferences.setStringArray(key, {"A"}) && ::stat(file.constData(), &first) == 0);
        QVERIFY(preferences.setStringArray(key, {"B"}));
        const timespec sameTimes[2] = {first.st_atim, first.st_mtim};
        QVERIFY(::utimensat(AT_FDCWD, file.constData(), sameTimes, 0) == 0);
        QVERIFY(preferences.setBool(pinned, false));
        QCOMPARE(storedList(path), std::optional(QStringList{"B"}));
        QCOMPARE(preferences.stringArray(key), std::optional(QStringList{"B"}));
        QVERIFY(!Preferences(path).boolValue(pinned, true));
    }

    void damagedFileIsNeverOverwritten()
    {
        // Qt reads this without an error but drops every key after the quote.
        const QString path = m_dir.filePath(u"damaged.conf"_s);
        const QByteArray damaged("[General]\nordlen_custom_workspaces=Work\nisPinned=\"true\nother=kept\n");
        writeFile(path, damaged);
        Preferences preferences(path);
        CapturedLines lines;
        QCOMPARE(preferences.stringArray(key), std::nullopt); // not even what came before the quote
        QVERIFY(!preferences.setStringArray(key, {"Home"}));
        QCOMPARE(contentsOf(path), damaged);
        QCOMPARE(lines.lines().size(), 1);
        QVERIFY(lines.lines().constFirst().startsWith("Ordlen: Could not save preferences — "));
    }

    void fullDiskKeepsThePreviousFile()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a tiny file system needs root");
        QTemporaryDir mountPoint;
        const QByteArray mounted = mountPoint.path().toLocal8Bit();
        if (::mount("tmpfs", mounted.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("could not mount a tmpfs here");
        const QString path = mountPoint.filePath(u"Ordlen.conf"_s);
        {
            Preferences preferences(path);
            QVERIFY(preferences.setStringArray(WorkspaceList::legacyKey, {"Work", "Home"}));
            const QByteArray before = contentsOf(path);
            QFile filler(mountPoint.filePath(u"filler"_s));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
            }
            filler.close();

            CapturedLines lines;
            // The legacy list can't be taken over now; it is shown all the same.
            QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
            QVERIFY(!preferences.setStringArray(key, QStringList(400, u"A long workspace name"_s)));
            QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
            QCOMPARE(lines.lines().size(), 1); // one failure, told once
            QCOMPARE(contentsOf(path), before);
            QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden).size(),
                     2); // no staging left
        }
        ::umount(mounted.constData());
    }
};

QTEST_GUILESS_MAIN(TestPersistence)
#include "tst_persistence.moc"
