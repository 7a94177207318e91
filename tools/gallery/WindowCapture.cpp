#include "WindowCapture.h"

#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>

bool WindowCapture::save(QQuickItem *item, const QString &path) const
{
    QQuickWindow *window = item ? item->window() : nullptr;
    if (!window || window->width() <= 0)
        return false;
    const QImage frame = window->grabWindow();
    const qreal ratio = qreal(frame.width()) / window->width();
    const QRectF area = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    const QRect pixels = QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect();
    return frame.copy(pixels).save(path);
}
