#include "TaskStoreFixture.h"

#include "ModelConfiguration.h"
#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskStore.h"

#include <QDateTime>
#include <QUuid>

TaskStoreFixture::TaskStoreFixture(QObject *parent)
    : QObject(parent),
      m_preferences(std::make_unique<Preferences>(m_dir.filePath(QStringLiteral("prefs.conf")))),
      m_container(ModelContainer::open(ModelConfiguration::inMemory())),
      m_store(std::make_unique<TaskStore>(m_container->mainContext(), m_preferences.get()))
{}

TaskStoreFixture::~TaskStoreFixture() = default;

QString TaskStoreFixture::galleryDir() const
{
    return qEnvironmentVariable("ORDLEN_GALLERY_DIR");
}

QList<TaskItem *> TaskStoreFixture::allTasks() const
{
    return m_container->mainContext()->fetchTasks({TaskFetchDescriptor::Sort::SortOrderAscending, {}});
}

int TaskStoreFixture::subtaskCount() const
{
    int count = 0;
    for (const TaskItem *task : allTasks())
        count += static_cast<int>(task->subtasks().size());
    return count;
}

SubTaskItem *TaskStoreFixture::addSubtaskAt(TaskItem *task, const QString &title, qint64 sortOrder)
{
    if (!task)
        return nullptr;
    auto *subtask =
        new SubTaskItem(QUuid::createUuid(), title, false, QDateTime::currentDateTimeUtc(), sortOrder);
    task->appendSubtask(subtask);
    m_container->mainContext()->insert(subtask);
    m_container->mainContext()->save();
    return subtask;
}
