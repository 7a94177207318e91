#pragma once

#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "SqliteConnection.h"
#include "TaskStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A task store on a real store file and a real preferences file in a
// temporary folder; reopen() starts over on the same files, as a restart would.
class StoreFixture
{
public:
    StoreFixture() : preferences(dir.filePath(QStringLiteral("Ordlen.conf"))) { reopen(); }

    QString storePath() const { return dir.filePath(QStringLiteral("OrdlenStore.sqlite")); }

    void close()
    {
        store.reset();
        container.reset();
        // Let deleted record objects go before their context does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void reopen()
    {
        close();
        container = ModelContainer::open(ModelConfiguration::onDisk(storePath()));
        store = std::make_unique<TaskStore>(container->mainContext(), &preferences);
    }

    // Another program writing the same file behind the store's back.
    void writeBehindTheStoresBack(const char *sql) const
    {
        SqliteConnection other(storePath(), SqliteConnection::OpenMode::ReadWrite);
        other.execute(sql);
    }
    qint64 count(const char *sql) const { return container->connection().queryInt(sql); }

    ModelContext *context() const { return container->mainContext(); }
    QList<TaskItem *> allTasks() const
    {
        return context()->fetchTasks({TaskFetchDescriptor::Sort::SortOrderAscending, {}});
    }

    QTemporaryDir dir;
    Preferences preferences;
    std::unique_ptr<ModelContainer> container;
    std::unique_ptr<TaskStore> store;
};
