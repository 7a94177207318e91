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
    bool isReadOnly() const;
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};
