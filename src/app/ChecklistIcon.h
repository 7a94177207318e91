#pragma once

#include <QIcon>

// The tray icon: a checklist on a blue tile, legible on light and dark panels,
// named as installed (the app id) for trays that look icons up by name.
namespace ChecklistIcon {

QIcon icon();

} // namespace ChecklistIcon
