#include "ModelContext.h"

#include "DiagnosticLog.h"
#include "RecordLoader.h"
#include "RecordWriter.h"
#include "SqliteConnection.h"
#include "SqliteError.h"
#include "SqliteTransaction.h"
#include "StoreLogging.h"
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
    : QObject(parent), m_connection(connection),
      m_recordObserver([this](QObject *record, RecordField field) { emit fieldAboutToChange(record, field); },
                       [this](QObject *record, RecordField field) { recordChanged(record, field); },
                       [this](QObject *subtask, qint64 row) { adoptMade(subtask, row); }),
      m_writer(std::make_unique<RecordWriter>(connection)),
      m_loader(std::make_unique<RecordLoader>(connection))
{}

ModelContext::~ModelContext() = default;

void ModelContext::load()
{
    // The subtasks come as seeds: each is adopted when its object is made.
    const QList<TaskItem *> stored = m_loader->loadAll(m_rowIds);
    m_tasks.reserve(stored.size());
    for (TaskItem *task : stored)
        adopt(task);
    m_ordered.assign(stored.cbegin(), stored.cend());
    // Equal positions stay in row order.
    std::stable_sort(m_ordered.begin(), m_ordered.end(), bySortOrder);
}

void ModelContext::adopt(TaskItem *task)
{
    task->setObserver(&m_recordObserver);
    task->setParent(this);
    m_tasks.insert(task);
}

void ModelContext::adoptMade(QObject *subtask, qint64 row)
{
    auto *made = static_cast<SubTaskItem *>(subtask);
    m_subtasks.insert(made);
    m_rowIds.insert(made, row);
}

void ModelContext::insert(TaskItem *task)
{
    if (!task || task->observer())
        return;
    // Made before the task is watched, so they count as new rows.
    const QList<SubTaskItem *> &subtasks = task->subtasks();
    adopt(task);
    m_insertedTasks.append(task);
    for (SubTaskItem *subtask : subtasks) {
        subtask->setObserver(&m_recordObserver);
        m_subtasks.insert(subtask);
        m_insertedSubtasks.append(subtask);
    }
    m_ordered.insert(std::upper_bound(m_ordered.begin(), m_ordered.end(), task, bySortOrder), task);
    emit taskInserted(task);
    emit changed();
}

void ModelContext::insert(SubTaskItem *subtask)
{
    if (!subtask || subtask->observer() || !subtask->task() || !contains(subtask->task()))
        return;
    subtask->setObserver(&m_recordObserver);
    m_subtasks.insert(subtask);
    m_insertedSubtasks.append(subtask);
    emit subtasksOfTaskChanged(subtask->task());
    emit changed();
}

void ModelContext::deleteRecord(SubTaskItem *subtask)
{
    if (!contains(subtask))
        return;
    forget(subtask, RowFate::Delete);
    emit changed();
}

void ModelContext::deleteRecord(TaskItem *task)
{
    if (!contains(task))
        return;
    forget(task, RowFate::Delete);
    emit changed();
}

void ModelContext::deleteRecords(const QList<TaskItem *> &tasks)
{
    bool removedAny = false;
    for (TaskItem *task : tasks) {
        if (contains(task)) {
            forget(task, RowFate::Delete);
            removedAny = true;
        }
    }
    if (removedAny)
        emit changed();
}

qint64 ModelContext::release(SubTaskItem *subtask)
{
    m_subtasks.remove(subtask);
    m_dirty.remove(subtask);
    const qint64 row = m_rowIds.take(subtask);
    subtask->setObserver(nullptr);
    return m_insertedSubtasks.removeOne(subtask) ? 0 : row;
}

void ModelContext::forget(SubTaskItem *subtask, RowFate fate)
{
    TaskItem *task = subtask->task();
    if (task)
        task->removeSubtask(subtask);
    if (const qint64 row = release(subtask); row && fate == RowFate::Delete)
        m_deletedSubtaskRows.append(row);
    subtask->deleteLater();
    if (task)
        emit subtasksOfTaskChanged(task);
}

void ModelContext::forget(TaskItem *task, RowFate fate)
{
    emit taskAboutToBeRemoved(task);
    // The subtask rows go with the task row (ON DELETE CASCADE); here only
    // their objects and pending writes are dropped.
    for (SubTaskItem *subtask : task->subtasks())
        release(subtask);
    m_tasks.remove(task);
    m_dirty.remove(task);
    const qint64 row = m_rowIds.take(task);
    if (!m_insertedTasks.removeOne(task) && row && fate == RowFate::Delete)
        m_deletedTaskRows.append(row);
    auto [first, last] = std::equal_range(m_ordered.begin(), m_ordered.end(), task, bySortOrder);
    m_ordered.erase(std::find(first, last, task));
    task->setObserver(nullptr);
    task->deleteLater();
}

void ModelContext::recordChanged(QObject *record, RecordField field)
{
    m_dirty.insert(record);
    emit fieldChanged(record, field);
}

bool ModelContext::hasChanges() const
{
    return !m_insertedTasks.isEmpty() || !m_insertedSubtasks.isEmpty() || !m_deletedTaskRows.isEmpty() ||
           !m_deletedSubtaskRows.isEmpty() || !m_dirty.isEmpty();
}

void ModelContext::clearPending()
{
    m_insertedTasks.clear();
    m_insertedSubtasks.clear();
    m_deletedTaskRows.clear();
    m_deletedSubtaskRows.clear();
    m_dirty.clear();
}

