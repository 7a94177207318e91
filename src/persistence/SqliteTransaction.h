#pragma once

class SqliteConnection;

// BEGIN IMMEDIATE on construction, so a second writer waits for the lock at
// the start instead of failing half way; rolled back unless committed.
class SqliteTransaction
{
public:
    explicit SqliteTransaction(SqliteConnection &connection);
    ~SqliteTransaction();

    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    void commit();

private:
    SqliteConnection &m_connection;
    bool m_open = true;
};
