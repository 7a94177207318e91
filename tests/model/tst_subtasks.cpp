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
    void listOrderSurvivesARestart();
    void progressAndCompletion();
    void deleteWithTheWrongTaskDoesNothing();
    void repeatedIdsFromAnotherTool();
};

void TestSubtasks::positionsAfterDeletions()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Trip"));
    fixture.store->addSubtask(task, QStringLiteral("A"));
    SubTaskItem *b = fixture.store->addSubtask(task, QStringLiteral("B"));
    fixture.store->addSubtask(task, QStringLiteral(" \n C\t"));
    QCOMPARE(fixture.store->addSubtask(task, QStringLiteral(" \n ")), nullptr);
    fixture.store->updateSubtask(b, QStringLiteral("\t"));
    QCOMPARE(b->title(), QStringLiteral("B"));
    fixture.store->deleteSubtask(b, task);
    QCOMPARE(positionsOf(task->subtasks()), (QList<qint64>{0, 2}));
    fixture.store->addSubtask(task, QStringLiteral("D"));
    QCOMPARE(positionsOf(task->subtasks()), (QList<qint64>{0, 2, 2}));
    // The newer subtask at 2 is shown after the older one.
    QCOMPARE(titlesOf(task->subtasksInDisplayOrder()), (QStringList{"A", "C", "D"}));
}

void TestSubtasks::listOrderSurvivesARestart()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Trip"));
    for (const char *title : {"A", "B", "C", "D", "E"})
        fixture.store->addSubtask(task, QString::fromLatin1(title));
    fixture.store->deleteSubtask(task->subtasks().at(1), task);
    fixture.store->deleteSubtask(task->subtasks().at(1), task);
    fixture.store->addSubtask(task, QStringLiteral("F")); // position 3, like D
    fixture.store->addSubtask(task, QStringLiteral("G")); // position 4, like E
    const QStringList shown = titlesOf(task->subtasksInDisplayOrder());
    QCOMPARE(shown, (QStringList{"A", "D", "F", "E", "G"}));
    // Rows whose ids run against the list order, as another tool may write them.
    fixture.writeBehindTheStoresBack("UPDATE SubTaskItem SET pk = 100 - pk");

    fixture.reopen();
    const TaskItem *reloaded = fixture.allTasks().constFirst();
    QCOMPARE(titlesOf(reloaded->subtasks()), (QStringList{"A", "D", "E", "F", "G"}));
    QCOMPARE(titlesOf(reloaded->subtasksInDisplayOrder()), shown);
    for (const SubTaskItem *subtask : reloaded->subtasks())
        QCOMPARE(subtask->task(), reloaded);
}

void TestSubtasks::progressAndCompletion()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Pack"));
    QVERIFY(!task->allSubtasksCompleted());
    SubTaskItem *shoes = fixture.store->addSubtask(task, QStringLiteral("Shoes"));
    SubTaskItem *socks = fixture.store->addSubtask(task, QStringLiteral("Socks"));
    QSignalSpy progress(task, &TaskItem::subtaskProgressChanged);
    fixture.store->toggleSubtask(shoes);
    QCOMPARE(progress.count(), 1);
    QCOMPARE(task->completedSubtaskCount(), 1);
    QVERIFY(!task->allSubtasksCompleted());
    fixture.store->toggleSubtask(socks);
    QVERIFY(task->allSubtasksCompleted());
    QVERIFY(!task->isCompleted()); // the task is ticked on its own

    fixture.store->toggleSubtask(shoes);
    fixture.store->toggleTask(task); // ticking the task ticks every subtask
    QVERIFY(task->allSubtasksCompleted());
    fixture.store->toggleSubtask(shoes); // reopening a subtask of a done task
    fixture.store->toggleTask(task);     // reopening the task leaves its subtasks
    QVERIFY(!task->isCompleted());
    fixture.reopen();
    QCOMPARE(fixture.allTasks().constFirst()->completedSubtaskCount(), 1);
}

void TestSubtasks::deleteWithTheWrongTaskDoesNothing()
{
    StoreFixture fixture;
    TaskItem *owner = fixture.store->addTask(QStringLiteral("Owner"));
    TaskItem *other = fixture.store->addTask(QStringLiteral("Other"));
    SubTaskItem *subtask = fixture.store->addSubtask(owner, QStringLiteral("Mine"));
    fixture.store->deleteSubtask(subtask, other);
    QVERIFY(fixture.context()->contains(subtask));
    QCOMPARE(titlesOf(owner->subtasks()), QStringList{"Mine"});
    QVERIFY(!fixture.context()->hasChanges());
}

void TestSubtasks::repeatedIdsFromAnotherTool()
{
    StoreFixture fixture;
    TaskItem *task = fixture.store->addTask(QStringLiteral("Trip"));
    fixture.store->addSubtask(task, QStringLiteral("Twin A"));
    fixture.store->addSubtask(task, QStringLiteral("Twin B"));
    fixture.writeBehindTheStoresBack("UPDATE SubTaskItem SET id = x'01'");
    fixture.reopen();
    task = fixture.allTasks().constFirst();
    fixture.store->deleteSubtask(task->subtasks().constFirst(), task);
    QCOMPARE(titlesOf(task->subtasks()), QStringList{"Twin B"});
    fixture.reopen();
    QCOMPARE(titlesOf(fixture.allTasks().constFirst()->subtasks()), QStringList{"Twin B"});
}

QTEST_GUILESS_MAIN(TestSubtasks)
#include "tst_subtasks.moc"
