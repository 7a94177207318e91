#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TestSupport.h"
#include "TextRules.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    // Trimming takes Unicode white space (QString::trimmed), only at the ends.
    void trimming_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("inner space kept") << u" a  b "_s << u"a  b"_s;
        QTest::newRow("ideographic space") << u"\u3000Tea\u3000"_s << u"Tea"_s;
        QTest::newRow("only blanks") << u" \n\t\u2003"_s << u""_s;
    }

    void trimming()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(TextRules::trimmed(input), expected);
        QCOMPARE(TextRules::isBlank(input), expected.isEmpty());
    }

    // The cap counts what a reader sees as one character, never cutting one
    // in two.
    void firstCharacters_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected");
        const QString thumbs = u"\U0001F44D\U0001F3FD"_s;                       // with a skin tone
        const QString family = u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s; // ZWJ sequence
        QTest::newRow("short kept") << u"Work"_s << 10 << u"Work"_s;
        QTest::newRow("eleventh cut") << u"abcdefghijk"_s << 10 << u"abcdefghij"_s;
        QTest::newRow("five emoji, twenty units") << thumbs.repeated(5) << 10 << thumbs.repeated(5);
        QTest::newRow("eleven emoji") << thumbs.repeated(11) << 10 << thumbs.repeated(10);
        QTest::newRow("ZWJ kept whole") << u"abcdefghi"_s + family + u"x"_s << 10 << u"abcdefghi"_s + family;
        QTest::newRow("no characters") << u"abc"_s << 0 << u""_s;
    }

    void firstCharacters()
    {
        QFETCH(QString, input);
        QFETCH(int, limit);
        QFETCH(QString, expected);
        QCOMPARE(TextRules::firstCharacters(input, limit), expected);
    }

    void lowercasingIgnoresLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish));
        // Not the Turkish mapping: I -> i, and the dotted capital I maps to i
        // followed by a combining dot.
        QCOMPARE(TextRules::lowercased("MILK \u0130 ÄÖÜ"), "milk i\u0307 äöü");
        QLocale::setDefault(QLocale::c());
    }

    // A new subtask's position is the number its task has, so after a deletion
    // two may share one: the newer is shown after the older, also once reloaded
    // from rows whose row ids run against the list order and whose ids repeat,
    // as another tool may write; deleting one of those twins leaves the others.
    void subtaskPositions()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *task = store.addTask("Trip");
        TaskItem *other = store.addTask("Other");
        for (const char *title : {"A", "B", " \n C\t", "D", "E"})
            store.addSubtask(task, title);
        QCOMPARE(store.addSubtask(task, " \n "), nullptr);
        SubTaskItem *b = task->subtasks().at(1);
        store.updateSubtask(b, "\t");
        QCOMPARE(b->title(), "B");
        store.deleteSubtask(b, other); // not its task: nothing happens
        QVERIFY(fixture.context()->contains(b));
        store.deleteSubtask(b, task);
        store.deleteSubtask(task->subtasks().at(2), task);
        store.addSubtask(task, "F");
        store.addSubtask(task, "G");
        QVERIFY(task->subtasks().constFirst()->sortOrder() == 0 &&
                task->subtasks().constLast()->sortOrder() == 4);
        const QStringList listed{"A", "C", "E", "F", "G"};
        QCOMPARE(titlesOf(task->subtasks()), listed);
        const QStringList shown = titlesOf(task->subtasksInDisplayOrder());
        QCOMPARE(shown, (QStringList{"A", "C", "F", "E", "G"}));
        fixture.writeBehindTheStoresBack("UPDATE SubTaskItem SET pk = 100 - pk, id = x'01'");

        fixture.reopen();
        TaskItem *reloaded = fixture.allTasks().constFirst();
        QCOMPARE(titlesOf(reloaded->subtasks()), listed);
        QCOMPARE(titlesOf(reloaded->subtasksInDisplayOrder()), shown);
        for (const SubTaskItem *subtask : reloaded->subtasks())
            QCOMPARE(subtask->task(), reloaded);
        store.deleteSubtask(reloaded->subtasks().constFirst(), reloaded);
        QCOMPARE(titlesOf(reloaded->subtasks()), listed.mid(1));
        fixture.reopen();
        QCOMPARE(titlesOf(fixture.allTasks().constFirst()->subtasks()), listed.mid(1));

        // A new subtask goes after those still held as seeds.
        TaskItem seeded(QUuid::createUuid(), "Seeded", false, {}, {}, 0, "Personal");
        seeded.adoptSubtaskSeed({QUuid::createUuid(), "Read back", {}, 0, 7});
        seeded.appendSubtask(new SubTaskItem(QUuid::createUuid(), "New", false, {}, 1));
        QCOMPARE(titlesOf(seeded.subtasks()), (QStringList{"Read back", "New"}));
        QVERIFY(seeded.subtasks().constLast()->listIndex() > 7);
    }

    void signalsProgressAndCompletion()
    {
        StoreFixture fixture;
        TaskStore &store = *fixture.store;
        TaskItem *task = store.addTask("Pack");
        QSignalSpy title(task, &TaskItem::titleChanged);
        QSignalSpy completed(task, &TaskItem::isCompletedChanged);
        store.updateTask(task, "Pack");
        QCOMPARE(title.count(), 0); // only a change is told
        store.updateTask(task, "Pack up");
        QCOMPARE(title.count(), 1);
        QVERIFY(!task->allSubtasksCompleted());
        SubTaskItem *shoes = store.addSubtask(task, "Shoes");
        SubTaskItem *socks = store.addSubtask(task, "Socks");
        QSignalSpy progress(task, &TaskItem::subtaskProgressChanged);
        store.toggleSubtask(shoes);
        QCOMPARE(progress.count(), 1);
        QCOMPARE(task->completedSubtaskCount(), 1);
        QVERIFY(!task->allSubtasksCompleted());
        store.toggleSubtask(socks);
        QVERIFY(task->allSubtasksCompleted());
        QVERIFY(!task->isCompleted()); // the task is ticked on its own

        store.toggleSubtask(shoes);
        store.toggleTask(task); // ticking the task ticks every subtask
        QVERIFY(task->allSubtasksCompleted());
        QCOMPARE(completed.count(), 1);
        store.toggleSubtask(shoes); // reopening a subtask of a done task
        store.toggleTask(task);     // reopening the task leaves its subtasks
        QVERIFY(!task->isCompleted());
        fixture.reopen();
        QCOMPARE(fixture.allTasks().constFirst()->completedSubtaskCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
