#pragma once

#include <QByteArray>

class TaskListModel;

// The tasks of a list, in its order, for `ordlen list`: as lines of text,
// a task's subtasks indented under it ("[x] " for a ticked-off one, "[ ] "
// for an open one) and, while the list is grouped, a heading per workspace
// with its tasks indented; or as a JSON array of tasks with their subtasks.
class TaskListing
{
public:
    static QByteArray text(const TaskListModel &list);
    static QByteArray json(const TaskListModel &list);
};
