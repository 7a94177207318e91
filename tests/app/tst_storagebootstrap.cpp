#include "ModelContainer.h"
#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StorageBootstrap.h"
#include "StoreFixture.h"
#include "TaskItem.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QString fallbackPrefix =
    QStringLiteral("Ordlen: Error initializing SwiftData, falling back to memory: ");

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A real store with enough rows to span several pages.
void makeStore(const QString &path, int tasks)
{
    auto container = ModelContainer::open(ModelConfiguration::onDisk(path));
    Preferences preferences(path + QStringLiteral(".conf"));
    TaskStore store(container->mainContext(), &preferences);
    for (int i = 0; i < tasks; ++i)
        store.addTask(QStringLiteral("Task number %1 with a title long enough to fill pages").arg(i));
}

void runSql(const QString &path, const char *sql)
{
    SqliteConnection db(path, SqliteConnection::OpenMode::ReadWriteCreate);
    db.execute(sql);
}

} // namespace

class TestStorageBootstrap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storeLivesInThePrivateDataFolder();
    void secondStartOpensTheRecords();
    void badFilesFallBackAndStayUntouched_data();
    void badFilesFallBackAndStayUntouched();
};

void TestStorageBootstrap::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Ordlen"));
}

void TestStorageBootstrap::storeLivesInThePrivateDataFolder()
{
    const QString folder = StorageBootstrap::dataDirectory();
    QVERIFY(folder.endsWith(QStringLiteral("/Ordlen")));
    // ctest points XDG_DATA_HOME below the build tree; never the real home.
    QVERIFY(folder.contains(QStringLiteral("test-home")));
    QDir(folder).removeRecursively();

    CapturedLines lines;
    auto container = StorageBootstrap::makeModelContainer();
    QVERIFY(lines.lines().isEmpty());
    QVERIFY(!container->configuration().isStoredInMemoryOnly);
    QCOMPARE(container->configuration().path, QDir(folder).filePath(QStringLiteral("OrdlenStore.sqlite")));
    QVERIFY(QFileInfo::exists(container->configuration().path));
    const QFile::Permissions permissions = QFileInfo(folder).permissions();
    QVERIFY(permissions.testFlags(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(!(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                             QFile::WriteOther | QFile::ExeOther)));
}

void TestStorageBootstrap::secondStartOpensTheRecords()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b/Ordlen"));
    {
        auto container = StorageBootstrap::makeModelContainer(folder);
        Preferences preferences(dir.filePath(QStringLiteral("p.conf")));
        TaskStore(container->mainContext(), &preferences).addTask(QStringLiteral("Survives"));
    }
    CapturedLines lines;
    auto container = StorageBootstrap::makeModelContainer(folder);
    QVERIFY(lines.lines().isEmpty());
    QCOMPARE(container->mainContext()->fetchTasks().size(), 1);
}

void TestStorageBootstrap::badFilesFallBackAndStayUntouched_data()
{
    using Prepare = std::function<void(const QString &path)>;
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<QString>("reason");

    QTest::newRow("text file") << Prepare([](const QString &path) {
        writeFile(path, "buy milk\ncall mom\n");
    }) << "not a database";
    QTest::newRow("another application's database") << Prepare([](const QString &path) {
        runSql(path, "CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('x')");
    }) << "not an Ordlen store";
    QTest::newRow("newer schema") << Prepare([](const QString &path) {
        makeStore(path, 3);
        runSql(path, "PRAGMA user_version = 10100");
    }) << "newer version";
    QTest::newRow("damaged page") << Prepare([](const QString &path) {
        makeStore(path, 300);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 pageSize = 4096;
        QVERIFY(file.size() > 4 * pageSize);
        file.seek(3 * pageSize);
        file.write(QByteArray(64, '\xA5'));
    }) << "damaged";
    QTest::newRow("folder in its place")
        << Prepare([](const QString &path) { QDir().mkpath(path); }) << "error";
}

void TestStorageBootstrap::badFilesFallBackAndStayUntouched()
{
    QFETCH(std::function<void(const QString &)>, prepare);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = dir.filePath(StorageBootstrap::storeFileName);
    prepare(path);
    QFile::remove(path + QStringLiteral(".lock")); // the store's own lock, made again by the open
    const QByteArray before = hashOf(path);
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    CapturedLines lines;
    {
        auto container = StorageBootstrap::makeModelContainer(dir.path());
        QVERIFY(container->configuration().isStoredInMemoryOnly);
        // The panel still works, on memory only.
        Preferences preferences(dir.filePath(QStringLiteral("p.conf")));
        TaskStore store(container->mainContext(), &preferences);
        QVERIFY(store.addTask(QStringLiteral("Lost at quit")));
        QCOMPARE(container->mainContext()->fetchTasks().size(), 1);
    }
    QCOMPARE(lines.lines().size(), 1);
    QVERIFY2(lines.lines().constFirst().startsWith(fallbackPrefix), qPrintable(lines.lines().constFirst()));
    QVERIFY2(lines.lines().constFirst().contains(reason, Qt::CaseInsensitive),
             qPrintable(lines.lines().constFirst()));
    QCOMPARE(hashOf(path), before);
    QDir(dir.path()).remove(QStringLiteral("p.conf"));
    QDir(dir.path())
        .remove(StorageBootstrap::storeFileName + QStringLiteral(".lock")); // the store's own lock
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore);
}

QTEST_GUILESS_MAIN(TestStorageBootstrap)
#include "tst_storagebootstrap.moc"
