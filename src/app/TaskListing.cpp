#include "TaskListing.h"

#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskListModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr qsizetype indentStep = 4;

QByteArray line(qsizetype indent, bool isCompleted, const QString &title)
{
    return QByteArray(indent, ' ') + (isCompleted ? "[x] " : "[ ] ") + title.toUtf8() + '\n';
}

} // namespace

QByteArray TaskListing::text(const TaskListModel &list)
{
    QByteArray out;
    const qsizetype indent = list.isGrouped() ? indentStep : 0;
    QString workspace;
    for (int row = 0; row < list.rowCount(); ++row) {
        const TaskItem *task = list.taskAt(row);
        if (list.isGrouped() && (row == 0 || task->workspace() != workspace)) {
            workspace = task->workspace();
            out += workspace.toUtf8() + '\n';
        }
        out += line(indent, task->isCompleted(), task->title());
        for (const SubTaskItem *subtask : task->subtasksInDisplayOrder())
            out += line(indent + indentStep, subtask->isCompleted(), subtask->title());
    }
    return out;
}

QByteArray TaskListing::json(const TaskListModel &list)
{
    QJsonArray tasks;
    for (int row = 0; row < list.rowCount(); ++row) {
        const TaskItem *task = list.taskAt(row);
        QJsonArray subtasks;
        for (const SubTaskItem *subtask : task->subtasksInDisplayOrder())
            subtasks.append(QJsonObject{{QLatin1String("title"), subtask->title()},
                                        {QLatin1String("done"), subtask->isCompleted()}});
        tasks.append(QJsonObject{{QLatin1String("title"), task->title()},
                                 {QLatin1String("done"), task->isCompleted()},
                                 {QLatin1String("workspace"), task->workspace()},
                                 {QLatin1String("subtasks"), subtasks}});
    }
    return QJsonDocument(tasks).toJson(QJsonDocument::Compact) + '\n';
}
