#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

#include <QDBusMessage>

// Light or dark, as the desktop shows it. Qt 6.4 has no colour-scheme API,
// so the answer comes from the desktop portal's org.freedesktop.appearance
// color-scheme where a portal answers, otherwise from the application
// palette. A forced scheme (tests, the gallery) overrides both.
class Appearance : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

    Q_PROPERTY(bool dark READ isDark NOTIFY darkChanged)
    // "light", "dark" or empty to follow the desktop.
    Q_PROPERTY(QString forcedScheme READ forcedScheme WRITE setForcedScheme NOTIFY forcedSchemeChanged)
    // The platform's adaptive label colours.
    Q_PROPERTY(QColor primaryLabel READ primaryLabel NOTIFY darkChanged)
    Q_PROPERTY(QColor secondaryLabel READ secondaryLabel NOTIFY darkChanged)
    // The panel's window background, on which the raised tiles sit.
    Q_PROPERTY(QColor windowBackground READ windowBackground NOTIFY darkChanged)

public:
    explicit Appearance(QObject *parent = nullptr);

    bool isDark() const;
    QString forcedScheme() const { return m_forcedScheme; }
    void setForcedScheme(const QString &scheme);
    QColor primaryLabel() const;
    QColor secondaryLabel() const;
    QColor windowBackground() const;

    // The desktop portal's encoding: 0 no preference, 1 dark, 2 light.
    enum class PortalScheme
    {
        NoPreference = 0,
        Dark = 1,
        Light = 2
    };
    void setPortalScheme(PortalScheme scheme);

signals:
    void darkChanged();
    void forcedSchemeChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // The portal's SettingChanged(s group, s key, v value). Qt 6.4 can't
    // connect a signal with a variant argument to a slot that names its
    // types, so the slot takes the whole message.
    void onPortalSettingChanged(const QDBusMessage &message);

private:
    void readPortal();
    bool paletteIsDark() const;
    void update();

    QString m_forcedScheme;
    PortalScheme m_portalScheme = PortalScheme::NoPreference;
    bool m_dark = false;
};
