#include "SystemFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

QFont SystemFont::make(qreal points, int weight, bool monospaced)
{
    QFont font =
        QFontDatabase::systemFont(monospaced ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
    const QScreen *screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    const qreal dpi = screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
    font.setPointSizeF(points * 72.0 / dpi);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}
