#pragma once

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>

class ModelContext;
class TaskItem;
Q_MOC_INCLUDE("TaskItem.h")

// Every task of a context by ascending sortOrder, delivered again after each
// change of the context's records.
class LiveTaskQuery : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created for a model context")

    Q_PROPERTY(QList<TaskItem *> tasks READ tasks NOTIFY tasksChanged)

public:
    explicit LiveTaskQuery(ModelContext *context, QObject *parent = nullptr);

    const QList<TaskItem *> &tasks() const { return m_tasks; }

signals:
    void tasksChanged();

private:
    void refresh();

    ModelContext *m_context;
    QList<TaskItem *> m_tasks;
};
