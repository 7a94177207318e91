#include "Appearance.h"
#include "QmlEngineSetup.h"

#include <QGuiApplication>
#include <QPalette>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTest>

// Reads the design tokens through the module, as views do.
class TestAppearance : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QObject> tokens(QQmlEngine &engine)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Ordlen\nQtObject {\n"
                          "  property color primary: OrdlenDesign.color.textPrimary\n"
                          "  property color secondary: OrdlenDesign.color.textSecondary\n"
                          "  property color separator: OrdlenDesign.color.separator\n"
                          "  property color rowHover: OrdlenDesign.color.rowHover\n"
                          "  property color completed: OrdlenDesign.color.textCompleted\n"
                          "  property color accent: OrdlenDesign.color.accent\n"
                          "  property color success: OrdlenDesign.color.success\n"
                          "  property color destructive: OrdlenDesign.color.destructive\n"
                          "  property color tertiary: OrdlenDesign.color.textTertiary\n"
                          "  property font badge: OrdlenDesign.font.badge\n"
                          "  property font taskTitle: OrdlenDesign.font.taskTitle\n"
                          "  function force(scheme) { Appearance.forcedScheme = scheme }\n"
                          "}",
                          QUrl("qrc:/test/Tokens.qml"));
        std::unique_ptr<QObject> object(component.create());
        if (!object)
            qWarning() << component.errors();
        return object;
    }

    static void force(QObject *tokens, const char *scheme)
    {
        QMetaObject::invokeMethod(tokens, "force", Q_ARG(QVariant, QString::fromLatin1(scheme)));
    }

    static QColor color(QObject *tokens, const char *name) { return tokens->property(name).value<QColor>(); }

private slots:
    void hueColoursMatchTheirHsbDefinition_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("accent") << QByteArray("accent") << QColor(0x49, 0xA1, 0xF2);
        QTest::newRow("success") << QByteArray("success") << QColor(0x49, 0xB8, 0x62);
        QTest::newRow("destructive") << QByteArray("destructive") << QColor(0xCC, 0x57, 0x47);
        QTest::newRow("tertiary") << QByteArray("tertiary") << QColor(0x8C, 0x8C, 0x8C);
    }
    void hueColoursMatchTheirHsbDefinition()
    {
        QFETCH(QByteArray, token);
        QFETCH(QColor, expected);
        QQmlEngine engine;
        QmlEngineSetup::configure(engine);
        auto object = tokens(engine);
        QVERIFY(object);
        for (const char *scheme : {"light", "dark"}) {
            force(object.get(), scheme);
            const QColor actual = color(object.get(), token.constData());
            QVERIFY2(qAbs(actual.red() - expected.red()) <= 1 &&
                         qAbs(actual.green() - expected.green()) <= 1 &&
                         qAbs(actual.blue() - expected.blue()) <= 1,
                     qPrintable(actual.name() + " " + scheme));
            QCOMPARE(actual.alpha(), 255);
        }
    }

    void adaptiveColoursFollowTheAppearance()
    {
        QQmlEngine engine;
        QmlEngineSetup::configure(engine);
        auto object = tokens(engine);
        QVERIFY(object);
        force(object.get(), "light");
        const QColor lightPrimary = color(object.get(), "primary");
        QVERIFY(lightPrimary.lightness() < 60);
        QCOMPARE(color(object.get(), "separator").rgb(), lightPrimary.rgb());
        QVERIFY(qAbs(color(object.get(), "separator").alphaF() - lightPrimary.alphaF() * 0.07) < 0.01);
        QVERIFY(qAbs(color(object.get(), "rowHover").alphaF() - lightPrimary.alphaF() * 0.05) < 0.01);

        force(object.get(), "dark");
        for (const char *token : {"primary", "secondary", "separator", "rowHover", "completed"})
            QVERIFY2(color(object.get(), token).lightness() > 200, token);
        QVERIFY(qAbs(color(object.get(), "completed").alphaF() -
                     color(object.get(), "secondary").alphaF() * 0.5) < 0.01);
    }

    void portalAndPaletteDecideUnlessForced()
    {
        Appearance appearance;
        QSignalSpy changed(&appearance, &Appearance::darkChanged);
        appearance.setPortalScheme(Appearance::PortalScheme::Dark);
        QVERIFY(appearance.isDark());
        appearance.setForcedScheme("light");
        QVERIFY(!appearance.isDark());
        appearance.setPortalScheme(Appearance::PortalScheme::Light);
        appearance.setForcedScheme("");
        QVERIFY(!appearance.isDark());
        appearance.setForcedScheme("bogus"); // anything else follows the desktop
        QCOMPARE(appearance.forcedScheme(), QString());

        // No portal preference: a dark palette means dark.
        appearance.setPortalScheme(Appearance::PortalScheme::NoPreference);
        const QPalette original = QGuiApplication::palette();
        QPalette darkPalette = original;
        darkPalette.setColor(QPalette::Window, QColor(30, 30, 30));
        darkPalette.setColor(QPalette::WindowText, QColor(240, 240, 240));
        QGuiApplication::setPalette(darkPalette);
        QTRY_VERIFY(appearance.isDark());
        QGuiApplication::setPalette(original);
        QTRY_VERIFY(!appearance.isDark());
        QVERIFY(changed.count() >= 4);
    }

    void fontsUsePointsAsLayoutUnits()
    {
        QQmlEngine engine;
        QmlEngineSetup::configure(engine);
        auto object = tokens(engine);
        QVERIFY(object);
        const QFont badge = object->property("badge").value<QFont>();
        QCOMPARE(badge.weight(), QFont::DemiBold);
        QVERIFY(QFontInfo(badge).fixedPitch());
        const QFont title = object->property("taskTitle").value<QFont>();
        // 12.5 layout points are 12.5 pixels whatever the font DPI.
        const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        QVERIFY(qAbs(title.pointSizeF() * dpi / 72.0 - 12.5) < 0.01);
    }
};

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