void ModelContext::save()
{
    if (!hasChanges()) {
        emit changed();
        return;
    }
    QList<QObject *> refused;
    try {
        SqliteTransaction transaction(m_connection);
        refused = writePendingChanges();
        transaction.commit();
    } catch (...) {
        forgetRowsOfFailedSave();
        emit changed();
        throw;
    }
    clearPending();
    if (refused.isEmpty()) {
        emit changed();
        return;
    }
    const QString reason = m_writer->lastRefusal();
    restoreFromFile(refused);
    emit changed();
    throw StoreError(
        QStringLiteral("A change was dropped because the store file no longer accepts it (%1).").arg(reason));
}

void ModelContext::saveBeforeClosing()
{
    if (!hasChanges())
        return;
    try {
        save();
    } catch (const StoreError &error) {
        DiagnosticLog::write(QStringLiteral("Ordlen: Changes that could not be saved are lost — ") +
                             error.description());
    }
}

QList<QObject *> ModelContext::writePendingChanges()
{
    // Tasks before their subtasks (which refer to them), updates of rows
    // that exist, then deletes. Each record is written on its own savepoint,
    // so one that the file refuses leaves the others to be saved.
    QList<QObject *> refused;
    for (TaskItem *task : std::as_const(m_insertedTasks)) {
        if (!m_writer->tryWrite([&] { m_rowIds.insert(task, m_writer->insert(task)); }))
            refused.append(task);
    }
    for (SubTaskItem *subtask : std::as_const(m_insertedSubtasks)) {
        if (!m_writer->tryWrite(
                [&] { m_rowIds.insert(subtask, m_writer->insert(subtask, rowOf(subtask->task()))); }))
            refused.append(subtask);
    }
    for (QObject *record : std::as_const(m_dirty)) {
        bool written = true;
        if (auto *task = qobject_cast<TaskItem *>(record); task && !m_insertedTasks.contains(task))
            written = m_writer->tryWrite([&] { m_writer->update(task, rowOf(task)); });
        else if (auto *subtask = qobject_cast<SubTaskItem *>(record);
                 subtask && !m_insertedSubtasks.contains(subtask))
            written = m_writer->tryWrite([&] { m_writer->update(subtask, rowOf(subtask)); });
        if (!written)
            refused.append(record);
    }
    for (qint64 row : std::as_const(m_deletedSubtaskRows))
        m_writer->deleteSubtaskRow(row);
    for (qint64 row : std::as_const(m_deletedTaskRows))
        m_writer->deleteTaskRow(row);
    return refused;
}

void ModelContext::forgetRowsOfFailedSave()
{
    // The transaction was rolled back: rows handed out during it don't exist.
    for (TaskItem *task : std::as_const(m_insertedTasks))
        m_rowIds.remove(task);
    for (SubTaskItem *subtask : std::as_const(m_insertedSubtasks))
        m_rowIds.remove(subtask);
}

bool ModelContext::rowExists(const char *table, qint64 rowId)
{
    return rowId != 0 && m_loader->rowExists(table, rowId);
}

void ModelContext::restoreFromFile(const QList<QObject *> &refused)
{
    // A refused change means its row (or its task's row) has gone from the
    // file behind this process's back: the file is right, so the record goes
    // from memory as well, without deleting anything more.
    for (QObject *record : refused) {
        if (auto *subtask = qobject_cast<SubTaskItem *>(record); subtask && contains(subtask)) {
            TaskItem *task = subtask->task();
            if (!rowExists("SubTaskItem", rowOf(subtask)))
                forget(subtask, RowFate::Keep);
            else
                qCWarning(lcStore) << "the store file refused a change of a subtask it still holds";
            if (task && contains(task) && !rowExists("TaskItem", rowOf(task)))
                forget(task, RowFate::Keep);
        } else if (auto *task = qobject_cast<TaskItem *>(record); task && contains(task)) {
            if (!rowExists("TaskItem", rowOf(task)))
                forget(task, RowFate::Keep);
            else
                qCWarning(lcStore) << "the store file refused a change of a task it still holds";
        }
    }
}

QList<TaskItem *> ModelContext::fetchTasks(const TaskFetchDescriptor &descriptor) const
{
    using Sort = TaskFetchDescriptor::Sort;
    QList<TaskItem *> result;
    qsizetype count = qsizetype(m_ordered.size());
    if (descriptor.limit)
        count = std::min<qsizetype>(count, std::max(0, *descriptor.limit));
    result.reserve(count);
    if (descriptor.sort == Sort::SortOrderDescending)
        std::copy_n(m_ordered.crbegin(), count, std::back_inserter(result));
    else
        std::copy_n(m_ordered.cbegin(), count, std::back_inserter(result));
    return result;
}

bool ModelContext::isOrderedBefore(const TaskItem *a, const TaskItem *b) const
{
    if (a->sortOrder() != b->sortOrder())
        return a->sortOrder() < b->sortOrder();
    // Equal positions are rare (another tool wrote them): look for which
    // comes first among them.
    auto [first, last] = std::equal_range(m_ordered.cbegin(), m_ordered.cend(), a, bySortOrder);
    for (auto it = first; it != last; ++it) {
        if (*it == a)
            return *it != b;
        if (*it == b)
            return false;
    }
    return false;
}
