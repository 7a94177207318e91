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

TaskItem *RecordLoader::taskFromRow(SqliteStatement &row)
{
    auto *task = new TaskItem(QUuid::fromRfc4122(row.blobAt(1)), row.textAt(2), row.int64At(3) != 0,
                              timestampFrom(row.int64At(4)), row.textAt(5), row.int64At(6), row.textAt(7));
    task->m_rowId = row.int64At(0);
    return task;
}

SubTaskItem *RecordLoader::subtaskFromRow(SqliteStatement &row)
{
    auto *subtask = new SubTaskItem(QUuid::fromRfc4122(row.blobAt(1)), row.textAt(2), row.int64At(3) != 0,
                                    timestampFrom(row.int64At(4)), row.int64At(5));
    subtask->m_rowId = row.int64At(0);
    subtask->m_listIndex = row.int64At(7);
    return subtask;
}

QList<TaskItem *> RecordLoader::loadAll(const TaskLookup &known)
{
    QList<TaskItem *> tasks;
    TaskLookup fresh;
    {
        const QByteArray sql = QByteArray("SELECT ") + taskColumns + " FROM TaskItem ORDER BY sortOrder, pk";
        SqliteStatement rows = m_connection.prepare(sql.constData());
        while (rows.step()) {
            if (TaskItem *existing = known.value(rows.int64At(0))) {
                tasks.append(existing);
                continue;
            }
            TaskItem *task = taskFromRow(rows);
            fresh.insert(task->m_rowId, task);
            tasks.append(task);
        }
    }
    if (fresh.isEmpty())
        return tasks;

    SqliteStatement rows = m_connection.prepare(
        "SELECT pk, id, title, isCompleted, createdAt, sortOrder, task, listIndex FROM SubTaskItem "
        "ORDER BY task, listIndex, pk");
    TaskItem *owner = nullptr;
    qint64 ownerRow = -1;
    while (rows.step()) {
        const qint64 taskRow = rows.int64At(6);
        if (taskRow != ownerRow) {
            ownerRow = taskRow;
            owner = fresh.value(taskRow);
        }
        // Subtasks of tasks loaded earlier are in memory already; a subtask
        // without a task is unreachable and stays in the file untouched.
        if (owner)
            owner->attachSubtask(subtaskFromRow(rows));
    }
    return tasks;
}

QList<TaskItem *> RecordLoader::loadHighest(int count, const TaskLookup &known)
{
    const QByteArray sql =
        QByteArray("SELECT ") + taskColumns + " FROM TaskItem ORDER BY sortOrder DESC, pk DESC LIMIT ?";
    SqliteStatement rows = m_connection.prepare(sql.constData());
    rows.bind(1, qint64(count));
    QList<TaskItem *> tasks;
    while (rows.step()) {
        if (TaskItem *existing = known.value(rows.int64At(0))) {
            tasks.append(existing);
            continue;
        }
        TaskItem *task = taskFromRow(rows);
        loadSubtasksOf(task);
        tasks.append(task);
    }
    return tasks;
}

void RecordLoader::loadSubtasksOf(TaskItem *task)
{
    SqliteStatement rows = m_connection.prepare(
        "SELECT pk, id, title, isCompleted, createdAt, sortOrder, task, listIndex FROM SubTaskItem "
        "WHERE task = ? ORDER BY listIndex, pk");
    rows.bind(1, task->m_rowId);
    while (rows.step())
        task->attachSubtask(subtaskFromRow(rows));
}
