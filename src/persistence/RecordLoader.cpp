#include "RecordLoader.h"

#include "SqliteConnection.h"
#include "SubTaskItem.h"
#include "TaskItem.h"

namespace {

QDateTime timestampFrom(qint64 milliseconds)
{
    return QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC);
}

constexpr const char *taskColumns = "pk, id, title, isCompleted, createdAt, notes, sortOrder, workspace";

} // namespace

RecordLoader::RecordLoader(SqliteConnection &connection) : m_connection(connection) {}

QString RecordLoader::workspaceAt(SqliteStatement &row, int column)
{
    const QByteArrayView utf8 = row.textViewAt(column);
    for (const auto &[bytes, name] : std::as_const(m_workspaceNames)) {
        if (bytes == utf8)
            return name;
    }
    const QString name = QString::fromUtf8(utf8);
    if (m_workspaceNames.size() < 64)
        m_workspaceNames.append({utf8.toByteArray(), name});
    return name;
}

TaskItem *RecordLoader::taskFromRow(SqliteStatement &row)
{
    auto *task =
        new TaskItem(QUuid::fromRfc4122(row.blobViewAt(1)), row.textAt(2), row.int64At(3) != 0,
                     timestampFrom(row.int64At(4)), row.textAt(5), row.int64At(6), workspaceAt(row, 7));
    return task;
}

SubTaskItem *RecordLoader::subtaskFromRow(SqliteStatement &row)
{
    return new SubTaskItem(QUuid::fromRfc4122(row.blobViewAt(1)), row.textAt(2), row.int64At(3) != 0,
                           timestampFrom(row.int64At(4)), row.int64At(5), row.int64At(7));
}

QList<TaskItem *> RecordLoader::loadAll(RowIds &rowIds)
{
    QList<TaskItem *> tasks;
    try {
        readAllInto(tasks, rowIds);
    } catch (...) {
        qDeleteAll(tasks); // with their subtasks, which are their children
        throw;
    }
    return tasks;
}

void RecordLoader::readAllInto(QList<TaskItem *> &tasks, RowIds &rowIds)
{
    // Sized by what is read, never by the largest row id: another tool may
    // have written ids far beyond the number of rows.
    QHash<qint64, TaskItem *> byRow;
    {
        const QByteArray sql = QByteArray("SELECT ") + taskColumns + " FROM TaskItem ORDER BY sortOrder, pk";
        SqliteStatement rows = m_connection.prepare(sql.constData());
        while (rows.step()) {
            TaskItem *task = taskFromRow(rows);
            byRow.insert(rows.int64At(0), task);
            rowIds.insert(task, rows.int64At(0));
            tasks.append(task);
        }
    }
    if (tasks.isEmpty())
        return;

    SqliteStatement rows = m_connection.prepare(
        "SELECT pk, id, title, isCompleted, createdAt, sortOrder, task, listIndex FROM SubTaskItem "
        "ORDER BY task, listIndex, pk");
    TaskItem *owner = nullptr;
    qint64 ownerRow = -1;
    while (rows.step()) {
        const qint64 taskRow = rows.int64At(6);
        if (taskRow != ownerRow) {
            ownerRow = taskRow;
            owner = byRow.value(taskRow);
        }
        // A subtask without a task is unreachable and stays in the file untouched.
        if (owner) {
            SubTaskItem *subtask = subtaskFromRow(rows);
            rowIds.insert(subtask, rows.int64At(0));
            owner->adoptSubtask(subtask);
        }
    }
}

bool RecordLoader::rowExists(const char *table, qint64 rowId)
{
    const QByteArray sql = QByteArray("SELECT 1 FROM ") + table + " WHERE pk = ?";
    SqliteStatement row = m_connection.prepare(sql.constData());
    row.bind(1, rowId);
    return row.step();
}
