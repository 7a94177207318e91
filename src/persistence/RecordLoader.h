#pragma once

#include <QHash>
#include <QList>

class SqliteConnection;
class TaskItem;
class SubTaskItem;

// Turns stored rows into record objects. A row whose record is already in
// memory yields that same object, so each record has exactly one object.
class RecordLoader
{
public:
    using TaskLookup = QHash<qint64, TaskItem *>;

    explicit RecordLoader(SqliteConnection &connection);

    // Every task with its subtasks, by ascending sortOrder. Tasks already in
    // `known` are reused as they are (their subtasks are already loaded).
    QList<TaskItem *> loadAll(const TaskLookup &known);

    // The stored tasks with the highest sortOrder, highest first.
    QList<TaskItem *> loadHighest(int count, const TaskLookup &known);

private:
    static SubTaskItem *subtaskFromRow(class SqliteStatement &row);
    void loadSubtasksOf(TaskItem *task);
    TaskItem *taskFromRow(class SqliteStatement &row, bool withSubtasks);
    QString workspaceAt(class SqliteStatement &row, int column);

    SqliteConnection &m_connection;
    // Thousands of tasks share a handful of workspace names: share the strings.
    QList<QPair<QByteArray, QString>> m_workspaceNames;
};
