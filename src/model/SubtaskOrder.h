#pragma once

#include <QList>

class SubTaskItem;

namespace SubtaskOrder {

// Ascending sortOrder; subtasks with equal positions keep their list order.
QList<SubTaskItem *> displayOrder(const QList<SubTaskItem *> &subtasks);

} // namespace SubtaskOrder
