#include "TrayHostWatcher.h"

#include "X11Selection.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
// A watcher answers at once; one that hangs must not hold the app up long.
constexpr int watcherReplyTimeoutMs = 1000;

} // namespace

TrayHostWatcher::TrayHostWatcher(QObject *parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        auto *services =
            new QDBusServiceWatcher(watcherService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(services, &QDBusServiceWatcher::serviceOwnerChanged, this,
                &TrayHostWatcher::readStatusNotifierHost);
        // A host can also come to, or leave, a watcher that stays.
        for (const char *change : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
            bus.connect(watcherService, watcherPath, watcherService, QString::fromLatin1(change), this,
                        SLOT(readStatusNotifierHost()));
        readStatusNotifierHost();
    }

    m_x11 = X11Selection::connection();
    if (m_x11) {
        m_trayAtom = X11Selection::screenAtom(m_x11, "_NET_SYSTEM_TRAY_S");
        m_managerAtom = X11Selection::atom(m_x11, "MANAGER");
        // A tray that takes the selection tells the root window, which Qt
        // listens to; its window's end is heard through followXEmbedOwner.
        QCoreApplication::instance()->installNativeEventFilter(this);
        followXEmbedOwner(X11Selection::owner(m_x11, m_trayAtom));
    }
}

TrayHostWatcher::~TrayHostWatcher()
{
    if (m_x11)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TrayHostWatcher::isAvailable() const
{
    switch (m_iconKind) {
    case Kind::StatusNotifier:
        return hasStatusNotifierHost();
    case Kind::XEmbed:
        return hasXEmbedTray();
    case Kind::Undecided:
        break;
    }
    return hasStatusNotifierHost() || hasXEmbedTray();
}

void TrayHostWatcher::iconCreated()
{
    if (m_iconKind == Kind::Undecided)
        m_iconKind = m_statusNotifierHost ? Kind::StatusNotifier : Kind::XEmbed;
}

void TrayHostWatcher::readStatusNotifierHost()
{
    QDBusMessage get = QDBusMessage::createMethodCall(watcherService, watcherPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    // Asking must not start a watcher that isn't running.
    get.setAutoStartService(false);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, watcherReplyTimeoutMs);
    const bool registered = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                            qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    if (registered == m_statusNotifierHost)
        return;
    m_statusNotifierHost = registered;
    emit availabilityChanged();
}

void TrayHostWatcher::followXEmbedOwner(xcb_window_t owner)
{
    const bool had = hasXEmbedTray();
    // Told when the owner's window goes; asked again after asking to be
    // told, in case it went (or the selection moved) in between.
    for (xcb_window_t watched = XCB_NONE; owner != watched; owner = X11Selection::owner(m_x11, m_trayAtom)) {
        watched = owner;
        if (owner != XCB_NONE) {
            const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(m_x11, owner, XCB_CW_EVENT_MASK, &events);
        }
    }
    m_xembedOwner = owner;
    if (had != hasXEmbedTray())
        emit availabilityChanged();
}

bool TrayHostWatcher::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & 0x7f) {
    case XCB_CLIENT_MESSAGE: {
        const auto *manager = static_cast<const xcb_client_message_event_t *>(message);
        if (manager->type == m_managerAtom && manager->format == 32 && manager->data.data32[1] == m_trayAtom)
            followXEmbedOwner(manager->data.data32[2]);
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t *>(message)->window == m_xembedOwner)
            followXEmbedOwner(X11Selection::owner(m_x11, m_trayAtom));
        break;
    default:
        break;
    }
    return false;
}
