#include "StoreFixture.h"
#include "SubTaskItem.h"
#include "SubtaskOrder.h"
#include "TaskItem.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QList<qint64> positionsOf(const QList<SubTaskItem *> &subtasks)
{
    QList<qint64> positions;
    for (const SubTaskItem *subtask : subtasks)
        positions.append(subtask->sortOrder());
    return positions;
}

} // namespace

class TestSubtasks : public QObject
{
    Q_OBJECT

private slots:
    void positionsAfterDeletions();
    void equalPositionsKeepListOrderAcrossRestarts();
    void displayOrderIsStable();
    void completionIsIndependentOfTheTask();
    void blankAndTrimmedTitles();
    void deleteLeavesTheOthersInPlace();
    void deleteWithTheWrongTaskDoesNothing();
};

void TestSubtasks::positionsAfterDeletions()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Trip"));
    SubTaskItem *a = fixture.store->addSubtask(task, QStringLiteral("A"));
    SubTaskItem *b = fixture.store->addSubtask(task, QStringLiteral("B"));
    fixture.store->addSubtask(task, QStringLiteral("C"));
    QCOMPARE(positionsOf(task->subtasksInDisplayOrder()), (QList<qint64>{0, 1, 2}));
    QCOMPARE(a->task(), task);

    fixture.store->deleteSubtask(b, task);
    QCOMPARE(positionsOf(task->subtasks()), (QList<qint64>{0, 2}));
    fixture.store->addSubtask(task, QStringLiteral("D"));
    QCOMPARE(positionsOf(task->subtasks()), (QList<qint64>{0, 2, 2}));
    // The newer subtask at 2 is shown after the older one.
    QCOMPARE(titlesOf(task->subtasksInDisplayOrder()), (QStringList{"A", "C", "D"}));
}

void TestSubtasks::equalPositionsKeepListOrderAcrossRestarts()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Trip"));
    for (const char *title : {"A", "B", "C", "D", "E"})
        fixture.store->addSubtask(task, QString::fromLatin1(title));
    fixture.store->deleteSubtask(task->subtasks().at(1), task);
    fixture.store->deleteSubtask(task->subtasks().at(1), task);
    fixture.store->addSubtask(task, QStringLiteral("F")); // position 3, like D
    fixture.store->addSubtask(task, QStringLiteral("G")); // position 4, like E
    const QStringList before = titlesOf(task->subtasksInDisplayOrder());
    QCOMPARE(before, (QStringList{"A", "D", "F", "E", "G"}));

    fixture.reopen();
    const TaskItem *reloaded = fixture.allTasks().constFirst();
    QCOMPARE(titlesOf(reloaded->subtasks()), (QStringList{"A", "D", "E", "F", "G"}));
    QCOMPARE(titlesOf(reloaded->subtasksInDisplayOrder()), before);
    for (const SubTaskItem *subtask : reloaded->subtasks())
        QCOMPARE(subtask->task(), reloaded);
}

void TestSubtasks::displayOrderIsStable()
{
    QList<SubTaskItem *> subtasks;
    const QList<QPair<const char *, qint64>> rows{{"two", 2}, {"zero", 0}, {"one", 1}, {"one again", 1}};
    for (const auto &[title, position] : rows)
        subtasks.append(
            new SubTaskItem(QUuid::createUuid(), QString::fromLatin1(title), false, {}, position));
    QCOMPARE(titlesOf(SubtaskOrder::displayOrder(subtasks)),
             (QStringList{"zero", "one", "one again", "two"}));
    qDeleteAll(subtasks);
}

void TestSubtasks::completionIsIndependentOfTheTask()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Pack"));
    SubTaskItem *only = fixture.store->addSubtask(task, QStringLiteral("Shoes"));
    fixture.store->toggleSubtask(only);
    QVERIFY(task->allSubtasksCompleted());
    QVERIFY(!task->isCompleted());

    fixture.store->toggleTask(task);
    fixture.store->addSubtask(task, QStringLiteral("Socks"));
    QVERIFY(task->isCompleted());
    QVERIFY(!task->allSubtasksCompleted());

    fixture.store->toggleSubtask(only); // reopening a subtask of a completed task
    QVERIFY(task->isCompleted());
    QCOMPARE(task->completedSubtaskCount(), 0);
}

void TestSubtasks::blankAndTrimmedTitles()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Pack"));
    QSignalSpy changes(fixture.context(), &ModelContext::changed);
    QCOMPARE(fixture.store->addSubtask(task, QStringLiteral(" \n ")), nullptr);
    QCOMPARE(changes.count(), 0);
    QVERIFY(task->subtasks().isEmpty());

    SubTaskItem *subtask = fixture.store->addSubtask(task, QStringLiteral("  Shoes\n"));
    QCOMPARE(subtask->title(), QStringLiteral("Shoes"));
    changes.clear();
    fixture.store->updateSubtask(subtask, QStringLiteral("\t"));
    QCOMPARE(subtask->title(), QStringLiteral("Shoes"));
    QCOMPARE(changes.count(), 0);
    fixture.store->updateSubtask(subtask, QStringLiteral(" Boots "));
    fixture.reopen();
    QCOMPARE(fixture.allTasks().constFirst()->subtasks().constFirst()->title(), QStringLiteral("Boots"));
}

void TestSubtasks::deleteLeavesTheOthersInPlace()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Pack"));
    SubTaskItem *a = fixture.store->addSubtask(task, QStringLiteral("A"));
    SubTaskItem *b = fixture.store->addSubtask(task, QStringLiteral("B"));
    fixture.store->addSubtask(task, QStringLiteral("C"));
    fixture.store->deleteSubtask(a, task);
    QVERIFY(!fixture.context()->contains(a));
    QCOMPARE(titlesOf(task->subtasks()), (QStringList{"B", "C"}));
    QCOMPARE(b->sortOrder(), 1);

    fixture.reopen();
    QCOMPARE(positionsOf(fixture.allTasks().constFirst()->subtasks()), (QList<qint64>{1, 2}));
}

void TestSubtasks::deleteWithTheWrongTaskDoesNothing()
{
    StoreFixture fixture;
    TaskItem *owner = fixture.store->addTask(QStringLiteral("Owner"));
    TaskItem *other = fixture.store->addTask(QStringLiteral("Other"));
    SubTaskItem *subtask = fixture.store->addSubtask(owner, QStringLiteral("Mine"));
    fixture.store->addSubtask(other, QStringLiteral("Theirs"));

    fixture.store->deleteSubtask(subtask, other);
    QVERIFY(fixture.context()->contains(subtask));
    QCOMPARE(titlesOf(owner->subtasks()), QStringList{"Mine"});
    QCOMPARE(titlesOf(other->subtasks()), QStringList{"Theirs"});
    QVERIFY(!fixture.context()->hasChanges());
}

QTEST_GUILESS_MAIN(TestSubtasks)
#include "tst_subtasks.moc"
