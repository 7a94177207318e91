#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <xcb/xcb.h>

// Whether a tray can take the app's icon now, and when that changes. Trays
// come in two kinds: a StatusNotifierWatcher on the session bus with a host
// registered (KDE, xfce4-panel, GNOME with the AppIndicator extension), and
// on X11 an XEmbed system tray, the owner of _NET_SYSTEM_TRAY_S<screen>.
// Both are watched as they come and go; nothing is polled.
//
// Qt 6.4 picks the kind once per process, the first time a QSystemTrayIcon
// is made or QSystemTrayIcon::isSystemTrayAvailable() is asked: the D-Bus
// tray when a host is registered at that moment, XEmbed otherwise, for good.
// So the app never asks Qt, makes its icon only once a tray is there, and
// says so (iconCreated); from then on only trays of that kind count.
class TrayHostWatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit TrayHostWatcher(QObject *parent = nullptr);
    ~TrayHostWatcher() override;

    bool hasStatusNotifierHost() const { return m_statusNotifierHost; }
    bool hasXEmbedTray() const { return m_xembedOwner != XCB_NONE; }
    // A tray the icon can show in: of the icon's kind once it was made.
    bool isAvailable() const;
    // The icon was just made, for the kind of tray there is now.
    void iconCreated();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void availabilityChanged();

private slots:
    void readStatusNotifierHost();

private:
    enum class Kind
    {
        Undecided,
        StatusNotifier,
        XEmbed
    };

    void followXEmbedOwner(xcb_window_t owner);

    bool m_statusNotifierHost = false;
    Kind m_iconKind = Kind::Undecided;
    xcb_connection_t *m_x11 = nullptr;
    xcb_atom_t m_trayAtom = XCB_ATOM_NONE;
    xcb_atom_t m_managerAtom = XCB_ATOM_NONE;
    xcb_window_t m_xembedOwner = XCB_NONE;
};
