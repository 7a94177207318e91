#include "Appearance.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPalette>

Q_LOGGING_CATEGORY(lcAppearance, "ordlen.appearance")

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// Read() wraps the value in one variant more than SettingChanged does.
uint unwrapScheme(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value.toUInt();
}

} // namespace

Appearance::Appearance(QObject *parent) : QObject(parent)
{
    if (qGuiApp)
        qGuiApp->installEventFilter(this);
    m_dark = paletteIsDark();
    readPortal();
}

bool Appearance::isDark() const
{
    return m_dark;
}

void Appearance::setForcedScheme(const QString &scheme)
{
    const QString normalised =
        (scheme == QLatin1String("light") || scheme == QLatin1String("dark")) ? scheme : QString();
    if (normalised == m_forcedScheme)
        return;
    m_forcedScheme = normalised;
    emit forcedSchemeChanged();
    update();
}

QColor Appearance::primaryLabel() const
{
    return m_dark ? QColor::fromRgbF(1, 1, 1, 0.85f) : QColor::fromRgbF(0, 0, 0, 0.85f);
}

QColor Appearance::secondaryLabel() const
{
    return m_dark ? QColor::fromRgbF(1, 1, 1, 0.55f) : QColor::fromRgbF(0, 0, 0, 0.5f);
}

QColor Appearance::windowBackground() const
{
    return m_dark ? QColor(0x32, 0x32, 0x34) : QColor(0xfb, 0xfb, 0xfb);
}

void Appearance::setPortalScheme(PortalScheme scheme)
{
    m_portalScheme = scheme;
    update();
}

bool Appearance::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qGuiApp && event->type() == QEvent::ApplicationPaletteChange)
        update();
    return QObject::eventFilter(watched, event);
}

void Appearance::onPortalSettingChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() == 3 && arguments.at(0).toString() == appearanceGroup &&
        arguments.at(1).toString() == colorSchemeKey)
        setPortalScheme(static_cast<PortalScheme>(unwrapScheme(arguments.at(2))));
}

void Appearance::readPortal()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Without it the scheme is read once, at start.
    if (!bus.connect(portalService, portalPath, portalSettings, QStringLiteral("SettingChanged"), this,
                     SLOT(onPortalSettingChanged(QDBusMessage))))
        qCWarning(lcAppearance) << "cannot follow the desktop's colour scheme:" << bus.lastError().message();
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, portalSettings, QStringLiteral("Read"));
    call << appearanceGroup << colorSchemeKey;
    // Asked without blocking: start-up must not wait for a portal that may
    // never answer.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        QDBusPendingReply<QVariant> reply = *w;
        if (!reply.isError())
            setPortalScheme(static_cast<PortalScheme>(unwrapScheme(reply.value())));
        w->deleteLater();
    });
}

bool Appearance::paletteIsDark() const
{
    if (!qGuiApp)
        return false;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

void Appearance::update()
{
    bool dark = paletteIsDark();
    if (m_portalScheme == PortalScheme::Dark)
        dark = true;
    else if (m_portalScheme == PortalScheme::Light)
        dark = false;
    if (!m_forcedScheme.isEmpty())
        dark = m_forcedScheme == QLatin1String("dark");
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}
