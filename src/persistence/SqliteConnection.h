#pragma once

#include "SqliteStatement.h"

#include <QString>

struct sqlite3;

// One SQLite connection, closed when it goes out of scope.
class SqliteConnection
{
public:
    enum class OpenMode
    {
        ReadOnly,
        ReadWrite,
        ReadWriteCreate
    };

    // Waits this long for another process's lock while a file is opened.
    static constexpr int openBusyTimeoutMs = 5000;

    // A path of ":memory:" opens a private in-memory database.
    SqliteConnection(const QString &path, OpenMode mode);
    ~SqliteConnection();

    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    void execute(const char *sql);
    SqliteStatement prepare(const char *sql);

    // Convenience for PRAGMAs and counts that answer with one integer.
    qint64 queryInt(const char *sql);
    QString queryText(const char *sql);

    qint64 lastInsertRowId() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;
    bool isReadOnly() const;

    // How long a statement waits for another process's lock before it
    // fails with SQLITE_BUSY.
    void setBusyTimeout(int milliseconds);
    // Off while a file is being examined: closing the last connection would
    // otherwise copy a leftover -wal into the file and delete it.
    void setCheckpointOnClose(bool enabled);
    // Reads up to this many bytes of the file through a memory mapping, which
    // spares a copy of every page read; 0 reads every page with read().
    void setMappedBytes(qint64 bytes);
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};
