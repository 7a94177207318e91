#pragma once

// Whether the desktop composites windows, so that see-through window pixels
// show what lies beneath. On an X server without a compositing manager they
// would show as black.
namespace DesktopCompositor {

bool isActive();

} // namespace DesktopCompositor
