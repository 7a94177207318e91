#include "SqliteStatement.h"

#include "SqliteError.h"

#include <sqlite3.h>
#include <utility>

SqliteStatement::SqliteStatement(sqlite3 *db, const char *sql) : m_db(db)
{
    const int rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw SqliteError::fromConnection(db, rc);
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

SqliteStatement::SqliteStatement(SqliteStatement &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_stmt(std::exchange(other.m_stmt, nullptr))
{}

SqliteStatement &SqliteStatement::operator=(SqliteStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = std::exchange(other.m_db, nullptr);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

void SqliteStatement::check(int rc, const char *what) const
{
    if (rc != SQLITE_OK)
        throw SqliteError::fromConnection(m_db, rc, QString::fromLatin1(what));
}

SqliteStatement &SqliteStatement::bind(int index, qint64 value)
{
    check(sqlite3_bind_int64(m_stmt, index, value), "bind");
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    check(sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT), "bind");
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, const QByteArray &blob)
{
    check(sqlite3_bind_blob(m_stmt, index, blob.constData(), int(blob.size()), SQLITE_TRANSIENT), "bind");
    return *this;
}

SqliteStatement &SqliteStatement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt, index), "bind");
    return *this;
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Keep the statement reusable after a failure.
    const SqliteError error = SqliteError::fromConnection(m_db, rc);
    sqlite3_reset(m_stmt);
    throw error;
}

void SqliteStatement::execute()
{
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

qint64 SqliteStatement::int64At(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::doubleAt(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QString SqliteStatement::textAt(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

QByteArray SqliteStatement::blobAt(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(data, sqlite3_column_bytes(m_stmt, column));
}

QByteArrayView SqliteStatement::blobViewAt(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    return QByteArrayView(data, sqlite3_column_bytes(m_stmt, column));
}

QByteArrayView SqliteStatement::textViewAt(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_stmt, column));
}

bool SqliteStatement::isNullAt(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}
