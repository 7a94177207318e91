#pragma once

#include "TaskFilter.h"

#include <QtQml/qqmlregistration.h>

// The status filter's cases in QML, as TaskFilter.All and so on. The records
// know nothing of QML; the registration of the namespace lives here.
namespace TaskFilterForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(TaskFilters)
QML_NAMED_ELEMENT(TaskFilter)
} // namespace TaskFilterForeign
