#pragma once

#include <QColor>
#include <QImage>
#include <QQuickImageProvider>

// Serves "image://symbol/<name>?color=<#aarrggbb>&weight=<stroke width>":
// the symbol's SVG drawn in one colour with the given stroke width (in the
// icon's 24-unit grid). Unknown names give an empty image.
class SymbolImageProvider : public QQuickImageProvider
{
public:
    static inline const QString providerId = QStringLiteral("symbol");

    SymbolImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // The drawing itself, for callers outside an engine.
    static QImage render(const QString &name, const QColor &color, qreal strokeWidth, const QSize &size);
};
