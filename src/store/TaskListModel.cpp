#include "TaskListModel.h"

#include "ModelContext.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskQuery.h"
#include "TaskStore.h"

#include <QTimer>
#include <algorithm>

TaskListModel::TaskListModel(TaskStore *store, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_context(store->context())
{
    const QList<TaskItem *> all = m_context->fetchTasks();
    for (const TaskItem *task : all) {
        countIn(task, +1);
        useWorkspace(task->workspace(), +1);
    }
    m_taskCount = all.size();
    m_isGrouped = m_store->selectedWorkspace().isEmpty();
    rebuild();

    connect(m_context, &ModelContext::taskInserted, this, &TaskListModel::onTaskInserted);
    connect(m_context, &ModelContext::taskAboutToBeRemoved, this, &TaskListModel::onTaskAboutToBeRemoved);
    connect(m_context, &ModelContext::fieldAboutToChange, this, &TaskListModel::onFieldAboutToChange);
    connect(m_context, &ModelContext::fieldChanged, this, &TaskListModel::onFieldChanged);
    // A subtask's coming, going or new title matters only to a search.
    connect(m_context, &ModelContext::subtasksOfTaskChanged, this, [this](TaskItem *task) {
        if (m_store->currentQuery().searches())
            place(task, rowOf(task), {});
    });

    const auto rebuildWithEmptiness = [this] {
        const bool wasEmpty = isEmpty();
        rebuild();
        updateIsEmpty(wasEmpty);
    };
    connect(m_store, &TaskStore::activeFilterChanged, this, rebuildWithEmptiness);
    connect(m_store, &TaskStore::searchTextChanged, this, rebuildWithEmptiness);
    connect(m_store, &TaskStore::selectedWorkspaceChanged, this, [this, rebuildWithEmptiness] {
        rebuildWithEmptiness();
        const bool grouped = m_store->selectedWorkspace().isEmpty();
        if (grouped != m_isGrouped) {
            m_isGrouped = grouped;
            emit isGroupedChanged();
        }
    });
    // The menu's names follow the names in use, the saved list and the selection.
    connect(this, &TaskListModel::workspacesInUseChanged, this, &TaskListModel::availableWorkspacesChanged);
    connect(m_store, &TaskStore::workspacesChanged, this, &TaskListModel::availableWorkspacesChanged);
    connect(m_store, &TaskStore::selectedWorkspaceChanged, this, &TaskListModel::availableWorkspacesChanged);
}

int TaskListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TaskListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    TaskItem *task = m_rows.at(index.row());
    switch (role) {
    case TaskRole:
        return QVariant::fromValue(task);
    case Qt::DisplayRole:
    case TitleRole:
        return task->title();
    case IsCompletedRole:
        return task->isCompleted();
    case WorkspaceRole:
        return task->workspace();
    case IsHeldBackRole:
        return isHeldBack(task);
    default:
        return {};
    }
}

QHash<int, QByteArray> TaskListModel::roleNames() const
{
    return {
        {TaskRole, "task"},           {TitleRole, "title"},           {IsCompletedRole, "isCompleted"},
        {WorkspaceRole, "workspace"}, {IsHeldBackRole, "isHeldBack"},
    };
}

QStringList TaskListModel::workspacesInUse() const
{
    QStringList names = m_workspaceUse.keys();
    std::sort(names.begin(), names.end());
    return names;
}

QStringList TaskListModel::availableWorkspaces() const
{
    return m_store->availableWorkspaces(m_workspaceUse.keys());
}

bool TaskListModel::isHeldBack(const TaskItem *task) const
{
    return !m_heldBack.isEmpty() && m_heldBack.contains(task->id());
}

QString TaskListModel::sectionTitle(const QString &workspace)
{
    return workspace.toUpper();
}

void TaskListModel::rebuild()
{
    const TaskQuery query = m_store->currentQuery();
    // Sections by name, each in list order: gather per name, then join the
    // names in ascending order. Most lists have a handful of names, and
    // consecutive tasks mostly share one, so the last bucket is kept at hand.
    QHash<QString, QList<TaskItem *>> sections;
    QList<TaskItem *> *current = nullptr;
    QString currentName;
    for (TaskItem *task : m_context->fetchTasks()) {
        if (!query.matches(task))
            continue;
        if (!current || task->workspace() != currentName) {
            currentName = task->workspace();
            current = &sections[currentName];
        }
        current->append(task);
    }
    QStringList names = sections.keys();
    std::sort(names.begin(), names.end());

    beginResetModel();
    m_rows.clear();
    for (const QString &name : std::as_const(names))
        m_rows.append(sections.value(name));
    endResetModel();
}

bool TaskListModel::comesBefore(const TaskItem *a, const TaskItem *b) const
{
    if (const int byName = QString::compare(a->workspace(), b->workspace()); byName != 0)
        return byName < 0;
    return m_context->isOrderedBefore(a, b);
}

int TaskListModel::insertionRow(const TaskItem *task) const
{
    const auto it = std::partition_point(m_rows.cbegin(), m_rows.cend(),
                                         [&](const TaskItem *row) { return comesBefore(row, task); });
    return int(it - m_rows.cbegin());
}

