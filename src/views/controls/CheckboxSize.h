#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// The two checkbox sizes: task rows and subtask rows. Capitalised like
// TaskFilter because QML reads only capitalised enum values.
namespace CheckboxSizes {
Q_NAMESPACE
QML_NAMED_ELEMENT(CheckboxSize)

enum class CheckboxSize
{
    Task,
    Subtask
};
Q_ENUM_NS(CheckboxSize)

} // namespace CheckboxSizes

using CheckboxSize = CheckboxSizes::CheckboxSize;
