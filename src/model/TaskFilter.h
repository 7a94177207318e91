#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

// The status filter of the list. QML reads enum values only when they start
// with a capital letter, so the cases are spelled like their raw values.
// QML knows it as TaskFilter (see TaskFilterForeign.h).
namespace TaskFilters {
Q_NAMESPACE

enum class TaskFilter : quint8
{
    All,
    Pending,
    Done
};
Q_ENUM_NS(TaskFilter)

// all, pending, done: the order of the filter bar's pills.
QList<TaskFilter> allCases();
QString rawValue(TaskFilter filter);
// The case whose raw value equals the text exactly (case-sensitive).
std::optional<TaskFilter> fromRawValue(const QString &rawValue);

} // namespace TaskFilters

using TaskFilter = TaskFilters::TaskFilter;
