#pragma once

#include <QHash>
#include <QList>

class QObject;
class SqliteConnection;
class TaskItem;
struct SubtaskSeed;

// Turns stored rows into record objects.
class RecordLoader
{
public:
    explicit RecordLoader(SqliteConnection &connection);

    using RowIds = QHash<const QObject *, qint64>;

    // Every task in row order, with its subtasks as seeds (see SubtaskSeed)
    // whose key is their row; the row of each task goes into rowIds.
    QList<TaskItem *> loadAll(RowIds &rowIds);
    bool rowExists(const char *table, qint64 rowId);

private:
    void readAllInto(QList<TaskItem *> &tasks, RowIds &rowIds);
    static SubtaskSeed subtaskSeedFromRow(class SqliteStatement &row);
    TaskItem *taskFromRow(class SqliteStatement &row);
    QString workspaceAt(class SqliteStatement &row, int column);

    SqliteConnection &m_connection;
    // Thousands of tasks share a handful of workspace names: share the strings.
    QList<QPair<QByteArray, QString>> m_workspaceNames;
};
