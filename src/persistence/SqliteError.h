#pragma once

#include "StoreError.h"

struct sqlite3;

// A failed SQLite call, with SQLite's own result code and sqlite3_errmsg text.
class SqliteError : public StoreError
{
public:
    SqliteError(int code, const QString &message);

    // Reads the code and message of the last failed call on the connection.
    static SqliteError fromConnection(sqlite3 *db, int code, const QString &context = {});

    int code() const { return m_code; }
    // Whether trying the same write again can never succeed (a constraint,
    // a row that is gone), as opposed to a passing failure (busy, full disk).
    bool isPermanent() const;

private:
    int m_code;
};
