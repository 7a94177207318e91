#include "SqliteConnection.h"

#include "SqliteError.h"

#include <sqlite3.h>

SqliteConnection::SqliteConnection(const QString &path, OpenMode mode)
{
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case OpenMode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case OpenMode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case OpenMode::ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const SqliteError error = SqliteError::fromConnection(m_db, rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw error;
    }
    sqlite3_extended_result_codes(m_db, 1);
    // Before the first read: a lock held for a moment at start-up must not
    // make the store look unusable.
    setBusyTimeout(openBusyTimeoutMs);
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close_v2(m_db);
}

void SqliteConnection::execute(const char *sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(message);
        throw SqliteError(rc, text);
    }
}

SqliteStatement SqliteConnection::prepare(const char *sql)
{
    return SqliteStatement(m_db, sql);
}

qint64 SqliteConnection::queryInt(const char *sql)
{
    SqliteStatement statement(m_db, sql);
    return statement.step() ? statement.int64At(0) : 0;
}

QString SqliteConnection::queryText(const char *sql)
{
    SqliteStatement statement(m_db, sql);
    return statement.step() ? statement.textAt(0) : QString();
}

qint64 SqliteConnection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteConnection::changes() const
{
    return sqlite3_changes(m_db);
}

void SqliteConnection::setBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

void SqliteConnection::setCheckpointOnClose(bool enabled)
{
    int applied = 0;
    const int rc = sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, enabled ? 0 : 1, &applied);
    if (rc != SQLITE_OK)
        throw SqliteError::fromConnection(m_db, rc, QStringLiteral("checkpoint setting"));
}

void SqliteConnection::setMappedBytes(qint64 bytes)
{
    execute(QByteArray("PRAGMA mmap_size = " + QByteArray::number(bytes)).constData());
}

bool SqliteConnection::isReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}
