#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement that finalizes itself. Binding indices start at 1,
// column indices at 0, as in SQLite.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3 *db, const char *sql);
    ~SqliteStatement();

    SqliteStatement(SqliteStatement &&other) noexcept;
    SqliteStatement &operator=(SqliteStatement &&other) noexcept;
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    SqliteStatement &bind(int index, qint64 value);
    SqliteStatement &bind(int index, const QString &value);
    SqliteStatement &bind(int index, const QByteArray &blob);
    SqliteStatement &bindNull(int index);

    // Advances to the next row; false once the statement is done.
    bool step();
    // Runs a statement that returns no rows, then resets it for reuse.
    void execute();
    void reset();

    qint64 int64At(int column) const;
    double doubleAt(int column) const;
    QString textAt(int column) const;
    QByteArray blobAt(int column) const;
    // Valid until the next step() or reset().
    QByteArrayView blobViewAt(int column) const;
    QByteArrayView textViewAt(int column) const;
    bool isNullAt(int column) const;

private:
    void check(int rc, const char *what) const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};
