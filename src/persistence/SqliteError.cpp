#include "SqliteError.h"

#include <sqlite3.h>

SqliteError::SqliteError(int code, const QString &message) : StoreError(message), m_code(code) {}

SqliteError SqliteError::fromConnection(sqlite3 *db, int code, const QString &context)
{
    QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    if (!context.isEmpty())
        message = context + QStringLiteral(": ") + message;
    return SqliteError(code, message);
}

bool SqliteError::isPermanent() const
{
    switch (m_code & 0xff) {
    case SQLITE_CONSTRAINT:
    case SQLITE_NOTFOUND:
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG:
        return true;
    default:
        return false;
    }
}
