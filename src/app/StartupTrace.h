#pragma once

#include <QObject>

class QQuickWindow;
class QSystemTrayIcon;

// Time marks for the start-up benchmark, written to standard error only
// when ORDLEN_STARTUP_TRACE is set: when the tray icon is first painted in
// the tray, when the icon is clicked, and the first frame of the popover
// after each click. Each line is "ordlen-trace <mark> <CLOCK_REALTIME µs>".
class StartupTrace : public QObject
{
    Q_OBJECT

public:
    static bool enabled();
    static void mark(const char *name);

    // Watches the app for the icon's first paint and the window's frames.
    static void attach(QSystemTrayIcon *icon, QQuickWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit StartupTrace(QObject *parent);

    bool m_iconPainted = false;
    bool m_framePending = false;
};
