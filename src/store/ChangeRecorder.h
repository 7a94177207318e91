#pragma once

#include "StoreChange.h"

#include <QHash>
#include <QList>
#include <QMetaObject>

class ModelContext;
class TaskItem;

// Watches the records while one operation runs and keeps the first state
// of every task it touches: inserted (nothing before), removed, or with a
// field about to change. Tasks whose subtasks come or go are named up front.
class ChangeRecorder
{
public:
    ChangeRecorder(ModelContext &context, const QList<const TaskItem *> &touched);
    ~ChangeRecorder();
    ChangeRecorder(const ChangeRecorder &) = delete;
    ChangeRecorder &operator=(const ChangeRecorder &) = delete;

    // Stops watching: the state before the operation.
    StoreState finish();
    // The touched tasks that were in the store at some point of the
    // operation, by id: the context answers which of them still are.
    const QHash<QUuid, const TaskItem *> &touched() const { return m_touched; }

private:
    void note(const TaskItem *task);
    void noteInserted(const TaskItem *task);

    StoreState m_before;
    QHash<QUuid, const TaskItem *> m_touched;
    QList<QMetaObject::Connection> m_connections;
};
