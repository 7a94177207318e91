#include "X11Selection.h"

#include <QGuiApplication>

namespace X11Selection {

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const QByteArray &name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_atom_t interned = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return interned;
}

xcb_atom_t screenAtom(xcb_connection_t *connection, const QByteArray &prefix)
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const qsizetype colon = display.lastIndexOf(':');
    return atom(connection, prefix + (dot > colon ? display.mid(dot + 1) : QByteArray("0")));
}

xcb_window_t owner(xcb_connection_t *connection, xcb_atom_t selection)
{
    if (selection == XCB_ATOM_NONE)
        return XCB_NONE;
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const xcb_window_t window = reply ? reply->owner : XCB_NONE;
    free(reply);
    return window;
}

} // namespace X11Selection
