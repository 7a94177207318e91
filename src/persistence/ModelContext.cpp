#include "ModelContext.h"

#include "RecordLoader.h"
#include "RecordWriter.h"
#include "SqliteConnection.h"
#include "SqliteTransaction.h"
#include "SubTaskItem.h"
#include "TaskItem.h"

#include <algorithm>

namespace {

bool bySortOrder(const TaskItem *a, const TaskItem *b)
{
    return a->sortOrder() < b->sortOrder();
}

} // namespace

ModelContext::ModelContext(SqliteConnection &connection, QObject *parent)
    : QObject(parent), m_connection(connection), m_writer(std::make_unique<RecordWriter>(connection)),
      m_loader(std::make_unique<RecordLoader>(connection))
{}

ModelContext::~ModelContext() = default;

void ModelContext::adopt(TaskItem *task)
{
    task->m_context = this;
    task->setParent(this);
    m_tasks.insert(task);
    if (task->m_rowId)
        m_tasksByRow.insert(task->m_rowId, task);
    for (SubTaskItem *subtask : task->subtasks()) {
        subtask->m_context = this;
        m_subtasks.insert(subtask);
    }
}

void ModelContext::insert(TaskItem *task)
{
    if (!task || task->m_context)
        return;
    adopt(task);
    m_insertedTasks.append(task);
    for (SubTaskItem *subtask : task->subtasks())
        m_insertedSubtasks.append(subtask);
    if (m_fullyLoaded)
        m_ordered.insert(std::upper_bound(m_ordered.begin(), m_ordered.end(), task, bySortOrder), task);
    emit changed();
}

void ModelContext::insert(SubTaskItem *subtask)
{
    if (!subtask || subtask->m_context || !subtask->task() || !contains(subtask->task()))
        return;
    subtask->m_context = this;
    m_subtasks.insert(subtask);
    m_insertedSubtasks.append(subtask);
    emit changed();
}

void ModelContext::deleteRecord(SubTaskItem *subtask)
{
    if (!contains(subtask))
        return;
    if (TaskItem *task = subtask->task())
        task->removeSubtasks(subtask->id());
    m_subtasks.remove(subtask);
    m_dirty.remove(subtask);
    if (m_insertedSubtasks.removeOne(subtask) == false && subtask->m_rowId)
        m_deletedSubtaskRows.append(subtask->m_rowId);
    subtask->m_context = nullptr;
    subtask->deleteLater();
    emit changed();
}

void ModelContext::deleteRecord(TaskItem *task)
{
    if (!contains(task))
        return;
    forget(task);
    emit changed();
}

void ModelContext::deleteRecords(const QList<TaskItem *> &tasks)
{
    bool removedAny = false;
    for (TaskItem *task : tasks) {
        if (contains(task)) {
            forget(task);
            removedAny = true;
        }
    }
    if (removedAny)
        emit changed();
}

void ModelContext::forget(TaskItem *task)
{
    // The subtask rows go with the task row (ON DELETE CASCADE); here only
    // their objects and pending inserts are dropped.
    for (SubTaskItem *subtask : task->subtasks()) {
        m_subtasks.remove(subtask);
        m_dirty.remove(subtask);
        m_insertedSubtasks.removeOne(subtask);
        subtask->m_context = nullptr;
    }
    m_tasks.remove(task);
    m_dirty.remove(task);
    if (!m_insertedTasks.removeOne(task) && task->m_rowId) {
        m_deletedTaskRows.append(task->m_rowId);
        m_tasksByRow.remove(task->m_rowId);
    }
    if (m_fullyLoaded) {
        auto [first, last] = std::equal_range(m_ordered.begin(), m_ordered.end(), task, bySortOrder);
        m_ordered.erase(std::find(first, last, task));
    }
    task->m_context = nullptr;
    task->deleteLater();
}

void ModelContext::markDirty(PersistentRecord *record)
{
    m_dirty.insert(record);
}

bool ModelContext::hasChanges() const
{
    return !m_insertedTasks.isEmpty() || !m_insertedSubtasks.isEmpty() || !m_deletedTaskRows.isEmpty() ||
           !m_deletedSubtaskRows.isEmpty() || !m_dirty.isEmpty();
}

