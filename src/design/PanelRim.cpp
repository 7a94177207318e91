#include "PanelRim.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

PanelRim::PanelRim(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

bool PanelRim::change(qreal &field, qreal value)
{
    if (qFuzzyCompare(field, value))
        return false;
    field = value;
    update();
    return true;
}

void PanelRim::setRadius(qreal radius)
{
    if (change(m_radius, radius))
        emit radiusChanged();
}

void PanelRim::setLineWidth(qreal width)
{
    if (change(m_lineWidth, width))
        emit lineWidthChanged();
}

void PanelRim::setStartOpacity(qreal opacity)
{
    if (change(m_startOpacity, opacity))
        emit startOpacityChanged();
}

void PanelRim::setEndOpacity(qreal opacity)
{
    if (change(m_endOpacity, opacity))
        emit endOpacityChanged();
}

void PanelRim::paint(QPainter *painter)
{
    QLinearGradient gradient(0, 0, width(), height());
    gradient.setColorAt(0, QColor::fromRgbF(1, 1, 1, float(m_startOpacity)));
    gradient.setColorAt(1, QColor::fromRgbF(1, 1, 1, float(m_endOpacity)));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QBrush(gradient), m_lineWidth));
    painter->setBrush(Qt::NoBrush);
    // An inner stroke: the line lies wholly inside the item's edge.
    const qreal inset = m_lineWidth / 2;
    const qreal radius = qMax<qreal>(0, m_radius - inset);
    painter->drawRoundedRect(QRectF(inset, inset, width() - m_lineWidth, height() - m_lineWidth), radius,
                             radius);
}
