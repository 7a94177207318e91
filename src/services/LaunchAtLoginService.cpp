#include "LaunchAtLoginService.h"

#include "DiagnosticLog.h"
#include "XdgAutostartBackend.h"

LaunchAtLoginService::LaunchAtLoginService(std::unique_ptr<LoginItemBackend> backend, QObject *parent)
    : QObject(parent), m_backend(std::move(backend))
{
    m_isEnabled = m_backend->status() == LoginItemBackend::Status::Enabled;
}

LaunchAtLoginService::~LaunchAtLoginService() = default;

LaunchAtLoginService &LaunchAtLoginService::shared()
{
    static LaunchAtLoginService instance(std::make_unique<XdgAutostartBackend>(
        XdgAutostartBackend::defaultAutostartDirectory(), XdgAutostartBackend::defaultExecutablePath()));
    return instance;
}

void LaunchAtLoginService::enable()
{
    change(true);
}

void LaunchAtLoginService::disable()
{
    change(false);
}

void LaunchAtLoginService::change(bool enabled)
{
    QString errorText;
    const bool done = enabled ? m_backend->registerItem(errorText) : m_backend->unregisterItem(errorText);
    if (!done) {
        // The flag keeps its value: the menu goes on showing what is true.
        DiagnosticLog::write((enabled ? QStringLiteral("Ordlen: Could not enable launch at login — ")
                                      : QStringLiteral("Ordlen: Could not disable launch at login — ")) +
                             errorText);
        return;
    }
    setEnabled(enabled);
}

void LaunchAtLoginService::refreshStatus()
{
    m_isEnabled = m_backend->status() == LoginItemBackend::Status::Enabled;
    emit isEnabledChanged();
}

void LaunchAtLoginService::setEnabled(bool enabled)
{
    if (m_isEnabled == enabled)
        return;
    m_isEnabled = enabled;
    emit isEnabledChanged();
}
