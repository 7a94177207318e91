#pragma once

#include "SqliteStatement.h"

class SqliteConnection;
class TaskItem;
class SubTaskItem;

// The prepared statements that write records; reused by every save.
class RecordWriter
{
public:
    explicit RecordWriter(SqliteConnection &connection);

    void insert(TaskItem *task);
    void insert(SubTaskItem *subtask);
    void update(TaskItem *task);
    void update(SubTaskItem *subtask);
    void deleteTaskRow(qint64 rowId);
    void deleteSubtaskRow(qint64 rowId);

private:
    SqliteConnection &m_connection;
    SqliteStatement m_insertTask;
    SqliteStatement m_insertSubtask;
    SqliteStatement m_updateTask;
    SqliteStatement m_updateSubtask;
    SqliteStatement m_deleteTask;
    SqliteStatement m_deleteSubtask;
};
