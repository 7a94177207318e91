#include "RecordLoader.h"

#include "SqliteConnection.h"
#include "TaskItem.h"

#include <algorithm>
#include <vector>

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

SubtaskSeed RecordLoader::subtaskSeedFromRow(SqliteStatement &row)
{
    return {QUuid::fromRfc4122(row.blobViewAt(1)),
            row.textAt(2),
            timestampFrom(row.int64At(4)),
            row.int64At(5),
            row.int64At(7),
            row.int64At(0),
            row.int64At(3) != 0};
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
    // Both tables are read in file order, which needs no index. Rows are found by a sorted list sized by what
    // is read, never by the largest row id: another tool may have written ids far beyond the number of rows.
    std::vector<std::pair<qint64, TaskItem *>> byRow;
    {
        const QByteArray sql = QByteArray("SELECT ") + taskColumns + " FROM TaskItem ORDER BY pk";
        SqliteStatement rows = m_connection.prepare(sql.constData());
        while (rows.step()) {
            TaskItem *task = taskFromRow(rows);
            tasks.append(task);
            byRow.emplace_back(rows.int64At(0), task);
            rowIds.insert(task, rows.int64At(0));
        }
    }
    if (tasks.isEmpty())
        return;

    SqliteStatement rows = m_connection.prepare("SELECT pk, id, title, isCompleted, createdAt, sortOrder, "
                                                "task, listIndex FROM SubTaskItem ORDER BY pk");
    std::pair<qint64, TaskItem *> owner{0, nullptr};
    while (rows.step()) {
        // A subtask without a task is unreachable and stays in the file untouched.
        if (rows.isNullAt(6))
            continue;
        const qint64 taskRow = rows.int64At(6);
        if (!owner.second || owner.first != taskRow) {
            const auto found = std::lower_bound(
                byRow.cbegin(), byRow.cend(), taskRow,
                [](const std::pair<qint64, TaskItem *> &entry, qint64 row) { return entry.first < row; });
            owner =
                found != byRow.cend() && found->first == taskRow ? *found : std::pair<qint64, TaskItem *>{};
        }
        if (owner.second)
            owner.second->adoptSubtaskSeed(subtaskSeedFromRow(rows));
    }
}

bool RecordLoader::rowExists(const char *table, qint64 rowId)
{
    const QByteArray sql = QByteArray("SELECT 1 FROM ") + table + " WHERE pk = ?";
    SqliteStatement row = m_connection.prepare(sql.constData());
    row.bind(1, rowId);
    return row.step();
}
