#include "TaskFilter.h"

namespace TaskFilters {

QList<TaskFilter> allCases()
{
    return {TaskFilter::All, TaskFilter::Pending, TaskFilter::Done};
}

QString rawValue(TaskFilter filter)
{
    switch (filter) {
    case TaskFilter::All:
        return QStringLiteral("All");
    case TaskFilter::Pending:
        return QStringLiteral("Pending");
    case TaskFilter::Done:
        return QStringLiteral("Done");
    }
    return {};
}

std::optional<TaskFilter> fromRawValue(const QString &text)
{
    for (TaskFilter filter : allCases()) {
        if (rawValue(filter) == text)
            return filter;
    }
    return std::nullopt;
}

} // namespace TaskFilters
