#include "ModelContainer.h"

#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "StoreFileGuard.h"
#include "StoreLock.h"
#include "StoreLogging.h"
#include "StoreSchema.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <unistd.h>

namespace {

// Every page of the file is read while it is checked and loaded: through a
// mapping that covers any store, not copied page by page. Only for that
// while; a long-lived mapping of a file that another tool might cut short
// would turn that tool's mistake into a crash.
constexpr qint64 loadMappedBytes = qint64(1) << 30;

// A to-do list is private: a new store file is readable by its owner only.
// SQLite gives its -wal and -shm files the same mode.
void createPrivateFile(const QString &path)
{
    const int fd = ::open(QFileInfo(path).absoluteFilePath().toLocal8Bit().constData(),
                          O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return;
        throw StoreError(QStringLiteral("Could not create the store file %1: %2")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    ::close(fd);
}

} // namespace

std::unique_ptr<ModelContainer> ModelContainer::open(const ModelConfiguration &configuration)
{
    if (configuration.isStoredInMemoryOnly) {
        auto connection = std::make_unique<SqliteConnection>(QStringLiteral(":memory:"),
                                                             SqliteConnection::OpenMode::ReadWriteCreate);
        StoreSchema::create(*connection, true);
        StoreSchema::allowWrites(*connection, true);
        return std::unique_ptr<ModelContainer>(
            new ModelContainer(configuration, nullptr, std::move(connection)));
    }
    if (configuration.path.isEmpty())
        throw StoreError(QStringLiteral("No store file was given."));

    auto lock = std::make_unique<StoreLock>(configuration.path);
    if (!QFileInfo::exists(configuration.path))
        createPrivateFile(configuration.path);
    const StoreFileGuard guard(configuration.path);
    try {
        return openFile(configuration, std::move(lock));
    } catch (...) {
        guard.restore();
        throw;
    }
}

std::unique_ptr<ModelContainer> ModelContainer::openForReading(const QString &path)
{
    if (QFileInfo(path).size() == 0)
        return open(ModelConfiguration::inMemory());
    // Without the lock a running Ordlen has the file, and its -wal and -shm
    // are its own: they are read, never put back.
    std::unique_ptr<StoreLock> lock;
    try {
        lock = std::make_unique<StoreLock>(path, 0);
    } catch (const StoreError &error) {
        qCDebug(lcStore) << "reading beside its owner:" << error.description();
    }
    std::optional<StoreFileGuard> guard;
    if (lock)
        guard.emplace(path);
    try {
        auto connection = std::make_unique<SqliteConnection>(path, SqliteConnection::OpenMode::ReadOnly);
        connection->setCheckpointOnClose(false);
        if (StoreSchema::inspect(*connection) == StoreSchema::State::Empty)
            throw StoreError(QStringLiteral("The file is not an Ordlen store."));
        std::unique_ptr<ModelContainer> container(
            new ModelContainer(ModelConfiguration::onDisk(path), std::move(lock), std::move(connection)));
        container->m_readGuard = guard;
        container->loadCheckedRecords();
        return container;
    } catch (...) {
        if (guard)
            guard->restore();
        throw;
    }
}

std::unique_ptr<ModelContainer> ModelContainer::openFile(const ModelConfiguration &configuration,
                                                         std::unique_ptr<StoreLock> lock)
{
    // The file is judged through a connection that cannot write, and nothing
    // checkpoints a leftover -wal into it until it has passed every check:
    // that -wal may belong to another database.
    StoreSchema::State state;
    {
        SqliteConnection inspector(configuration.path, SqliteConnection::OpenMode::ReadOnly);
        inspector.setCheckpointOnClose(false);
        state = StoreSchema::inspect(inspector);
    }
    // Only a file with no bytes at all is new: a database someone else made,
    // even an empty one, is not ours to turn into a store.
    if (state == StoreSchema::State::Empty && QFileInfo(configuration.path).size() != 0)
        throw StoreError(QStringLiteral("The file is not an Ordlen store."));
    // Never let SQLite create or replace a file: only the one checked above.
    auto connection =
        std::make_unique<SqliteConnection>(configuration.path, SqliteConnection::OpenMode::ReadWrite);
    connection->setCheckpointOnClose(false);
    StoreSchema::requireWritable(*connection);
    if (state == StoreSchema::State::Empty)
        StoreSchema::create(*connection, false);

    std::unique_ptr<ModelContainer> container(
        new ModelContainer(configuration, std::move(lock), std::move(connection)));
    if (state == StoreSchema::State::Existing)
        container->loadCheckedRecords();
    StoreSchema::allowWrites(*container->m_connection, false);
    return container;
}

void ModelContainer::loadCheckedRecords()
{
    // Every page is checked on a read-only connection of its own while this
    // thread loads the records: both only read, and the records are dropped
    // with the container if the check fails.
    auto integrity = std::async(std::launch::async, [path = m_configuration.path] {
        SqliteConnection reader(path, SqliteConnection::OpenMode::ReadOnly);
        reader.setCheckpointOnClose(false);
        reader.setMappedBytes(loadMappedBytes);
        StoreSchema::checkIntegrity(reader);
    });
    try {
        m_connection->setMappedBytes(loadMappedBytes);
        m_mainContext->load();
        m_connection->setMappedBytes(0);
    } catch (...) {
        integrity.wait();
        throw;
    }
    integrity.get(); // rethrows the check's StoreError
}

ModelContainer::ModelContainer(const ModelConfiguration &configuration, std::unique_ptr<StoreLock> lock,
                               std::unique_ptr<SqliteConnection> connection)
    : m_configuration(configuration), m_lock(std::move(lock)), m_connection(std::move(connection)),
      m_mainContext(std::make_unique<ModelContext>(*m_connection))
{}

ModelContainer::~ModelContainer()
{
    m_mainContext->saveBeforeClosing();
    // The context holds prepared statements on the connection: close it first.
    m_mainContext.reset();
    if (m_readGuard) {
        m_connection.reset();
        m_readGuard->restore();
    }
}
