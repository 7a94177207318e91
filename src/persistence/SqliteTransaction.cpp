#include "SqliteTransaction.h"

#include "SqliteConnection.h"

#include <sqlite3.h>

SqliteTransaction::SqliteTransaction(SqliteConnection &connection) : m_connection(connection)
{
    m_connection.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction()
{
    // A failed COMMIT (for example on a full disk) may already have rolled
    // back; only roll back what is still open.
    if (m_open && !sqlite3_get_autocommit(m_connection.handle()))
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit()
{
    m_connection.execute("COMMIT");
    m_open = false;
}
