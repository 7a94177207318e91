#include "PanelRim.h"

#include <QImage>
#include <QPainter>
#include <QTest>

class TestPanelRim : public QObject
{
    Q_OBJECT

private slots:
    // Painted over black, the rim alone shows: bright at the top left, faint
    // at the bottom right, nothing inside or beyond the rounded corners.
    void innerStrokeFadesAcross()
    {
        PanelRim rim;
        rim.setSize(QSizeF(408, 476));
        QImage image(408, 476, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        rim.paint(&painter);
        painter.end();

        const int nearStart = qRed(image.pixel(0, 60));
        const int nearEnd = qRed(image.pixel(407, 420));
        QVERIFY2(nearEnd > 0, "the stroke is drawn along the far edge");
        QVERIFY2(nearStart > 2 * nearEnd, qPrintable(QStringLiteral("%1 vs %2").arg(nearStart).arg(nearEnd)));
        QVERIFY2(nearStart <= 0.12 * 255 + 1, "never brighter than 12 % white");
        QCOMPARE(image.pixel(1, 1), QColor(Qt::black).rgb());
        QCOMPARE(image.pixel(204, 238), QColor(Qt::black).rgb());
        QCOMPARE(qRed(image.pixel(2, 60)), 0);
    }
};

QTEST_MAIN(TestPanelRim)
#include "tst_panelrim.moc"
