#include "SubtaskListModel.h"

#include "SubTaskItem.h"
#include "SubtaskOrder.h"
#include "TaskItem.h"

#include <algorithm>

SubtaskListModel::SubtaskListModel(QObject *parent) : QAbstractListModel(parent) {}

void SubtaskListModel::setTask(TaskItem *task)
{
    if (m_task == task)
        return;
    beginResetModel();
    if (m_task)
        m_task->disconnect(this);
    for (SubTaskItem *subtask : std::as_const(m_rows))
        subtask->disconnect(this);
    m_task = task;
    m_rows = task ? task->subtasksInDisplayOrder() : QList<SubTaskItem *>();
    for (SubTaskItem *subtask : std::as_const(m_rows))
        follow(subtask);
    if (task) {
        connect(task, &TaskItem::subtaskAppended, this, &SubtaskListModel::onAppended);
        connect(task, &TaskItem::subtaskRemoved, this, &SubtaskListModel::onRemoved);
        // Its subtasks go with it.
        connect(task, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_rows.clear();
            endResetModel();
            emit countChanged();
        });
    }
    endResetModel();
    emit taskChanged();
    emit countChanged();
}

void SubtaskListModel::follow(SubTaskItem *subtask)
{
    connect(subtask, &SubTaskItem::titleChanged, this, [this, subtask] { tellChanged(subtask, TitleRole); });
    connect(subtask, &SubTaskItem::isCompletedChanged, this,
            [this, subtask] { tellChanged(subtask, IsCompletedRole); });
}

void SubtaskListModel::onAppended(SubTaskItem *subtask)
{
    // By position, ties in list order: a new subtask goes after every one of
    // its position or lower, one put back by an undo to its old place.
    const auto it = std::partition_point(m_rows.cbegin(), m_rows.cend(), [&](const SubTaskItem *row) {
        return row->sortOrder() < subtask->sortOrder() ||
               (row->sortOrder() == subtask->sortOrder() && row->listIndex() <= subtask->listIndex());
    });
    const int row = int(it - m_rows.cbegin());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(row, subtask);
    follow(subtask);
    endInsertRows();
    emit countChanged();
}

void SubtaskListModel::onRemoved(SubTaskItem *subtask)
{
    const qsizetype row = m_rows.indexOf(subtask);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), int(row), int(row));
    m_rows.removeAt(row);
    subtask->disconnect(this);
    endRemoveRows();
    emit countChanged();
}

void SubtaskListModel::tellChanged(SubTaskItem *subtask, int role)
{
    if (const qsizetype row = m_rows.indexOf(subtask); row >= 0)
        emit dataChanged(index(int(row)), index(int(row)), {role});
}

int SubtaskListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant SubtaskListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    SubTaskItem *subtask = m_rows.at(index.row());
    switch (role) {
    case SubtaskRole:
        return QVariant::fromValue(subtask);
    case Qt::DisplayRole:
    case TitleRole:
        return subtask->title();
    case IsCompletedRole:
        return subtask->isCompleted();
    default:
        return {};
    }
}

QHash<int, QByteArray> SubtaskListModel::roleNames() const
{
    return {{SubtaskRole, "subtask"}, {TitleRole, "title"}, {IsCompletedRole, "isCompleted"}};
}
