#pragma once

#include "LowercasedText.h"
#include "Record.h"

#include <QDateTime>
#include <QString>
#include <QUuid>
#include <QtQmlIntegration/qqmlintegration.h>

class TaskItem;
Q_MOC_INCLUDE("TaskItem.h")

// One line of a task's checklist.
class SubTaskItem : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Subtasks are created by the TaskStore")

    Q_PROPERTY(QUuid id READ id CONSTANT)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool isCompleted READ isCompleted NOTIFY isCompletedChanged)
    Q_PROPERTY(QDateTime createdAt READ createdAt CONSTANT)
    Q_PROPERTY(qint64 sortOrder READ sortOrder CONSTANT)
    Q_PROPERTY(TaskItem *task READ task NOTIFY taskChanged)

public:
    SubTaskItem(const QUuid &id, const QString &title, bool isCompleted, const QDateTime &createdAt,
                qint64 sortOrder, qint64 listIndex = 0);

    QUuid id() const { return m_id; }
    QString title() const { return m_title; }
    // Whether the lower-cased title contains the (lower-cased) query.
    bool titleContains(const QString &query) const { return m_lowercasedTitle.contains(m_title, query); }
    bool isCompleted() const { return m_isCompleted; }
    QDateTime createdAt() const { return m_createdAt; }
    qint64 sortOrder() const { return m_sortOrder; }
    TaskItem *task() const { return m_task; }
    // Its place in the task's list, which may differ from its position.
    qint64 listIndex() const { return m_listIndex; }

    void setTitle(const QString &title);
    void setIsCompleted(bool isCompleted);

signals:
    void titleChanged();
    void isCompletedChanged();
    void taskChanged();

private:
    friend class TaskItem; // keeps both sides of the relationship in step

    QUuid m_id;
    QString m_title;
    LowercasedText m_lowercasedTitle;
    bool m_isCompleted;
    QDateTime m_createdAt;
    qint64 m_sortOrder;
    TaskItem *m_task = nullptr;
    qint64 m_listIndex; // place in the task's list; kept so the list order survives a reload
};
