#pragma once

#include <QList>
#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// Turns a spring given by response (seconds per undamped oscillation) and
// damping fraction into what a Qt animation can play: the settling time as
// duration and the step response as an Easing.BezierSpline curve. The spring
// is a damped oscillator with natural frequency 2π / response moving from 0
// to 1 at rest.
class SpringCurve : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // Position at time t (seconds) of a spring released at 0 towards 1.
    static double position(double response, double dampingFraction, double t);
    // Seconds until the spring stays within 0.5 % of its target.
    static double settlingTime(double response, double dampingFraction);
    // Control points for QEasingCurve::BezierSpline over the settling time.
    static QList<qreal> bezierSpline(double response, double dampingFraction);

    Q_INVOKABLE int durationMs(double response, double dampingFraction) const;
    // As a list QML hands straight to easing.bezierCurve.
    Q_INVOKABLE QVariantList curve(double response, double dampingFraction) const;
};
