#include "RecordWriter.h"

#include "SqliteConnection.h"
#include "SqliteError.h"
#include "SubTaskItem.h"
#include "TaskItem.h"

#include <sqlite3.h>

RecordWriter::RecordWriter(SqliteConnection &connection)
    : m_connection(connection),
      m_insertTask(
          connection.prepare("INSERT INTO TaskItem (id, title, isCompleted, createdAt, notes, sortOrder, "
                             "workspace) VALUES (?, ?, ?, ?, ?, ?, ?)")),
      m_insertSubtask(
          connection.prepare("INSERT INTO SubTaskItem (id, title, isCompleted, createdAt, sortOrder, "
                             "task, listIndex) VALUES (?, ?, ?, ?, ?, ?, ?)")),
      m_updateTask(
          connection.prepare("UPDATE TaskItem SET title = ?, isCompleted = ?, workspace = ? WHERE pk = ?")),
      m_updateSubtask(connection.prepare("UPDATE SubTaskItem SET title = ?, isCompleted = ? WHERE pk = ?")),
      m_deleteTask(connection.prepare("DELETE FROM TaskItem WHERE pk = ?")),
      m_deleteSubtask(connection.prepare("DELETE FROM SubTaskItem WHERE pk = ?")),
      m_savepoint(connection.prepare("SAVEPOINT record")),
      m_rollbackToSavepoint(connection.prepare("ROLLBACK TO record")),
      m_releaseSavepoint(connection.prepare("RELEASE record"))
{}

bool RecordWriter::tryWrite(const std::function<void()> &write)
{
    m_savepoint.execute();
    try {
        write();
    } catch (const SqliteError &error) {
        if (!error.isPermanent())
            throw;
        m_lastRefusal = error.description();
        m_rollbackToSavepoint.execute();
        m_releaseSavepoint.execute();
        return false;
    }
    m_releaseSavepoint.execute();
    return true;
}

void RecordWriter::requireOneRowChanged()
{
    if (m_connection.changes() != 1)
        throw SqliteError(SQLITE_NOTFOUND, QStringLiteral("the record's row is no longer in the store file"));
}

qint64 RecordWriter::insert(const TaskItem *task)
{
    m_insertTask.bind(1, task->id().toRfc4122())
        .bind(2, task->title())
        .bind(3, qint64(task->isCompleted()))
        .bind(4, task->createdAt().toMSecsSinceEpoch())
        .bind(5, task->notes())
        .bind(6, task->sortOrder())
        .bind(7, task->workspace());
    m_insertTask.execute();
    return m_connection.lastInsertRowId();
}

qint64 RecordWriter::insert(const SubTaskItem *subtask, qint64 taskRow)
{
    m_insertSubtask.bind(1, subtask->id().toRfc4122())
        .bind(2, subtask->title())
        .bind(3, qint64(subtask->isCompleted()))
        .bind(4, subtask->createdAt().toMSecsSinceEpoch())
        .bind(5, subtask->sortOrder())
        .bind(6, taskRow)
        .bind(7, subtask->listIndex());
    m_insertSubtask.execute();
    return m_connection.lastInsertRowId();
}

void RecordWriter::update(const TaskItem *task, qint64 row)
{
    m_updateTask.bind(1, task->title())
        .bind(2, qint64(task->isCompleted()))
        .bind(3, task->workspace())
        .bind(4, row);
    m_updateTask.execute();
    requireOneRowChanged();
}

void RecordWriter::update(const SubTaskItem *subtask, qint64 row)
{
    m_updateSubtask.bind(1, subtask->title()).bind(2, qint64(subtask->isCompleted())).bind(3, row);
    m_updateSubtask.execute();
    requireOneRowChanged();
}

void RecordWriter::deleteTaskRow(qint64 rowId)
{
    m_deleteTask.bind(1, rowId);
    m_deleteTask.execute();
}

void RecordWriter::deleteSubtaskRow(qint64 rowId)
{
    m_deleteSubtask.bind(1, rowId);
    m_deleteSubtask.execute();
}
