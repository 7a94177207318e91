#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the popover opens: centred under the tray icon, or above it when the
// tray sits at the bottom of the screen; near the pointer when the tray
// doesn't say where its icon is. Always kept fully on the screen.
namespace PopoverPlacement {

// Space between the icon and the popover.
inline constexpr int gap = 4;

QPoint topLeft(const QRect &iconGeometry, const QPoint &pointer, const QSize &size, const QRect &screenArea);

} // namespace PopoverPlacement
