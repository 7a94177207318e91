#pragma once

#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// The system font at a size given in layout points (one point is one logical
// pixel, as everywhere else in the views), so text keeps its proportion to
// the fixed sizes around it whatever the screen's font DPI.
class SystemFont : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    static QFont make(qreal points, int weight, bool monospaced);

    Q_INVOKABLE QFont font(qreal points, int weight) const { return make(points, weight, false); }
    Q_INVOKABLE QFont monospaced(qreal points, int weight) const { return make(points, weight, true); }
};
