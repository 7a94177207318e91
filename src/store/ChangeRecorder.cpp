#include "ChangeRecorder.h"

#include "ModelContext.h"
#include "SubTaskItem.h"
#include "TaskItem.h"

ChangeRecorder::ChangeRecorder(ModelContext &context, const QList<const TaskItem *> &touched)
{
    for (const TaskItem *task : touched)
        note(task);
    m_connections = {
        QObject::connect(&context, &ModelContext::taskInserted,
                         [this](TaskItem *task) { noteInserted(task); }),
        QObject::connect(&context, &ModelContext::taskAboutToBeRemoved,
                         [this](TaskItem *task) { note(task); }),
        QObject::connect(&context, &ModelContext::fieldAboutToChange,
                         [this](QObject *record, RecordField) {
                             if (const auto *task = qobject_cast<const TaskItem *>(record))
                                 note(task);
                             else if (const auto *subtask = qobject_cast<const SubTaskItem *>(record))
                                 note(subtask->task());
                         }),
    };
}

ChangeRecorder::~ChangeRecorder()
{
    for (const QMetaObject::Connection &connection : m_connections)
        QObject::disconnect(connection);
}

StoreState ChangeRecorder::finish()
{
    for (const QMetaObject::Connection &connection : m_connections)
        QObject::disconnect(connection);
    m_connections.clear();
    return m_before;
}

void ChangeRecorder::note(const TaskItem *task)
{
    if (!task)
        return;
    m_touched.insert(task->id(), task);
    if (!m_before.tasks.contains(task->id()))
        m_before.tasks.insert(task->id(), TaskState::of(task));
}

void ChangeRecorder::noteInserted(const TaskItem *task)
{
    m_touched.insert(task->id(), task);
    if (!m_before.tasks.contains(task->id()))
        m_before.tasks.insert(task->id(), std::nullopt);
}
