#include "SymbolImageProvider.h"

#include "SymbolCatalog.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QUrlQuery>

namespace {

constexpr int defaultEdge = 24;

struct SvgParts
{
    QString openTag;
    QStringList shapes;
};

// Lucide files are one <svg> element holding self-closing shapes.
SvgParts splitSvg(const QString &svg)
{
    SvgParts parts;
    static const QRegularExpression openTag(QStringLiteral("<svg[^>]*>"));
    static const QRegularExpression shape(
        QStringLiteral("<(path|circle|rect|line|polyline|polygon|ellipse)\\b[^>]*/>"));
    const auto open = openTag.match(svg);
    if (!open.hasMatch())
        return parts;
    parts.openTag = open.captured(0);
    auto it = shape.globalMatch(svg, open.capturedEnd());
    while (it.hasNext())
        parts.shapes << it.next().captured(0);
    return parts;
}

QByteArray document(const QString &openTag, const QStringList &shapes)
{
    return (openTag + shapes.join(QString()) + QStringLiteral("</svg>")).toUtf8();
}

void paint(QPainter &painter, const QByteArray &svg, const QSize &size)
{
    QSvgRenderer renderer(svg);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
}

} // namespace

SymbolImageProvider::SymbolImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage SymbolImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const qsizetype queryStart = id.indexOf(QLatin1Char('?'));
    const QString name = id.left(queryStart);
    const QUrlQuery query(queryStart < 0 ? QString() : id.mid(queryStart + 1));

    QColor color(query.queryItemValue(QStringLiteral("color"), QUrl::FullyDecoded));
    if (!color.isValid())
        color = Qt::black;
    bool weightOk = false;
    qreal weight = query.queryItemValue(QStringLiteral("weight")).toDouble(&weightOk);
    if (!weightOk || weight <= 0)
        weight = 2;

    const QSize edge(requestedSize.width() > 0 ? requestedSize.width() : defaultEdge,
                     requestedSize.height() > 0 ? requestedSize.height() : defaultEdge);
    QImage image = render(name, color, weight, edge);
    if (size)
        *size = image.size();
    return image;
}

QImage SymbolImageProvider::render(const QString &name, const QColor &color, qreal strokeWidth,
                                   const QSize &size)
{
    const auto symbol = SymbolCatalog::lookup(name);
    if (!symbol || size.isEmpty())
        return {};
    QFile file(symbol->file);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    SvgParts parts = splitSvg(QString::fromUtf8(file.readAll()));
    if (parts.shapes.isEmpty())
        return {};

    // The colour goes in as rgb plus a separate opacity: SVG has no #aarrggbb.
    parts.openTag.replace(QStringLiteral("stroke=\"currentColor\""),
                          QStringLiteral("stroke=\"%1\"").arg(color.name(QColor::HexRgb)));
    parts.openTag.replace(QRegularExpression(QStringLiteral("stroke-width=\"[^\"]*\"")),
                          QStringLiteral("stroke-width=\"%1\"").arg(strokeWidth));

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (symbol->filled) {
        QString filledTag = parts.openTag;
        filledTag.replace(QStringLiteral("fill=\"none\""),
                          QStringLiteral("fill=\"%1\"").arg(color.name(QColor::HexRgb)));
        paint(painter, document(filledTag, {parts.shapes.first()}), size);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        paint(painter, document(parts.openTag, parts.shapes.mid(1)), size);
    } else {
        paint(painter, document(parts.openTag, parts.shapes), size);
    }
    painter.end();

    if (color.alpha() < 255) {
        QImage faded(size, QImage::Format_ARGB32_Premultiplied);
        faded.fill(Qt::transparent);
        QPainter fader(&faded);
        fader.setOpacity(color.alphaF());
        fader.drawImage(0, 0, image);
        return faded;
    }
    return image;
}
