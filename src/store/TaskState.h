#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

class SubTaskItem;
class TaskItem;

// Everything a subtask record holds, apart from the record.
struct SubtaskState
{
    QUuid id;
    QString title;
    bool isCompleted = false;
    QDateTime createdAt;
    qint64 sortOrder = 0;
    qint64 listIndex = 0;

    static SubtaskState of(const SubTaskItem *subtask);
    // A new record, not yet in any task.
    SubTaskItem *make() const;
    // The same record: its identity and place, whatever its title or tick.
    bool isSameRecord(const SubTaskItem *subtask) const;
    bool operator==(const SubtaskState &) const = default;
};

// Everything a task record holds, its subtasks in list order included: what
// an undo puts back, so a restored task is the very task it was.
struct TaskState
{
    QUuid id;
    QString title;
    bool isCompleted = false;
    QDateTime createdAt;
    QString notes;
    qint64 sortOrder = 0;
    QString workspace;
    QList<SubtaskState> subtasks;

    static TaskState of(const TaskItem *task);
    // A new record with its subtasks, not yet in the store.
    TaskItem *make() const;
    bool operator==(const TaskState &) const = default;
};
