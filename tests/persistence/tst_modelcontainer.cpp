#include "ModelContainer.h"
#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <functional>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

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

void makeStore(const QString &path)
{
    auto container = ModelContainer::open(ModelConfiguration::onDisk(path));
    Preferences preferences(path + ".conf");
    TaskStore(container->mainContext(), &preferences).addTask("Mine");
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

} // namespace

class TestModelContainer : public QObject
{
    Q_OBJECT

private slots:
    void fileIsMarkedConfiguredAndPrivate()
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
    }

    void refusedFilesAreLeftAsTheyWere_data()
    {
        using Prepare = std::function<void(const QString &path)>;
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<QString>("reason");

        QTest::newRow("text file") << Prepare([](const QString &path) {
            writeFile(path, "buy milk\ncall mom\n");
        }) << "not a database";
        QTest::newRow("another application's database")
            << Prepare([](const QString &path) { runSql(path, "CREATE TABLE notes (body TEXT)"); })
            << "not an Ordlen store";
        QTest::newRow("newer schema, change pending in -wal") << Prepare([](const QString &path) {
            makeStore(path);
            commitAndCrash(path, "PRAGMA user_version = 10100; INSERT INTO TaskItem VALUES "
                                 "(9, x'00', 'Newer', 0, 0, '', 9, 'Personal')");
        }) << "newer version";
        QTest::newRow("another database's -wal beside the store") << Prepare([](const QString &path) {
            makeStore(path);
            const QString other = path + QStringLiteral(".other");
            commitAndCrash(other, "CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('x')");
            QVERIFY(QFile::copy(other + QStringLiteral("-wal"), path + QStringLiteral("-wal")));
        }) << "not an Ordlen store";
        QTest::newRow("damaged page") << Prepare([](const QString &path) {
            makeStore(path);
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OrdlenStore.sqlite"));
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

    void oneProcessPerStore()
    {
        StoreFixture fixture;
        fixture.store->addTask("Mine");
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 ModelContainer::open(ModelConfiguration::onDisk(fixture.storePath())));
        fixture.close();
        QCOMPARE(ModelContainer::open(ModelConfiguration::onDisk(fixture.storePath()))
                     ->mainContext()
                     ->fetchTasks()
                     .size(),
                 1);
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
};

QTEST_GUILESS_MAIN(TestModelContainer)
#include "tst_modelcontainer.moc"
