#include "TaskQuery.h"

#include "TaskItem.h"
#include "TextRules.h"

TaskQuery::TaskQuery(TaskFilter filter, const QString &workspace, const QString &searchText)
    : m_filter(filter), m_workspace(workspace), m_query(TextRules::lowercased(TextRules::trimmed(searchText)))
{}

bool TaskQuery::matches(const TaskItem *task) const
{
    if (!task)
        return false;
    if (!m_workspace.isEmpty() && task->workspace() != m_workspace)
        return false;
    if (m_filter == TaskFilter::Pending && task->isCompleted())
        return false;
    if (m_filter == TaskFilter::Done && !task->isCompleted())
        return false;
    return m_query.isEmpty() || matchesSearch(task);
}

bool TaskQuery::matchesSearch(const TaskItem *task) const
{
    return task->titleContains(m_query) || task->anySubtaskTitleContains(m_query);
}
