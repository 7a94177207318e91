#include "AppDelegate.h"
#include "LaunchAtLoginService.h"
#include "XdgAutostartBackend.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

// The login item is read again whenever the user comes back to the app: it
// may have been changed in the desktop's settings meanwhile.
class TestActivation : public QObject
{
    Q_OBJECT

private slots:
    void readsTheLoginItemOnActivation_data()
    {
        QTest::addColumn<bool>("focusEvent"); // else an application state change
        QTest::addColumn<bool>("comesBack");
        QTest::newRow("focus moves to a window") << true << true;
        QTest::newRow("focus leaves every window") << true << false;
        QTest::newRow("app becomes active") << false << true;
        QTest::newRow("app becomes inactive") << false << false;
    }

    void readsTheLoginItemOnActivation()
    {
        QFETCH(bool, focusEvent);
        QFETCH(bool, comesBack);
        QTemporaryDir autostart;
        const auto entry = [&] {
            return std::make_unique<XdgAutostartBackend>(autostart.path(),
                                                         QCoreApplication::applicationFilePath());
        };
        LaunchAtLoginService service(entry());
        AppDelegate delegate(service);
        delegate.applicationDidFinishLaunching();
        LaunchAtLoginService(entry()).enable(); // in the desktop's settings
        QVERIFY(!service.isEnabled());
        QWindow window;
        if (focusEvent)
            emit qGuiApp->focusWindowChanged(comesBack ? &window : nullptr);
        else
            emit qGuiApp->applicationStateChanged(comesBack ? Qt::ApplicationActive
                                                            : Qt::ApplicationInactive);
        QCOMPARE(service.isEnabled(), comesBack);
    }
};

QTEST_MAIN(TestActivation)
#include "tst_activation.moc"
