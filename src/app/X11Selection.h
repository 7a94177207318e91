#pragma once

#include <QByteArray>
#include <xcb/xcb.h>

// Manager selections on X11: a compositing manager owns _NET_WM_CM_S<screen>,
// a system tray _NET_SYSTEM_TRAY_S<screen>. Through Qt's own connection to
// the X server; nothing of it works on another platform.
namespace X11Selection {

// Qt's connection to the X server, or none when the app doesn't run on X11.
xcb_connection_t *connection();
// The atom of that name.
xcb_atom_t atom(xcb_connection_t *connection, const QByteArray &name);
// The atom of a manager selection of the app's screen: prefix + its number.
xcb_atom_t screenAtom(xcb_connection_t *connection, const QByteArray &prefix);
// Who owns it now: a window, or XCB_NONE.
xcb_window_t owner(xcb_connection_t *connection, xcb_atom_t selection);

} // namespace X11Selection
