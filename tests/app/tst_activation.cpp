#include "AppDelegate.h"
#include "LaunchAtLoginService.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <functional>

namespace {

// A login item that is never registered and counts how often it is read.
class CountingBackend : public LoginItemBackend
{
public:
    explicit CountingBackend(int &reads) : m_reads(reads) {}

    Status status() const override
    {
        ++m_reads;
        return Status::NotRegistered;
    }
    bool registerItem(QString &) override { return true; }
    bool unregisterItem(QString &) override { return true; }

private:
    int &m_reads;
};

} // namespace

using Event = std::function<void()>;

// The login item is read again whenever the user comes back to the app: it
// may have been changed in the desktop's settings meanwhile.
class TestActivation : public QObject
{
    Q_OBJECT

    QWindow m_window;

private slots:
    void readsTheLoginItemOnActivation_data()
    {
        QTest::addColumn<Event>("event");
        QTest::addColumn<bool>("reads");
        QWindow *window = &m_window;
        QTest::newRow("a window becomes active") << Event([window] {
            window->show();
            window->requestActivate();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }) << true;
        QTest::newRow("focus window changes to one")
            << Event([window] { emit qGuiApp->focusWindowChanged(window); }) << true;
        QTest::newRow("focus leaves every window")
            << Event([] { emit qGuiApp->focusWindowChanged(nullptr); }) << false;
        QTest::newRow("app becomes active")
            << Event([] { emit qGuiApp->applicationStateChanged(Qt::ApplicationActive); }) << true;
        QTest::newRow("app becomes inactive")
            << Event([] { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); }) << false;
    }

    void readsTheLoginItemOnActivation()
    {
        QFETCH(Event, event);
        QFETCH(bool, reads);
        int count = 0;
        LaunchAtLoginService service(std::make_unique<CountingBackend>(count));
        AppDelegate delegate(service);
        delegate.applicationDidFinishLaunching();
        count = 0;
        event();
        QCOMPARE(count > 0, reads);
    }
};

QTEST_MAIN(TestActivation)
#include "tst_activation.moc"
