#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TextRules.h"

#include <QSignalSpy>
#include <QTest>

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void trimming_data();
    void trimming();
    void lowercasingIgnoresLocale();
    void fieldWritesNotifyOnlyOnChange();
};

void TestRecords::trimming_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks and line breaks") << "  \t Buy milk \r\n"
                                            << "Buy milk";
    QTest::newRow("inner space kept") << " a  b "
                                      << "a  b";
    QTest::newRow("no-break space") << QString::fromUtf8("\u00A0Tea\u00A0") << "Tea";
    QTest::newRow("ideographic space") << QString::fromUtf8("\u3000Tea\u3000") << "Tea";
    QTest::newRow("line and paragraph separators") << QString::fromUtf8("\u2028Tea\u2029") << "Tea";
    QTest::newRow("zero-width space is not white space")
        << QString::fromUtf8("\u200BTea") << QString::fromUtf8("\u200BTea");
    QTest::newRow("only blanks") << " \n\t\u2003"
                                 << "";
}

void TestRecords::trimming()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(TextRules::trimmed(input), expected);
    QCOMPARE(TextRules::isBlank(input), expected.isEmpty());
}

void TestRecords::lowercasingIgnoresLocale()
{
    QLocale::setDefault(QLocale(QLocale::Turkish));
    // Default (not Turkish) mapping: I -> i, and the dotted capital I maps to
    // i followed by a combining dot.
    QCOMPARE(TextRules::lowercased(QStringLiteral("MILK")), QStringLiteral("milk"));
    QCOMPARE(TextRules::lowercased(QString::fromUtf8("\u0130")), QString::fromUtf8("i\u0307"));
    QCOMPARE(TextRules::lowercased(QString::fromUtf8("ÄÖÜ")), QString::fromUtf8("äöü"));
    QLocale::setDefault(QLocale::c());
}

void TestRecords::fieldWritesNotifyOnlyOnChange()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Call Ann"));
    QSignalSpy title(task, &TaskItem::titleChanged);
    QSignalSpy completed(task, &TaskItem::isCompletedChanged);
    fixture.store->updateTask(task, QStringLiteral("Call Ann"));
    QCOMPARE(title.count(), 0);
    fixture.store->updateTask(task, QStringLiteral("Call Bob"));
    QCOMPARE(title.count(), 1);
    fixture.store->toggleTask(task);
    QCOMPARE(completed.count(), 1);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
