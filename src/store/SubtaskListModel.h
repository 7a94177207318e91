#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <QtQmlIntegration/qqmlintegration.h>

class SubTaskItem;
class TaskItem;
Q_MOC_INCLUDE("SubTaskItem.h")
Q_MOC_INCLUDE("TaskItem.h")

// One task's subtasks as its row lists them (by position, equal positions in
// list order), following the task subtask by subtask: a new or deleted
// subtask leaves the other rows, and an editor open in one of them, alone.
class SubtaskListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(TaskItem *task READ task WRITE setTask NOTIFY taskChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Role
    {
        SubtaskRole = Qt::UserRole + 1,
        TitleRole,
        IsCompletedRole,
    };
    Q_ENUM(Role)

    explicit SubtaskListModel(QObject *parent = nullptr);

    TaskItem *task() const { return m_task; }
    void setTask(TaskItem *task);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    SubTaskItem *subtaskAt(int row) const { return m_rows.value(row); }

signals:
    void taskChanged();
    void countChanged();

private:
    void follow(SubTaskItem *subtask);
    void onAppended(SubTaskItem *subtask);
    void onRemoved(SubTaskItem *subtask);
    void tellChanged(SubTaskItem *subtask, int role);

    QPointer<TaskItem> m_task;
    QList<SubTaskItem *> m_rows;
};
