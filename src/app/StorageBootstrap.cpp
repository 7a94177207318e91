#include "StorageBootstrap.h"

#include "DiagnosticLog.h"
#include "ModelContainer.h"
#include "StoreError.h"

#include <QDir>
#include <QFileDevice>
#include <QStandardPaths>

namespace {

// The folder holds a private list: a folder made here is for its owner only.
// Failing to make it is not fatal; opening the store then reports why.
void createPrivateDirectory(const QString &path)
{
    if (QDir(path).exists())
        return;
    if (QDir().mkpath(path))
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void reportFallback(const QString &reason, const QString &path)
{
    DiagnosticLog::write(
        QStringLiteral("Ordlen: Error initializing SwiftData, falling back to memory: %1 (store file %2)")
            .arg(reason, path));
}

} // namespace

QString StorageBootstrap::dataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString StorageBootstrap::storePath(const QString &dataDirectory)
{
    return QDir(dataDirectory).filePath(storeFileName);
}

std::unique_ptr<ModelContainer> StorageBootstrap::openStoreFile(const QString &dataDirectory)
{
    createPrivateDirectory(dataDirectory);
    return ModelContainer::open(ModelConfiguration::onDisk(storePath(dataDirectory)));
}

std::unique_ptr<ModelContainer> StorageBootstrap::makeModelContainer(QString *problem)
{
    return makeModelContainer(dataDirectory(), problem);
}

std::unique_ptr<ModelContainer> StorageBootstrap::makeModelContainer(const QString &directory,
                                                                     QString *problem)
{
    if (problem)
        problem->clear();
    QString reason;
    try {
        return openStoreFile(directory);
    } catch (const StoreError &error) {
        reason = error.description();
    } catch (const std::exception &error) {
        // Running out of memory on a strange file must not end the app at
        // every start: the file is left alone, like any refused one.
        reason = QString::fromLocal8Bit(error.what());
    }
    reportFallback(reason, storePath(directory));
    if (problem)
        *problem = reason;
    try {
        return ModelContainer::open(ModelConfiguration::inMemory());
    } catch (const StoreError &error) {
        qFatal("OrdlenApp: could not create the in-memory store: %s", qPrintable(error.description()));
    }
}
