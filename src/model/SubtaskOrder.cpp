#include "SubtaskOrder.h"

#include "SubTaskItem.h"

#include <algorithm>

namespace SubtaskOrder {

QList<SubTaskItem *> displayOrder(const QList<SubTaskItem *> &subtasks)
{
    QList<SubTaskItem *> ordered = subtasks;
    std::stable_sort(ordered.begin(), ordered.end(), [](const SubTaskItem *a, const SubTaskItem *b) {
        return a->sortOrder() < b->sortOrder();
    });
    return ordered;
}

} // namespace SubtaskOrder
