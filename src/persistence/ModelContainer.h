#pragma once

#include "ModelConfiguration.h"
#include "StoreFileGuard.h"

#include <memory>
#include <optional>

class ModelContext;
class SqliteConnection;
class StoreLock;

// The opened store: one SQLite connection and the main context that works on it.
class ModelContainer
{
public:
    // Throws StoreError with a readable text when the store can't be opened.
    // A file that is refused is left as it was, companions included.
    static std::unique_ptr<ModelContainer> open(const ModelConfiguration &configuration);
    // Opens a store file only to read it: nothing is written, and the file
    // and its -wal and -shm are left as they were found. Beside a running
    // Ordlen, which holds the lock, it reads what that one has saved. A file
    // that does not exist or has no bytes reads as an empty store. Throws
    // StoreError as open() does.
    static std::unique_ptr<ModelContainer> openForReading(const QString &path);
    // Makes one last attempt to save what is still pending.
    ~ModelContainer();

    ModelContext *mainContext() const { return m_mainContext.get(); }
    const ModelConfiguration &configuration() const { return m_configuration; }
    SqliteConnection &connection() const { return *m_connection; }

private:
    ModelContainer(const ModelConfiguration &configuration, std::unique_ptr<StoreLock> lock,
                   std::unique_ptr<SqliteConnection> connection);
    static std::unique_ptr<ModelContainer> openFile(const ModelConfiguration &configuration,
                                                    std::unique_ptr<StoreLock> lock);
    void loadCheckedRecords();

    ModelConfiguration m_configuration;
    std::unique_ptr<StoreLock> m_lock;
    std::unique_ptr<SqliteConnection> m_connection;
    std::unique_ptr<ModelContext> m_mainContext;
    // Set when the container only reads: puts the companions back at the end.
    std::optional<StoreFileGuard> m_readGuard;
};
