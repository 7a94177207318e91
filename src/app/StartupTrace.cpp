#include "StartupTrace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QQuickWindow>
#include <QSystemTrayIcon>
#include <cstdio>
#include <ctime>

bool StartupTrace::enabled()
{
    static const bool on = qEnvironmentVariableIsSet("ORDLEN_STARTUP_TRACE");
    return on;
}

void StartupTrace::mark(const char *name)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "ordlen-trace %s %lld\n", name,
                 static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
    std::fflush(stderr);
}

StartupTrace::StartupTrace(QObject *parent) : QObject(parent) {}

void StartupTrace::attach(QSystemTrayIcon *icon, QQuickWindow *window)
{
    if (!enabled())
        return;
    auto *trace = new StartupTrace(icon);
    // The icon is a widget of Qt's own that the tray maps when it docks it:
    // its first paint is the icon appearing in the tray.
    QCoreApplication::instance()->installEventFilter(trace);
    QObject::connect(icon, &QSystemTrayIcon::activated, trace,
                     [trace](QSystemTrayIcon::ActivationReason reason) {
                         if (reason != QSystemTrayIcon::Trigger)
                             return;
                         mark("click");
                         trace->m_framePending = true;
                     });
    QObject::connect(window, &QQuickWindow::frameSwapped, trace, [trace, window] {
        if (trace->m_framePending && window->isVisible()) {
            trace->m_framePending = false;
            mark("frame");
        }
    });
}

bool StartupTrace::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_iconPainted && event->type() == QEvent::Paint &&
        qstrcmp(watched->metaObject()->className(), "QSystemTrayIconSys") == 0) {
        m_iconPainted = true;
        mark("tray-painted");
        QCoreApplication::instance()->removeEventFilter(this);
    }
    return false;
}
