#include "SymbolCatalog.h"
#include "SymbolImageProvider.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>

namespace {

int opaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

} // namespace

class TestSymbols : public QObject
{
    Q_OBJECT

private slots:
    void everyNameTheViewsUseIsMapped()
    {
        const QStringList used{"checklist",
                               "checkmark",
                               "checkmark.circle.fill",
                               "checkmark.seal.fill",
                               "circle",
                               "tray",
                               "tray.full",
                               "magnifyingglass",
                               "xmark",
                               "xmark.circle.fill",
                               "plus",
                               "plus.circle",
                               "arrow.turn.down.right",
                               "trash",
                               "folder",
                               "folder.fill",
                               "plus.rectangle.on.folder",
                               "arrow.up",
                               "arrow.down",
                               "pencil",
                               "gearshape"};
        for (const QString &name : used)
            QVERIFY2(SymbolCatalog::lookup(name).has_value(), qPrintable(name));
        QCOMPARE(SymbolCatalog::names().size(), used.size());
    }

    void everyMappedNameDraws()
    {
        for (const QString &name : SymbolCatalog::names()) {
            const auto symbol = SymbolCatalog::lookup(name);
            QVERIFY2(QFile::exists(symbol->file), qPrintable(symbol->file));
            const QImage image = SymbolImageProvider::render(name, Qt::red, 2, {48, 48});
            QCOMPARE(image.size(), QSize(48, 48));
            QVERIFY2(opaquePixels(image) > 20, qPrintable(name));
        }
    }

    void unknownNameGivesNoImage()
    {
        QVERIFY(!SymbolCatalog::lookup("Checkmark").has_value());
        QVERIFY(SymbolImageProvider::render("no.such.symbol", Qt::red, 2, {24, 24}).isNull());
        QSize size;
        SymbolImageProvider provider;
        QVERIFY(provider.requestImage("no.such.symbol?color=%23ff0000", &size, {24, 24}).isNull());
    }

    void drawsInTheRequestedColourAndWeight()
    {
        SymbolImageProvider provider;
        QSize size;
        const QImage thin = provider.requestImage("xmark?color=%2300ff00&weight=1", &size, {48, 48});
        QCOMPARE(size, QSize(48, 48));
        const QImage bold = provider.requestImage("xmark?color=%2300ff00&weight=3", &size, {48, 48});
        QVERIFY(opaquePixels(bold) > opaquePixels(thin) * 2);
        const QRgb centre = bold.pixel(24, 24);
        QCOMPARE(qGreen(centre), 255);
        QCOMPARE(qRed(centre), 0);
    }

    void translucentColourFadesTheGlyph()
    {
        const QImage image = SymbolImageProvider::render("xmark", QColor(0, 0, 255, 128), 3, {48, 48});
        QVERIFY(qAbs(qAlpha(image.pixel(24, 24)) - 128) <= 2);
    }

    void filledSymbolsCutTheirInnerShapeOut()
    {
        // The disc of "xmark.circle.fill" is solid except where the cross is.
        const QImage filled = SymbolImageProvider::render("xmark.circle.fill", Qt::black, 2, {48, 48});
        QCOMPARE(qAlpha(filled.pixel(24, 24)), 0);   // centre of the cross
        QCOMPARE(qAlpha(filled.pixel(24, 14)), 255); // inside the disc, off the cross
        const QImage outline = SymbolImageProvider::render("plus.circle", Qt::black, 2, {48, 48});
        QCOMPARE(qAlpha(outline.pixel(16, 30)), 0); // an outline has a hollow disc
    }
};

QTEST_MAIN(TestSymbols)
#include "tst_symbols.moc"
