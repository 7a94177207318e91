#include "PopoverPlacement.h"

#include <QTest>

class TestPopoverPlacement : public QObject
{
    Q_OBJECT

private slots:
    void topLeft_data()
    {
        QTest::addColumn<QRect>("icon");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");

        const QSize size(408, 476);
        const QRect screen(0, 0, 1280, 800);
        const int below = 1 + 22 + PopoverPlacement::gap;
        QTest::newRow("centred under the icon")
            << QRect(600, 1, 22, 22) << QPoint() << screen << QPoint(407, below);
        QTest::newRow("tray at the right edge")
            << QRect(1257, 1, 22, 22) << QPoint() << screen << QPoint(1280 - size.width(), below);
        QTest::newRow("tray at the left edge")
            << QRect(2, 1, 22, 22) << QPoint() << screen << QPoint(0, below);
        QTest::newRow("tray at the bottom: above the icon") << QRect(600, 777, 22, 22) << QPoint() << screen
                                                            << QPoint(407, 777 - PopoverPlacement::gap - 476);
        QTest::newRow("tray unknown: under the pointer")
            << QRect() << QPoint(640, 100) << screen << QPoint(437, 101 + PopoverPlacement::gap);
        QTest::newRow("tray unknown, pointer low: above it")
            << QRect() << QPoint(640, 700) << screen << QPoint(437, 700 - PopoverPlacement::gap - 476);
        QTest::newRow("neither fits: kept on the screen")
            << QRect() << QPoint(640, 400) << screen << QPoint(437, 800 - 476);
        QTest::newRow("second screen to the right")
            << QRect(2540, 1, 22, 22) << QPoint() << QRect(1280, 0, 1280, 800) << QPoint(2560 - 408, below);
        QTest::newRow("screen left of the primary")
            << QRect(-1900, 1, 22, 22) << QPoint() << QRect(-1920, 0, 1920, 1080) << QPoint(-1920, below);
        QTest::newRow("screen smaller than the popover")
            << QRect(100, 1, 22, 22) << QPoint() << QRect(0, 0, 320, 240) << QPoint(0, 0);
    }

    void topLeft()
    {
        QFETCH(QRect, icon);
        QFETCH(QPoint, pointer);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        const QSize size(408, 476);

        const QPoint topLeft = PopoverPlacement::topLeft(icon, pointer, size, screen);

        QCOMPARE(topLeft, expected);
        if (screen.width() >= size.width() && screen.height() >= size.height())
            QVERIFY(screen.contains(QRect(topLeft, size)));
    }
};

QTEST_APPLESS_MAIN(TestPopoverPlacement)
#include "tst_popoverplacement.moc"
