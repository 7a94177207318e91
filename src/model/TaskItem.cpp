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

const QList<SubTaskItem *> &TaskItem::subtasks() const
{
    if (!m_seeds.empty())
        makeSubtasks();
    return m_subtasks;
}

void TaskItem::makeSubtasks() const
{
    // Making the objects changes what this task holds but not what it is:
    // to every reader the subtasks were there all along.
    auto *self = const_cast<TaskItem *>(this);
    m_subtasks.reserve(qsizetype(m_seeds.size()));
    for (const SubtaskSeed &seed : m_seeds) {
        auto *subtask = new SubTaskItem(seed.id, seed.title, seed.isCompleted, seed.createdAt, seed.sortOrder,
                                        seed.listIndex);
        self->adoptSubtask(subtask);
        if (const RecordObserver *keeper = observer()) {
            subtask->setObserver(keeper);
            keeper->made(subtask, seed.key);
        }
    }
    m_seeds = {};
}

QList<SubTaskItem *> TaskItem::subtasksInDisplayOrder() const
{
    return SubtaskOrder::displayOrder(subtasks());
}

bool TaskItem::allSubtasksCompleted() const
{
    return subtaskCount() > 0 && completedSubtaskCount() == subtaskCount();
}

int TaskItem::completedSubtaskCount() const
{
    if (!m_seeds.empty())
        return int(std::count_if(m_seeds.cbegin(), m_seeds.cend(),
                                 [](const SubtaskSeed &seed) { return seed.isCompleted; }));
    return int(std::count_if(m_subtasks.cbegin(), m_subtasks.cend(),
                             [](const SubTaskItem *subtask) { return subtask->isCompleted(); }));
}

bool TaskItem::anySubtaskTitleContains(const QString &query) const
{
    if (!m_seeds.empty())
        return std::any_of(m_seeds.cbegin(), m_seeds.cend(), [&](const SubtaskSeed &seed) {
            return LowercasedText::containsOnce(seed.title, query);
        });
    return std::any_of(m_subtasks.cbegin(), m_subtasks.cend(),
                       [&](const SubTaskItem *subtask) { return subtask->titleContains(query); });
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

void TaskItem::adoptSubtaskSeed(SubtaskSeed seed)
{
    // Most tasks have a few subtasks: one allocation for them.
    if (m_seeds.empty())
        m_seeds.reserve(4);
    const auto place =
        std::upper_bound(m_seeds.cbegin(), m_seeds.cend(), seed.listIndex,
                         [](qint64 index, const SubtaskSeed &other) { return index < other.listIndex; });
    m_seeds.insert(place, std::move(seed));
}

void TaskItem::adoptSubtask(SubTaskItem *subtask)
{
    subtask->m_task = this;
    subtask->setParent(this);
    m_subtasks.append(subtask);
}

void TaskItem::appendSubtask(SubTaskItem *subtask)
{
    subtasks(); // the new one goes after those read back
    subtask->m_listIndex = m_subtasks.isEmpty() ? 0 : Positions::after(m_subtasks.constLast()->m_listIndex);
    adoptSubtask(subtask);
    announceSubtask(subtask);
}

void TaskItem::restoreSubtask(SubTaskItem *subtask)
{
    subtasks(); // it takes its place among objects, never among seeds
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
