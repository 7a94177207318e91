#pragma once

#include "ModelConfiguration.h"
#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "TaskStore.h"

#include <QObject>
#include <QTemporaryDir>
#include <QtQml/qqmlregistration.h>
#include <memory>

// For Quick tests: a real TaskStore on an in-memory store with preferences
// in a temporary folder, one per fixture object.
class TaskStoreFixture : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(TaskStore *store READ store CONSTANT)

public:
    using QObject::QObject;

    TaskStore *store() const { return m_store.get(); }

    // How many tasks the store holds, read back from it rather than a view.
    Q_INVOKABLE int taskCount() const
    {
        return static_cast<int>(m_container->mainContext()->fetchTasks({}).size());
    }

private:
    QTemporaryDir m_dir;
    Preferences m_preferences{m_dir.filePath(QStringLiteral("prefs.conf"))};
    std::unique_ptr<ModelContainer> m_container = ModelContainer::open(ModelConfiguration::inMemory());
    std::unique_ptr<TaskStore> m_store =
        std::make_unique<TaskStore>(m_container->mainContext(), &m_preferences);
};
