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
#include <optional>

// A task store on a real store file (or one in memory) and a real preferences
// file in a temporary folder; reopen() starts over on the same files, as a restart would,
// with the new store where the old one was (a reference to it stays good).
class StoreFixture
{
public:
    explicit StoreFixture(bool inMemory = false)
        : preferences(dir.filePath(QStringLiteral("Ordlen.conf"))), m_inMemory(inMemory)
    {
        reopen();
    }

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
        container = ModelContainer::open(m_inMemory ? ModelConfiguration::inMemory()
                                                    : ModelConfiguration::onDisk(storePath()));
        store.emplace(container->mainContext(), &preferences);
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
    std::optional<TaskStore> store;

private:
    bool m_inMemory;
};