void ModelContext::save()
{
    if (!hasChanges()) {
        emit changed();
        return;
    }
    try {
        SqliteTransaction transaction(m_connection);
        writePendingChanges();
        transaction.commit();
    } catch (...) {
        forgetRowsOfFailedSave();
        emit changed();
        throw;
    }
    for (TaskItem *task : std::as_const(m_insertedTasks))
        m_tasksByRow.insert(task->m_rowId, task);
    m_insertedTasks.clear();
    m_insertedSubtasks.clear();
    m_deletedTaskRows.clear();
    m_deletedSubtaskRows.clear();
    m_dirty.clear();
    emit changed();
}

void ModelContext::writePendingChanges()
{
    // Tasks before their subtasks (which refer to them), updates of rows
    // that exist, then deletes.
    for (TaskItem *task : std::as_const(m_insertedTasks))
        m_writer->insert(task);
    for (SubTaskItem *subtask : std::as_const(m_insertedSubtasks))
        m_writer->insert(subtask);
    for (PersistentRecord *record : std::as_const(m_dirty)) {
        if (auto *task = qobject_cast<TaskItem *>(record); task && !m_insertedTasks.contains(task))
            m_writer->update(task);
        else if (auto *subtask = qobject_cast<SubTaskItem *>(record);
                 subtask && !m_insertedSubtasks.contains(subtask))
            m_writer->update(subtask);
    }
    for (qint64 row : std::as_const(m_deletedSubtaskRows))
        m_writer->deleteSubtaskRow(row);
    for (qint64 row : std::as_const(m_deletedTaskRows))
        m_writer->deleteTaskRow(row);
}

void ModelContext::forgetRowsOfFailedSave()
{
    // The transaction was rolled back: rows handed out during it don't exist.
    for (TaskItem *task : std::as_const(m_insertedTasks))
        task->m_rowId = 0;
    for (SubTaskItem *subtask : std::as_const(m_insertedSubtasks))
        subtask->m_rowId = 0;
}

QList<TaskItem *> ModelContext::adoptLoaded(const QList<TaskItem *> &loaded)
{
    const QSet<qint64> deleted(m_deletedTaskRows.cbegin(), m_deletedTaskRows.cend());
    QList<TaskItem *> live;
    live.reserve(loaded.size());
    for (TaskItem *task : loaded) {
        if (deleted.contains(task->m_rowId)) {
            // Deleted in memory but still in the file: a fresh copy goes.
            if (!task->m_context)
                delete task; // with its subtasks, which are its children
            continue;
        }
        if (!task->m_context)
            adopt(task);
        live.append(task);
    }
    return live;
}

void ModelContext::ensureFullyLoaded()
{
    if (m_fullyLoaded)
        return;
    const QList<TaskItem *> stored = m_loader->loadAll(m_tasksByRow);
    m_tasks.reserve(m_tasks.size() + stored.size());
    m_tasksByRow.reserve(m_tasksByRow.size() + stored.size());
    const QList<TaskItem *> live = adoptLoaded(stored);
    m_ordered.assign(live.cbegin(), live.cend());
    for (TaskItem *task : std::as_const(m_insertedTasks))
        m_ordered.insert(std::upper_bound(m_ordered.begin(), m_ordered.end(), task, bySortOrder), task);
    m_fullyLoaded = true;
}

QList<TaskItem *> ModelContext::highestTasks(int count)
{
    if (m_fullyLoaded) {
        QList<TaskItem *> result;
        for (auto it = m_ordered.rbegin(); it != m_ordered.rend() && result.size() < count; ++it)
            result.append(*it);
        return result;
    }
    // Answered by the sortOrder index; rows deleted but not yet saved are
    // skipped, so ask for that many more.
    QList<TaskItem *> candidates =
        adoptLoaded(m_loader->loadHighest(count + int(m_deletedTaskRows.size()), m_tasksByRow));
    candidates.append(m_insertedTasks);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const TaskItem *a, const TaskItem *b) { return a->sortOrder() > b->sortOrder(); });
    candidates.resize(std::min<qsizetype>(candidates.size(), count));
    return candidates;
}

QList<TaskItem *> ModelContext::fetchTasks(const TaskFetchDescriptor &descriptor)
{
    using Sort = TaskFetchDescriptor::Sort;
    if (descriptor.limit && descriptor.sort == Sort::SortOrderDescending)
        return highestTasks(std::max(0, *descriptor.limit));

    ensureFullyLoaded();
    QList<TaskItem *> result(m_ordered.cbegin(), m_ordered.cend());
    if (descriptor.sort == Sort::SortOrderDescending)
        std::reverse(result.begin(), result.end());
    if (descriptor.limit)
        result.resize(std::min<qsizetype>(result.size(), std::max(0, *descriptor.limit)));
    return result;
}
