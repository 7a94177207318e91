#include "TaskItem.h"

#include "Positions.h"
#include "SubTaskItem.h"
#include "SubtaskOrder.h"

#include <algorithm>

TaskItem::TaskItem(const QUuid &id, const QString &title, bool isCompleted, const QDateTime &createdAt,
                   const QString &notes, qint64 sortOrder, const QString &workspace)
    : m_id(id), m_title(title), m_isCompleted(isCompleted), m_createdAt(createdAt), m_notes(notes),
      m_sortOrder(sortOrder), m_workspace(workspace)
{}

QList<SubTaskItem *> TaskItem::subtasksInDisplayOrder() const
{
    return SubtaskOrder::displayOrder(m_subtasks);
}

bool TaskItem::allSubtasksCompleted() const
{
    if (m_subtasks.isEmpty())
        return false;
    return std::all_of(m_subtasks.cbegin(), m_subtasks.cend(),
                       [](const SubTaskItem *subtask) { return subtask->isCompleted(); });
}

int TaskItem::completedSubtaskCount() const
{
    return int(std::count_if(m_subtasks.cbegin(), m_subtasks.cend(),
                             [](const SubTaskItem *subtask) { return subtask->isCompleted(); }));
}

void TaskItem::setTitle(const QString &title)
{
    if (!assignField(m_title, title, RecordField::Title))
        return;
    emit titleChanged();
}

void TaskItem::setIsCompleted(bool isCompleted)
{
    if (!assignField(m_isCompleted, isCompleted, RecordField::IsCompleted))
        return;
    emit isCompletedChanged();
}

void TaskItem::setWorkspace(const QString &workspace)
{
    if (!assignField(m_workspace, workspace, RecordField::Workspace))
        return;
    emit workspaceChanged();
}

void TaskItem::adoptSubtask(SubTaskItem *subtask)
{
    subtask->m_task = this;
    subtask->setParent(this);
    m_subtasks.append(subtask);
}

void TaskItem::appendSubtask(SubTaskItem *subtask)
{
    subtask->m_listIndex = m_subtasks.isEmpty() ? 0 : Positions::after(m_subtasks.constLast()->m_listIndex);
    adoptSubtask(subtask);
    announceSubtask(subtask);
}

void TaskItem::restoreSubtask(SubTaskItem *subtask)
{
    const auto place =
        std::upper_bound(m_subtasks.cbegin(), m_subtasks.cend(), subtask->m_listIndex,
                         [](qint64 index, const SubTaskItem *other) { return index < other->m_listIndex; });
    subtask->m_task = this;
    subtask->setParent(this);
    m_subtasks.insert(place - m_subtasks.cbegin(), subtask);
    announceSubtask(subtask);
}

void TaskItem::announceSubtask(SubTaskItem *subtask)
{
    emit subtask->taskChanged();
    emit subtaskAppended(subtask);
    emit subtasksChanged();
    emit subtaskProgressChanged();
}

void TaskItem::removeSubtask(SubTaskItem *subtask)
{
    if (!m_subtasks.removeOne(subtask))
        return;
    subtask->m_task = nullptr;
    subtask->setParent(nullptr);
    emit subtask->taskChanged();
    emit subtaskRemoved(subtask);
    emit subtasksChanged();
    emit subtaskProgressChanged();
}
