#pragma once

#include "TaskFilter.h"

#include <QString>

class TaskItem;

// Which tasks the list shows: the status filter, one workspace or all of
// them, and the search text. The one rule every list of tasks goes by.
class TaskQuery
{
public:
    // An empty workspace means all of them.
    TaskQuery(TaskFilter filter, const QString &workspace, const QString &searchText);

    bool matches(const TaskItem *task) const;
    // Whether the search text has anything to look for.
    bool searches() const { return !m_query.isEmpty(); }

private:
    bool matchesSearch(const TaskItem *task) const;

    TaskFilter m_filter;
    QString m_workspace;
    QString m_query; // trimmed and lower-cased
};
