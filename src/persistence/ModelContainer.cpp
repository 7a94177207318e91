#include "ModelContainer.h"

#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "StoreSchema.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <unistd.h>

namespace {

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
    std::unique_ptr<SqliteConnection> connection;
    if (configuration.isStoredInMemoryOnly) {
        connection = std::make_unique<SqliteConnection>(QStringLiteral(":memory:"),
                                                        SqliteConnection::OpenMode::ReadWriteCreate);
    } else {
        if (configuration.path.isEmpty())
            throw StoreError(QStringLiteral("No store file was given."));
        if (!QFileInfo::exists(configuration.path))
            createPrivateFile(configuration.path);
        // Never let SQLite create or replace a file: only the one checked above.
        connection =
            std::make_unique<SqliteConnection>(configuration.path, SqliteConnection::OpenMode::ReadWrite);
    }
    const StoreSchema::State state = StoreSchema::prepare(*connection);
    std::unique_ptr<ModelContainer> container(new ModelContainer(configuration, std::move(connection)));

    if (state == StoreSchema::State::Existing) {
        // An existing file is checked page by page before anything is
        // written to it. The check reads the whole file on its own
        // connection while this thread loads the records: both are reads, and
        // the records are dropped with the container if the check fails.
        auto integrity = std::async(std::launch::async, [path = configuration.path] {
            SqliteConnection reader(path, SqliteConnection::OpenMode::ReadOnly);
            StoreSchema::checkIntegrity(reader);
        });
        try {
            container->mainContext()->preload();
        } catch (...) {
            integrity.wait();
            throw;
        }
        integrity.get(); // rethrows the check's StoreError
    }
    StoreSchema::allowWrites(*container->m_connection, configuration.isStoredInMemoryOnly);
    return container;
}

ModelContainer::ModelContainer(const ModelConfiguration &configuration,
                               std::unique_ptr<SqliteConnection> connection)
    : m_configuration(configuration), m_connection(std::move(connection)),
      m_mainContext(std::make_unique<ModelContext>(*m_connection))
{}

ModelContainer::~ModelContainer()
{
    // The context holds prepared statements on the connection: close it first.
    m_mainContext.reset();
}
