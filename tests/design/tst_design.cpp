#include "Appearance.h"
#include "SpringCurve.h"
#include "SymbolCatalog.h"
#include "SymbolImageProvider.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEasingCurve>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

using Scheme = Appearance::PortalScheme;

class TestDesign : public QObject
{
    Q_OBJECT

private slots:

    // A forced scheme beats the desktop portal's, which beats the palette.
    void darkWhenTheDesktopSaysSo_data()
    {
        QTest::addColumn<bool>("darkPalette");
        QTest::addColumn<Scheme>("portal");
        QTest::addColumn<QString>("forced");
        QTest::addColumn<bool>("dark");
        QTest::newRow("portal light") << true << Scheme::Light << QString() << false;
        QTest::newRow("portal dark") << false << Scheme::Dark << QString() << true;
        QTest::newRow("forced light") << true << Scheme::Dark << "light" << false;
        QTest::newRow("forced dark") << false << Scheme::Light << "dark" << true;
        QTest::newRow("anything else follows") << true << Scheme::NoPreference << "bogus" << true;
    }

    void darkWhenTheDesktopSaysSo()
    {
        QFETCH(bool, darkPalette);
        QFETCH(Scheme, portal);
        QFETCH(QString, forced);
        QFETCH(bool, dark);
        const QPalette light(Qt::lightGray, Qt::white), darkOne(Qt::darkGray, Qt::black);
        QGuiApplication::setPalette(light);
        Appearance appearance;
        QSignalSpy changed(&appearance, &Appearance::darkChanged);
        appearance.setForcedScheme(forced);
        appearance.setPortalScheme(portal);
        QGuiApplication::setPalette(darkPalette ? darkOne : light);
        QTRY_COMPARE(appearance.isDark(), dark);
        QCOMPARE(changed.count(), dark ? 1 : 0);
        QCOMPARE(appearance.primaryLabel().lightness() > 128, dark);
    }

    // A change of the desktop's colour scheme arrives while the app runs.
    // Needs a session bus of its own: ctest runs this under dbus-run-session
    // as tst_design_portal, where this process plays the portal.
    void followsThePortalLive()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus: tst_design_portal runs this");
        QVERIFY(bus.registerService("org.freedesktop.portal.Desktop"));
        QGuiApplication::setPalette(QPalette(Qt::lightGray, Qt::white));
        Appearance appearance;
        for (const uint scheme : {1u, 2u}) {
            QDBusMessage signal = QDBusMessage::createSignal(
                "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Settings", "SettingChanged");
            signal << "org.freedesktop.appearance"
                   << "color-scheme" << QVariant::fromValue(QDBusVariant(scheme));
            QVERIFY(bus.send(signal));
            QTRY_COMPARE(appearance.isDark(), scheme == 1);
        }
    }

    void springs_data()
    {
        QTest::addColumn<double>("response");
        QTest::addColumn<double>("damping");
        QTest::newRow("design spring") << 0.3 << 0.7;
        QTest::newRow("critical") << 0.5 << 1.0;
        QTest::newRow("overdamped") << 0.5 << 1.2;
        QTest::newRow("no response time") << 0.0 << 0.7;
    }

    // Past its settling time the spring stays within 0.5 % of rest; the easing curve QML gets plays it
    // over that time, in ten segments at most (more overrun a buffer in Qt 6.4).
    void springs()
    {
        QFETCH(double, response);
        QFETCH(double, damping);
        const auto at = [&](double t) { return SpringCurve::position(response, damping, t); };
        const double settled = SpringCurve::settlingTime(response, damping);
        for (double t = settled; t < settled + 1; t += 0.01)
            QVERIFY(qAbs(1 - at(t)) <= 0.005);
        QCOMPARE(SpringCurve().durationMs(response, damping), qRound(settled * 1000));
        const QVariantList p = SpringCurve().curve(response, damping);
        QVERIFY(!p.isEmpty() && p.size() % 6 == 0 && p.size() <= 60);
        QEasingCurve curve(QEasingCurve::BezierSpline);
        for (qsizetype i = 0; i < p.size(); i += 6)
            curve.addCubicBezierSegment({p[i].toReal(), p[i + 1].toReal()},
                                        {p[i + 2].toReal(), p[i + 3].toReal()},
                                        {p[i + 4].toReal(), p[i + 5].toReal()});
        for (double progress = 0; progress <= 1.0; progress += 0.01)
            QVERIFY(qAbs(curve.valueForProgress(progress) - at(progress * settled)) < 0.01);
        QCOMPARE(curve.valueForProgress(1), 1.0);
    }

    // Every symbol has a drawing; the provider takes colour and stroke width from the id (black, 2,
    // 24 x 24 when not given); ".fill" cuts the inner strokes out.
    void symbolsDraw()
    {
        const auto render = &SymbolImageProvider::render;
        for (const QString &name : SymbolCatalog::names())
            QVERIFY2(!render(name, Qt::red, 2, {48, 48}).isNull(), qPrintable(name));
        SymbolImageProvider provider;
        QSize size;
        const QImage thin = provider.requestImage("xmark?color=%2300ff00&weight=1", &size, {48, 48});
        const QImage bold = provider.requestImage("xmark?color=%2300ff00&weight=3", &size, {48, 48});
        QVERIFY(bold != thin && bold.pixel(24, 24) == QColor(Qt::green).rgba());
        const QImage plain = provider.requestImage("xmark?color=nonsense&weight=-1", &size, {});
        QVERIFY(size == QSize(24, 24) && plain == render("xmark", Qt::black, 2, size));
        QVERIFY(provider.requestImage("no.such.symbol", &size, {24, 24}).isNull());
        const QImage filled = render("xmark.circle.fill", Qt::black, 2, {48, 48});
        QVERIFY(qAlpha(filled.pixel(24, 24)) == 0 && qAlpha(filled.pixel(24, 14)) == 255);
    }
};

QTEST_MAIN(TestDesign)
#include "tst_design.moc"
