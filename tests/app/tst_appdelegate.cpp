#include "AppDelegate.h"
#include "PopoverWindow.h"
#include "StorageBootstrap.h"

#include <QDir>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

namespace {

QQuickItem *child(PopoverWindow *window, const char *name)
{
    return window->rootObject()->findChild<QQuickItem *>(QString::fromLatin1(name));
}

void type(QWindow *window, const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

} // namespace

// The shell on a headless display, which has no tray: the panel must then
// be an ordinary window.
class TestAppDelegate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Ordlen"));
        QDir(StorageBootstrap::dataDirectory()).removeRecursively();
    }

    void withoutTrayThePanelIsAWindow()
    {
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        PopoverWindow *window = delegate.popover();
        QVERIFY(window);
        QVERIFY(delegate.statusItem());
        QCOMPARE(delegate.statusItem()->toolTip(), QStringLiteral("Ordlen"));
        QVERIFY(!delegate.statusItem()->icon().isNull());

        QCOMPARE(window->presentation(), PopoverWindow::Presentation::Window);
        QVERIFY(window->isVisible());
        delegate.togglePopover();
        QVERIFY2(window->isVisible(), "no tray icon to toggle with");

        QSignalSpy closed(window, &PopoverWindow::windowClosed);
        window->close();
        QCOMPARE(closed.count(), 1);
        delegate.showPopover();
        QTRY_VERIFY(window->isVisible());
    }

    void panelAddsTypedTasksAndListsThemLive()
    {
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        PopoverWindow *window = delegate.popover();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->rootObject()->width(), 408.0);
        QCOMPARE(window->rootObject()->height(), 476.0);

        QQuickItem *input = child(window, "titleInput");
        QQuickItem *list = child(window, "taskList");
        QVERIFY(input && list);
        const int before = list->property("count").toInt();
        input->forceActiveFocus();

        type(window, QStringLiteral("  Call Anna "));
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_COMPARE(list->property("count").toInt(), before + 1);
        QCOMPARE(input->property("text").toString(), QString());

        type(window, QStringLiteral("   "));
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(input->property("text").toString(), QString());
        QCOMPARE(list->property("count").toInt(), before + 1);
    }
};

QTEST_MAIN(TestAppDelegate)
#include "tst_appdelegate.moc"
