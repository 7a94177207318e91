#include "AppDelegate.h"
#include "PopoverPlacement.h"
#include "PopoverWindow.h"
#include "StorageBootstrap.h"
#include "StoreStatus.h"

#include <QDir>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

using Presentation = PopoverWindow::Presentation;

// The popover: where it opens, how it shows and closes, and how the app
// drives it.
class TestPopover : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QRect>("icon"); // null: the tray doesn't say; the pointer is at 640,100
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect s(0, 0, 1280, 800), left(-1920, 0, 1920, 1080);
        QTest::newRow("centred under the icon") << QRect(600, 1, 22, 22) << s << QPoint(407, 27);
        QTest::newRow("right edge") << QRect(1257, 1, 22, 22) << s << QPoint(872, 27);
        QTest::newRow("left edge, screen left of 0") << QRect(-1900, 1, 22, 22) << left << QPoint(-1920, 27);
        QTest::newRow("fits just below") << QRect(-1000, 578, 22, 22) << left << QPoint(-1192, 604);
        QTest::newRow("just room above") << QRect(600, 480, 22, 22) << s << QPoint(407, 0);
        QTest::newRow("icon unknown: the pointer") << QRect() << s << QPoint(437, 105);
        QTest::newRow("screen too small") << QRect(100, 1, 22, 22) << QRect(0, 0, 320, 240) << QPoint(0, 0);
    }

    void placement()
    {
        QFETCH(QRect, icon);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        QCOMPARE(PopoverPlacement::topLeft(icon, {640, 100}, PopoverWindow::contentSize, screen), expected);
    }

    // Popover: a frameless tool window over the others, corners cut off
    // (nothing composites offscreen). Window: framed, over the others only
    // when pinned (level 3); closing it is announced, for it ends the app.
    void presentationDecidesTheWindow_data()
    {
        QTest::addColumn<Presentation>("presentation");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("popover") << Presentation::Popover << 101 << true;
        QTest::newRow("window") << Presentation::Window << 101 << false;
        QTest::newRow("window, pinned") << Presentation::Window << 3 << true;
    }

    void presentationDecidesTheWindow()
    {
        QFETCH(Presentation, presentation);
        QFETCH(int, level);
        QFETCH(bool, onTop);
        const bool popover = presentation == Presentation::Popover;
        PopoverWindow window;
        window.setPresentation(presentation);
        window.setLevel(level);
        const Qt::WindowFlags flags = window.flags();
        QCOMPARE(bool(flags & Qt::WindowStaysOnTopHint), onTop);
        QCOMPARE(bool(flags & Qt::FramelessWindowHint) && (flags & Qt::WindowType_Mask) == Qt::Tool, popover);
        QCOMPARE(window.mask().isEmpty(), !popover);

        popover ? window.showAsWindow() : window.showUnder({}); // the other presentation's way
        QVERIFY(!window.isVisible());
        popover ? window.showUnder({}) : window.showAsWindow();
        QVERIFY(window.isVisible());
        QSignalSpy closed(&window, &PopoverWindow::windowClosed);
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(closed.count(), popover ? 0 : 1);
    }

    // Losing the activation or a press outside (see the e2e test) closes the
    // popover unless pinned; a press inside never does. A closing by losing
    // the activation can be the tray click itself: it must not reopen it.
    void closesWhenLeftUnlessPinned_data()
    {
        QTest::addColumn<bool>("pinned");
        QTest::newRow("free") << false;
        QTest::newRow("pinned") << true;
    }

    void closesWhenLeftUnlessPinned()
    {
        QFETCH(bool, pinned);
        PopoverWindow window;
        window.showUnder({});
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Pinning a shown popover leaves its window where and as it is.
        const WId native = window.winId();
        const QPoint place = window.position();
        const Qt::WindowFlags flags = window.flags();
        window.updateWindowBehavior(pinned);
        QCOMPARE(window.level(), pinned ? 3 : 101);
        QCOMPARE(std::tuple(window.winId(), window.position(), window.flags(), window.isVisible()),
                 std::tuple(native, place, flags, true));
        QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(pinned ? -20 : 200, 10));
        QVERIFY(window.isVisible());
        QWindow other;
        other.show();
        other.requestActivate();
        QTRY_VERIFY(other.isActive());
        QCOMPARE(window.isVisible(), pinned);
        QCOMPARE(window.wasJustDeactivated(), !pinned);
        window.setPresentation(Presentation::Window); // the tray went away: a shown panel stays up
        QCOMPARE(window.isVisible(), pinned);
    }

    // The app tells the root view that nothing will be kept, and why; the
    // panel then shows its notice. (A store that opens is checked below.)
    void storeStatusReachesTheRootView()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Ordlen"));
        QDir folder(StorageBootstrap::dataDirectory());
        folder.removeRecursively();
        // A folder in the file's place can't be opened as a store.
        QVERIFY(QDir().mkpath(folder.filePath(StorageBootstrap::storeFileName)));
        {
            AppDelegate delegate;
            delegate.applicationDidFinishLaunching();
            const StoreStatus *status = delegate.storeStatus();
            QVERIFY(!status->isPersistent() && !status->problem().isEmpty());
            auto *notice =
                delegate.popover()->rootObject()->findChild<QQuickItem *>(QStringLiteral("storeNotice"));
            QVERIFY(notice && notice->isVisible());
        }
        QVERIFY(folder.removeRecursively());
    }

    // Offscreen there is no tray: the panel is a window, built and shown at
    // once, that no icon click hides; closing it ends the app (so: last).
    void withoutATrayThePanelIsTheApp()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Ordlen"));
        QGuiApplication::setQuitOnLastWindowClosed(false); // as the app does
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        QVERIFY(delegate.storeStatus()->isPersistent());
        PopoverWindow *window = delegate.popover();
        delegate.applicationDidFinishLaunching();
        QCOMPARE(delegate.popover(), window);
        QVERIFY(window->rootObject()->property("isPanelLoaded").toBool());
        delegate.togglePopover();
        QVERIFY(window->isVisible());
        window->hide();
        delegate.showPopover();
        QVERIFY(window->isVisible());
        QTimer::singleShot(0, window, &QWindow::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // if it never quits
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestPopover)
#include "tst_popover.moc"
