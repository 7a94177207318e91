#include "AppDelegate.h"
#include "LaunchAtLoginService.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>

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
        int count = 0;
        LaunchAtLoginService service(std::make_unique<CountingBackend>(count));
        AppDelegate delegate(service);
        delegate.applicationDidFinishLaunching();
        count = 0;
        QWindow window;
        if (focusEvent)
            emit qGuiApp->focusWindowChanged(comesBack ? &window : nullptr);
        else
            emit qGuiApp->applicationStateChanged(comesBack ? Qt::ApplicationActive
                                                            : Qt::ApplicationInactive);
        QCOMPARE(count > 0, comesBack);
    }
};

QTEST_MAIN(TestActivation)
#include "tst_activation.moc"
