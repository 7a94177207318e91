#pragma once

#include "LoginItemBackend.h"

#include <QObject>
#include <memory>

// Whether the app starts at login, mirrored in isEnabled, which only a
// status of "enabled" sets. The app uses the one shared() instance; other
// instances exist only in tests, over a backend of their own.
class LaunchAtLoginService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isEnabled READ isEnabled NOTIFY isEnabledChanged)

public:
    explicit LaunchAtLoginService(std::unique_ptr<LoginItemBackend> backend, QObject *parent = nullptr);
    ~LaunchAtLoginService() override;

    // Created on first use over the XDG autostart entry; lives until exit.
    static LaunchAtLoginService &shared();

    bool isEnabled() const { return m_isEnabled; }

    Q_INVOKABLE void enable();
    Q_INVOKABLE void disable();
    // Re-reads the system's status; announces it even when unchanged.
    Q_INVOKABLE void refreshStatus();

signals:
    void isEnabledChanged();

private:
    void change(bool enabled);
    void setEnabled(bool enabled);

    std::unique_ptr<LoginItemBackend> m_backend;
    bool m_isEnabled = false;
};
