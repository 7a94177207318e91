// The floor for the start-up benchmark: a tray icon and a hidden, preloaded
// 408 × 476 QML window that the icon toggles, and nothing else — no store,
// no panel, no single-instance lock.
#include "StartupTrace.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QQuickView>
#include <QSystemTrayIcon>

int main(int argc, char *argv[])
{
    if (StartupTrace::enabled())
        StartupTrace::mark("main");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (StartupTrace::enabled())
        StartupTrace::mark("application");

    QQuickView popover;
    popover.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    popover.setResizeMode(QQuickView::SizeRootObjectToView);
    popover.resize(408, 476);
    popover.setSource(
        QUrl(QStringLiteral("data:text/plain,import QtQuick; Rectangle { color: \"%23f4f4f6\" }")));

    QPixmap pixmap(22, 22);
    pixmap.fill(QColor(0x2f, 0x7b, 0xf5));
    QSystemTrayIcon icon{QIcon(pixmap)};
    QObject::connect(
        &icon, &QSystemTrayIcon::activated, &popover, [&](QSystemTrayIcon::ActivationReason reason) {
            if (reason != QSystemTrayIcon::Trigger)
                return;
            if (popover.isVisible()) {
                popover.hide();
                return;
            }
            const QRect at = icon.geometry();
            popover.setPosition(at.isEmpty() ? QCursor::pos() : QPoint(at.right() - 408, at.bottom() + 4));
            popover.show();
            popover.requestActivate();
        });
    StartupTrace::attach(&icon, &popover);
    icon.show();
    return QApplication::exec();
}