bool TaskListModel::staysBetweenNeighbours(int row) const
{
    const TaskItem *task = m_rows.at(row);
    return (row == 0 || comesBefore(m_rows.at(row - 1), task)) &&
           (row + 1 == m_rows.size() || comesBefore(task, m_rows.at(row + 1)));
}

int TaskListModel::rowOf(const TaskItem *task) const
{
    const int row = insertionRow(task);
    return row < m_rows.size() && m_rows.at(row) == task ? row : -1;
}

void TaskListModel::updateIsEmpty(bool wasEmpty)
{
    if (wasEmpty != isEmpty())
        emit isEmptyChanged();
}

void TaskListModel::place(TaskItem *task, int oldRow, const QList<int> &roles)
{
    const bool wasEmpty = isEmpty();
    const bool listed = m_store->currentQuery().matches(task);
    if (oldRow < 0 && listed) {
        const int row = insertionRow(task);
        beginInsertRows(QModelIndex(), row, row);
        m_rows.insert(row, task);
        endInsertRows();
    } else if (oldRow >= 0 && !listed) {
        beginRemoveRows(QModelIndex(), oldRow, oldRow);
        m_rows.removeAt(oldRow);
        endRemoveRows();
    } else if (oldRow >= 0) {
        int row = oldRow;
        if (!staysBetweenNeighbours(oldRow)) {
            // Where it goes once out of its old place.
            m_rows.removeAt(oldRow);
            row = insertionRow(task);
            m_rows.insert(oldRow, task);
        }
        if (row != oldRow) {
            beginMoveRows(QModelIndex(), oldRow, oldRow, QModelIndex(), row > oldRow ? row + 1 : row);
            m_rows.move(oldRow, row);
            endMoveRows();
        }
        if (!roles.isEmpty())
            emit dataChanged(index(row), index(row), roles);
    }
    updateIsEmpty(wasEmpty);
}

void TaskListModel::onTaskInserted(TaskItem *task)
{
    ++m_taskCount;
    countIn(task, +1);
    useWorkspace(task->workspace(), +1);
    emit countsChanged();
    place(task, -1, {});
}

void TaskListModel::onTaskAboutToBeRemoved(TaskItem *task)
{
    --m_taskCount;
    countIn(task, -1);
    useWorkspace(task->workspace(), -1);
    emit countsChanged();
    if (const int row = rowOf(task); row >= 0) {
        const bool wasEmpty = isEmpty();
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        updateIsEmpty(wasEmpty);
    }
}

void TaskListModel::onFieldAboutToChange(QObject *record, RecordField field)
{
    auto *task = qobject_cast<TaskItem *>(record);
    if (!task)
        return;
    m_rowBeforeChange = rowOf(task);
    if (field == RecordField::IsCompleted)
        countIn(task, -1);
    else if (field == RecordField::Workspace)
        useWorkspace(task->workspace(), -1);
}

void TaskListModel::onFieldChanged(QObject *record, RecordField field)
{
    auto *task = qobject_cast<TaskItem *>(record);
    if (!task) {
        // A subtask's new title may bring its task into a search or out of it.
        auto *subtask = qobject_cast<SubTaskItem *>(record);
        if (field == RecordField::Title && subtask && subtask->task() && m_store->currentQuery().searches())
            place(subtask->task(), rowOf(subtask->task()), {});
        return;
    }
    const int oldRow = std::exchange(m_rowBeforeChange, -1);
    switch (field) {
    case RecordField::Title:
        place(task, oldRow, {TitleRole, Qt::DisplayRole});
        break;
    case RecordField::IsCompleted:
        countIn(task, +1);
        emit countsChanged();
        if (task->isCompleted() && oldRow >= 0 && m_store->activeFilter() == TaskFilter::Pending)
            holdBack(task);
        place(task, oldRow, {IsCompletedRole});
        break;
    case RecordField::Workspace:
        useWorkspace(task->workspace(), +1);
        place(task, oldRow, {WorkspaceRole});
        break;
    }
}

void TaskListModel::countIn(const TaskItem *task, int sign)
{
    if (!task->isCompleted())
        m_pendingCount += sign;
}

void TaskListModel::useWorkspace(const QString &name, int sign)
{
    const int uses = m_workspaceUse.value(name) + sign;
    if (uses > 0)
        m_workspaceUse.insert(name, uses);
    else
        m_workspaceUse.remove(name);
    // The set of names changes only when a name comes or goes.
    if (uses == 0 || uses == sign)
        emit workspacesInUseChanged();
}

void TaskListModel::holdBack(TaskItem *task)
{
    const QUuid id = task->id();
    m_heldBack.insert(id);
    QTimer::singleShot(m_holdBackMs, this, [this, id] { release(id); });
}

void TaskListModel::release(const QUuid &id)
{
    if (!m_heldBack.remove(id))
        return;
    const auto it =
        std::find_if(m_rows.cbegin(), m_rows.cend(), [&](const TaskItem *row) { return row->id() == id; });
    if (it != m_rows.cend()) {
        const QModelIndex changed = index(int(it - m_rows.cbegin()));
        emit dataChanged(changed, changed, {IsHeldBackRole});
    }
}
