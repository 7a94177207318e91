#pragma once

#include "LoginItemBackend.h"

#include <QString>

// Launch at login on freedesktop.org desktops: the entry <app id>.desktop in
// the user's autostart folder ($XDG_CONFIG_HOME/autostart). The program is
// started at login only while that entry exists, starts this program and is
// not switched off (Hidden=true, X-GNOME-Autostart-enabled=false). An entry
// named ordlen.desktop, as earlier versions wrote it, is taken over.
class XdgAutostartBackend : public LoginItemBackend
{
public:
    static inline const QString entryFileName = QStringLiteral(ORDLEN_APP_ID ".desktop");
    static inline const QString legacyEntryFileName = QStringLiteral("ordlen.desktop");

    XdgAutostartBackend(const QString &autostartDirectory, const QString &executablePath);

    // $XDG_CONFIG_HOME/autostart, by default ~/.config/autostart.
    static QString defaultAutostartDirectory();
    // The file a login session should start: the AppImage when running from
    // one, otherwise this executable.
    static QString defaultExecutablePath();

    QString entryPath() const;

    Status status() const override;
    bool registerItem(QString &errorText) override;
    bool unregisterItem(QString &errorText) override;

private:
    bool startsThisProgram(const QString &exec) const;
    QByteArray entryText() const;

    QString m_autostartDirectory;
    QString m_executablePath;
};
