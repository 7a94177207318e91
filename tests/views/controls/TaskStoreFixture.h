#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtQml/qqmlregistration.h>
#include <memory>

class ModelContainer;
class Preferences;
class SubTaskItem;
class TaskItem;
class TaskStore;
Q_MOC_INCLUDE("TaskStore.h")
Q_MOC_INCLUDE("TaskItem.h")
Q_MOC_INCLUDE("SubTaskItem.h")

// For Quick tests: a real TaskStore on an in-memory store with preferences
// in a temporary folder, one per fixture object.
class TaskStoreFixture : public QObject
{
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(TaskStore *store READ store CONSTANT)
    // Where the gallery writes its pictures (ORDLEN_GALLERY_DIR).
    Q_PROPERTY(QString galleryDir READ galleryDir CONSTANT)

public:
    explicit TaskStoreFixture(QObject *parent = nullptr);
    ~TaskStoreFixture() override;

    TaskStore *store() const { return m_store.get(); }
    QString galleryDir() const;

    // Every task in the store, by position.
    Q_INVOKABLE QList<TaskItem *> allTasks() const;
    Q_INVOKABLE int subtaskCount() const;
    // A subtask at a chosen position, which the store itself never picks.
    Q_INVOKABLE SubTaskItem *addSubtaskAt(TaskItem *task, const QString &title, qint64 sortOrder);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Preferences> m_preferences;
    std::unique_ptr<ModelContainer> m_container;
    std::unique_ptr<TaskStore> m_store;
};
