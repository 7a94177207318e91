#include "LiveTaskQuery.h"

#include "ModelContext.h"
#include "TaskItem.h"

LiveTaskQuery::LiveTaskQuery(ModelContext *context, QObject *parent) : QObject(parent), m_context(context)
{
    connect(m_context, &ModelContext::changed, this, &LiveTaskQuery::refresh);
    refresh();
}

void LiveTaskQuery::refresh()
{
    m_tasks = m_context->fetchTasks({TaskFetchDescriptor::Sort::SortOrderAscending, std::nullopt});
    emit tasksChanged();
}
