#include "LiveTaskQuery.h"

#include "ModelContext.h"
#include "StoreError.h"
#include "TaskItem.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLiveQuery, "ordlen.store.query")

LiveTaskQuery::LiveTaskQuery(ModelContext *context, QObject *parent) : QObject(parent), m_context(context)
{
    connect(m_context, &ModelContext::changed, this, &LiveTaskQuery::refresh);
    refresh();
}

void LiveTaskQuery::refresh()
{
    try {
        m_tasks = m_context->fetchTasks({TaskFetchDescriptor::Sort::SortOrderAscending, std::nullopt});
    } catch (const StoreError &error) {
        // Keep showing the last list rather than an empty one.
        qCWarning(lcLiveQuery) << "fetch failed:" << error.description();
        return;
    }
    emit tasksChanged();
}
