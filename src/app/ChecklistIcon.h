#pragma once

#include <QIcon>

// The tray icon: a checklist on a blue tile, legible on light and dark panels.
namespace ChecklistIcon {

QIcon icon();

} // namespace ChecklistIcon
