#include "ModelContainer.h"

#include "ModelContext.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "StoreSchema.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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
        connection = std::make_unique<SqliteConnection>(configuration.path, SqliteConnection::OpenMode::ReadWrite);
    }
    StoreSchema::prepare(*connection);
    StoreSchema::configure(*connection, configuration.isStoredInMemoryOnly);
    return std::unique_ptr<ModelContainer>(new ModelContainer(configuration, std::move(connection)));
}

ModelContainer::ModelContainer(const ModelConfiguration &configuration, std::unique_ptr<SqliteConnection> connection)
    : m_configuration(configuration), m_connection(std::move(connection)),
      m_mainContext(std::make_unique<ModelContext>(*m_connection))
{
}

ModelContainer::~ModelContainer()
{
    // The context holds prepared statements on the connection: close it first.
    m_mainContext.reset();
}
