#include "PopoverWindow.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>

class TestPopoverWindow : public QObject
{
    Q_OBJECT

private:
    static void load(PopoverWindow &window)
    {
        window.setSource(
            QUrl(QStringLiteral("data:text/plain,import QtQuick; Rectangle { color: \"gray\" }")));
    }

private slots:
    void opensUnderTheIconWithItsSize()
    {
        PopoverWindow window;
        load(window);
        const QRect screen = window.screen()->availableGeometry();
        const QRect icon(screen.center().x(), screen.top(), 22, 22);
        window.showUnder(icon);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), PopoverWindow::contentSize);
        QVERIFY(window.y() > icon.bottom());
        QVERIFY(qAbs(window.geometry().center().x() - icon.center().x()) <= 1);
    }

    void clickOutsideCloses_data()
    {
        QTest::addColumn<bool>("hidesOnDeactivate");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("outside") << true << QPoint(-20, 10) << false;
        QTest::newRow("below") << true << QPoint(10, 500) << false;
        QTest::newRow("inside") << true << QPoint(200, 200) << true;
        QTest::newRow("outside while pinned") << false << QPoint(-20, 10) << true;
    }

    void clickOutsideCloses()
    {
        QFETCH(bool, hidesOnDeactivate);
        QFETCH(QPoint, press);
        QFETCH(bool, staysOpen);
        PopoverWindow window;
        load(window);
        window.setHidesOnDeactivate(hidesOnDeactivate);
        window.showUnder(QRect(100, 0, 22, 22));
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mousePress(&window, Qt::LeftButton, {}, press);

        QCOMPARE(window.isVisible(), staysOpen);
        QVERIFY2(!window.wasJustDeactivated(), "the click was ours: the next one may reopen at once");
    }

    void closingEndsOnlyTheWindow_data()
    {
        QTest::addColumn<PopoverWindow::Presentation>("presentation");
        QTest::newRow("popover hides") << PopoverWindow::Presentation::Popover;
        QTest::newRow("window closes the app") << PopoverWindow::Presentation::Window;
    }

    void closingEndsOnlyTheWindow()
    {
        QFETCH(PopoverWindow::Presentation, presentation);
        PopoverWindow window;
        load(window);
        window.setPresentation(presentation);
        QSignalSpy closed(&window, &PopoverWindow::windowClosed);
        presentation == PopoverWindow::Presentation::Popover ? window.showUnder({}) : window.showAsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        window.close();

        QVERIFY(!window.isVisible());
        QCOMPARE(closed.count(), presentation == PopoverWindow::Presentation::Window ? 1 : 0);
    }

    // The pin of the panel sets these two; an ordinary window floats only
    // when pinned, the popover always stays above other windows.
    void levelDecidesWhatStaysOnTop_data()
    {
        QTest::addColumn<PopoverWindow::Presentation>("presentation");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("popover, pop-up level") << PopoverWindow::Presentation::Popover << 101 << true;
        QTest::newRow("popover, floating") << PopoverWindow::Presentation::Popover << 3 << true;
        QTest::newRow("window, pop-up level") << PopoverWindow::Presentation::Window << 101 << false;
        QTest::newRow("window, floating") << PopoverWindow::Presentation::Window << 3 << true;
    }

    void levelDecidesWhatStaysOnTop()
    {
        QFETCH(PopoverWindow::Presentation, presentation);
        QFETCH(int, level);
        QFETCH(bool, onTop);
        PopoverWindow window;
        window.setPresentation(presentation);
        QSignalSpy changed(&window, &PopoverWindow::levelChanged);
        window.setLevel(level);
        QCOMPARE(changed.count(), level == 101 ? 0 : 1);
        QCOMPARE(bool(window.flags() & Qt::WindowStaysOnTopHint), onTop);
    }

    void switchingToWindowKeepsThePanelInSight()
    {
        PopoverWindow window;
        load(window);
        window.showUnder({});
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setPresentation(PopoverWindow::Presentation::Window);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!(window.flags() & Qt::FramelessWindowHint));
        window.setPresentation(PopoverWindow::Presentation::Popover);
        QVERIFY2(!window.isVisible(), "the popover waits for a click on the icon");
        QVERIFY(window.flags() & Qt::FramelessWindowHint);
    }
};

QTEST_MAIN(TestPopoverWindow)
#include "tst_popoverwindow.moc"
