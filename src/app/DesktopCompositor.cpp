#include "DesktopCompositor.h"

#include "X11Selection.h"

#include <QGuiApplication>

namespace DesktopCompositor {

bool isActive()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform != QLatin1String("xcb"))
        return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");

    xcb_connection_t *connection = X11Selection::connection();
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    return connection &&
           X11Selection::owner(connection, X11Selection::screenAtom(connection, "_NET_WM_CM_S")) != XCB_NONE;
}

} // namespace DesktopCompositor
