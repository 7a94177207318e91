#pragma once

#include "ModelConfiguration.h"

#include <memory>

class ModelContext;
class SqliteConnection;

// The opened store: one SQLite connection and the main context that works on it.
class ModelContainer
{
public:
    // Throws StoreError with a readable text when the store can't be opened.
    static std::unique_ptr<ModelContainer> open(const ModelConfiguration &configuration);
    ~ModelContainer();

    ModelContext *mainContext() const { return m_mainContext.get(); }
    const ModelConfiguration &configuration() const { return m_configuration; }
    SqliteConnection &connection() const { return *m_connection; }

private:
    ModelContainer(const ModelConfiguration &configuration, std::unique_ptr<SqliteConnection> connection);

    ModelConfiguration m_configuration;
    std::unique_ptr<SqliteConnection> m_connection;
    std::unique_ptr<ModelContext> m_mainContext;
};
