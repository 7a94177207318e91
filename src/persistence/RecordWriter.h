#pragma once

#include "SqliteStatement.h"

#include <QString>
#include <functional>

class SqliteConnection;
class TaskItem;
class SubTaskItem;

// The prepared statements that write records; reused by every save.
class RecordWriter
{
public:
    explicit RecordWriter(SqliteConnection &connection);

    // Each insert answers with the new row.
    qint64 insert(const TaskItem *task);
    qint64 insert(const SubTaskItem *subtask, qint64 taskRow);
    void update(const TaskItem *task, qint64 row);
    void update(const SubTaskItem *subtask, qint64 row);
    void deleteTaskRow(qint64 rowId);
    void deleteSubtaskRow(qint64 rowId);

    // Runs one record's writes on a savepoint inside the open transaction.
    // False, with the writes undone, when the file refuses them for good;
    // any other failure is thrown.
    bool tryWrite(const std::function<void()> &write);
    QString lastRefusal() const { return m_lastRefusal; }

private:
    void requireOneRowChanged();

    SqliteConnection &m_connection;
    SqliteStatement m_insertTask;
    SqliteStatement m_insertSubtask;
    SqliteStatement m_updateTask;
    SqliteStatement m_updateSubtask;
    SqliteStatement m_deleteTask;
    SqliteStatement m_deleteSubtask;
    SqliteStatement m_savepoint;
    SqliteStatement m_rollbackToSavepoint;
    SqliteStatement m_releaseSavepoint;
    QString m_lastRefusal;
};
