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
    // output, with the file's path, and replaced by one in memory for the
    // rest of the run. `problem`, when given, receives why the file could not
    // be opened (empty when it was).
    static std::unique_ptr<ModelContainer> makeModelContainer(QString *problem = nullptr);
    static std::unique_ptr<ModelContainer> makeModelContainer(const QString &dataDirectory,
                                                              QString *problem = nullptr);

    // The store file itself, without the fallback: throws StoreError.
    static std::unique_ptr<ModelContainer> openStoreFile(const QString &dataDirectory);
    static QString storePath(const QString &dataDirectory);
    static QString dataDirectory();
};
