#include "SpringCurve.h"

#include <QEasingCurve>
#include <QTest>

class TestSpringCurve : public QObject
{
    Q_OBJECT

private slots:
    void overshootFollowsDamping_data()
    {
        QTest::addColumn<double>("response");
        QTest::addColumn<double>("damping");
        QTest::addColumn<double>("expected");
        // Analytic overshoot of a damped oscillator: exp(-pi z / sqrt(1 - z^2)).
        QTest::newRow("bouncy 0.45") << 0.4 << 0.45 << 0.205;
        QTest::newRow("design spring 0.7") << 0.3 << 0.7 << 0.046;
        QTest::newRow("checkmark 0.4") << 0.35 << 0.4 << 0.254;
        QTest::newRow("critical 1.0") << 0.5 << 1.0 << 0.0;
        QTest::newRow("overdamped 1.5") << 0.5 << 1.5 << 0.0;
    }
    void overshootFollowsDamping()
    {
        QFETCH(double, response);
        QFETCH(double, damping);
        QFETCH(double, expected);
        QVERIFY2(qAbs(SpringCurve::overshoot(response, damping) - expected) < 0.005,
                 qPrintable(QString::number(SpringCurve::overshoot(response, damping))));
    }

    void settlingTimeGrowsWithResponseAndShrinksWithDamping()
    {
        QVERIFY(SpringCurve::settlingTime(0.6, 0.7) > SpringCurve::settlingTime(0.3, 0.7));
        QVERIFY(SpringCurve::settlingTime(0.3, 0.4) > SpringCurve::settlingTime(0.3, 0.7));
        // The design spring (0.3 s, 0.7) comes to rest in well under half a second.
        const double t = SpringCurve::settlingTime(0.3, 0.7);
        QVERIFY2(t > 0.2 && t < 0.5, qPrintable(QString::number(t)));
        // Past the settling time the spring stays within 0.5 % of its target.
        for (double s = t; s < t + 1; s += 0.01)
            QVERIFY(qAbs(1 - SpringCurve::position(0.3, 0.7, s)) <= 0.005);
    }

    void easingCurveReproducesTheSpring_data()
    {
        QTest::addColumn<double>("response");
        QTest::addColumn<double>("damping");
        QTest::newRow("0.4 / 0.45") << 0.4 << 0.45;
        QTest::newRow("0.3 / 0.7") << 0.3 << 0.7;
        QTest::newRow("0.5 / 1.0") << 0.5 << 1.0;
        QTest::newRow("0.28 / 0.68") << 0.28 << 0.68;
    }
    void easingCurveReproducesTheSpring()
    {
        QFETCH(double, response);
        QFETCH(double, damping);
        const QList<qreal> points = SpringCurve::bezierSpline(response, damping);
        QCOMPARE(points.size() % 6, 0);
        // Qt 6.4's spline easing overruns memory beyond ten segments.
        QVERIFY(points.size() / 6 <= 10);
        QCOMPARE(points.at(points.size() - 2), 1.0);
        QCOMPARE(points.last(), 1.0);

        QEasingCurve curve(QEasingCurve::BezierSpline);
        for (qsizetype i = 0; i < points.size(); i += 6)
            curve.addCubicBezierSegment({points[i], points[i + 1]}, {points[i + 2], points[i + 3]},
                                        {points[i + 4], points[i + 5]});
        const double duration = SpringCurve::settlingTime(response, damping);
        double worst = 0;
        for (double p = 0; p <= 1.0; p += 0.01)
            worst = qMax(worst, qAbs(curve.valueForProgress(p) -
                                     SpringCurve::position(response, damping, p * duration)));
        QVERIFY2(worst < 0.01, qPrintable(QString::number(worst)));
        QCOMPARE(curve.valueForProgress(0), 0.0);
        QCOMPARE(curve.valueForProgress(1), 1.0);
    }

    void degenerateInputsStayFinite()
    {
        for (const auto &[response, damping] :
             {std::pair{0.0, 0.7}, std::pair{-1.0, 0.5}, std::pair{0.3, 0.0}}) {
            const double t = SpringCurve::settlingTime(response, damping);
            QVERIFY(std::isfinite(t) && t > 0);
            for (qreal value : SpringCurve::bezierSpline(response, damping))
                QVERIFY(std::isfinite(value));
        }
    }
};

QTEST_GUILESS_MAIN(TestSpringCurve)
#include "tst_springcurve.moc"
