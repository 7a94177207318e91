#pragma once

#include <QString>
#include <memory>

class ModelContainer;

// Builds the app's one model container: "OrdlenStore.sqlite" in the app's
// data folder, or a store in memory when that file can't be opened.
class StorageBootstrap
{
public:
    static inline const QString storeFileName = QStringLiteral("OrdlenStore.sqlite");

    // Never fails: a store that can't be opened is reported on standard
    // output and replaced by one in memory for the rest of the run.
    static std::unique_ptr<ModelContainer> makeModelContainer();
    static std::unique_ptr<ModelContainer> makeModelContainer(const QString &dataDirectory);

    static QString dataDirectory();
};
