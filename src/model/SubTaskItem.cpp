#include "SubTaskItem.h"

#include "TaskItem.h"

SubTaskItem::SubTaskItem(const QUuid &id, const QString &title, bool isCompleted, const QDateTime &createdAt,
                         qint64 sortOrder, qint64 listIndex)
    : m_id(id), m_title(title), m_isCompleted(isCompleted), m_createdAt(createdAt), m_sortOrder(sortOrder),
      m_listIndex(listIndex)
{}

void SubTaskItem::setTitle(const QString &title)
{
    if (!assignField(m_title, title, RecordField::Title))
        return;
    emit titleChanged();
}

void SubTaskItem::setIsCompleted(bool isCompleted)
{
    if (!assignField(m_isCompleted, isCompleted, RecordField::IsCompleted))
        return;
    emit isCompletedChanged();
    if (m_task)
        emit m_task->subtaskProgressChanged();
}
