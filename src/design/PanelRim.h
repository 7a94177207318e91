#pragma once

#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The panel's rim: a thin inner stroke along its rounded edge, white fading
// from the top-left corner to the bottom-right one. Painted once per size;
// far cheaper to set up than a Canvas.
class PanelRim : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(qreal lineWidth READ lineWidth WRITE setLineWidth NOTIFY lineWidthChanged)
    Q_PROPERTY(qreal startOpacity READ startOpacity WRITE setStartOpacity NOTIFY startOpacityChanged)
    Q_PROPERTY(qreal endOpacity READ endOpacity WRITE setEndOpacity NOTIFY endOpacityChanged)

public:
    explicit PanelRim(QQuickItem *parent = nullptr);

    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);
    qreal lineWidth() const { return m_lineWidth; }
    void setLineWidth(qreal width);
    qreal startOpacity() const { return m_startOpacity; }
    void setStartOpacity(qreal opacity);
    qreal endOpacity() const { return m_endOpacity; }
    void setEndOpacity(qreal opacity);

    void paint(QPainter *painter) override;

signals:
    void radiusChanged();
    void lineWidthChanged();
    void startOpacityChanged();
    void endOpacityChanged();

private:
    bool change(qreal &field, qreal value);

    qreal m_radius = 20;
    qreal m_lineWidth = 0.8;
    qreal m_startOpacity = 0.12;
    qreal m_endOpacity = 0.04;
};
