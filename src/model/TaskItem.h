#pragma once

#include "LowercasedText.h"
#include "Record.h"
#include "SubtaskSeed.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>
#include <QtQmlIntegration/qqmlintegration.h>
#include <vector>

class SubTaskItem;
Q_MOC_INCLUDE("SubTaskItem.h")

// One entry of the to-do list. It owns its subtasks: deleting the task
// deletes them too.
class TaskItem : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Tasks are created by the TaskStore")

    Q_PROPERTY(QUuid id READ id CONSTANT)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool isCompleted READ isCompleted NOTIFY isCompletedChanged)
    Q_PROPERTY(QDateTime createdAt READ createdAt CONSTANT)
    Q_PROPERTY(QString notes READ notes CONSTANT)
    Q_PROPERTY(qint64 sortOrder READ sortOrder CONSTANT)
    Q_PROPERTY(QString workspace READ workspace NOTIFY workspaceChanged)
    Q_PROPERTY(QList<SubTaskItem *> subtasks READ subtasks NOTIFY subtasksChanged)
    Q_PROPERTY(bool allSubtasksCompleted READ allSubtasksCompleted NOTIFY subtaskProgressChanged)
    Q_PROPERTY(int completedSubtaskCount READ completedSubtaskCount NOTIFY subtaskProgressChanged)
    Q_PROPERTY(int subtaskCount READ subtaskCount NOTIFY subtasksChanged)

public:
    TaskItem(const QUuid &id, const QString &title, bool isCompleted, const QDateTime &createdAt,
             const QString &notes, qint64 sortOrder, const QString &workspace);

    QUuid id() const { return m_id; }
    QString title() const { return m_title; }
    // Whether the lower-cased title contains the (lower-cased) query.
    bool titleContains(const QString &query) const { return m_lowercasedTitle.contains(m_title, query); }
    bool isCompleted() const { return m_isCompleted; }
    QDateTime createdAt() const { return m_createdAt; }
    QString notes() const { return m_notes; }
    qint64 sortOrder() const { return m_sortOrder; }
    QString workspace() const { return m_workspace; }
    // Makes the subtask objects from their seeds on first use.
    const QList<SubTaskItem *> &subtasks() const;
    // How a task row lists them: by position, ties in list order.
    QList<SubTaskItem *> subtasksInDisplayOrder() const;

    // False without subtasks; otherwise whether every subtask is ticked.
    bool allSubtasksCompleted() const;
    int completedSubtaskCount() const;
    int subtaskCount() const { return int(m_subtasks.size() + m_seeds.size()); }
    // Whether a subtask's lower-cased title contains the (lower-cased) query;
    // makes no subtask object.
    bool anySubtaskTitleContains(const QString &query) const;

    void setTitle(const QString &title);
    void setIsCompleted(bool isCompleted);
    void setWorkspace(const QString &workspace);

    // Appends the subtask, after the last one in list order, and points it
    // back at this task.
    void appendSubtask(SubTaskItem *subtask);
    // Adds a subtask that already has its place in the list (read back).
    void adoptSubtask(SubTaskItem *subtask);
    // Adds a subtask read back, as a seed its object is made from when it is
    // first needed; seeds are kept in list order, equal places in the order
    // they came.
    void adoptSubtaskSeed(SubtaskSeed seed);
    // Puts a subtask back at its place in the list (its listIndex), as an
    // undo does, and announces it as appendSubtask does.
    void restoreSubtask(SubTaskItem *subtask);
    // Removes this one subtask; the others keep their order. Ids are not
    // used: a file written by another tool may repeat them.
    void removeSubtask(SubTaskItem *subtask);

signals:
    void titleChanged();
    void isCompletedChanged();
    void workspaceChanged();
    void subtasksChanged();
    // Finer news for a list of the subtasks: the one that came or went.
    void subtaskAppended(SubTaskItem *subtask);
    void subtaskRemoved(SubTaskItem *subtask);
    void subtaskProgressChanged();

private:
    void announceSubtask(SubTaskItem *subtask);
    void makeSubtasks() const;

    QUuid m_id;
    QString m_title;
    LowercasedText m_lowercasedTitle;
    bool m_isCompleted;
    QDateTime m_createdAt;
    QString m_notes;
    qint64 m_sortOrder;
    QString m_workspace;
    // Either the subtask objects or, until they are first needed, their
    // seeds: never both.
    mutable QList<SubTaskItem *> m_subtasks;
    mutable std::vector<SubtaskSeed> m_seeds;
};
