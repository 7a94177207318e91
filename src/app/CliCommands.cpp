#include "CliCommands.h"

#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "SingleInstance.h"
#include "StorageBootstrap.h"
#include "StoreError.h"
#include "TaskItem.h"
#include "TaskListModel.h"
#include "TaskListing.h"
#include "TaskStore.h"

#include <cstdio>

namespace {

int finish(const CommandReply &reply)
{
    if (!reply.message.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(reply.message));
    return reply.exitCode;
}

CommandReply unreadable(const QString &path, const StoreError &error)
{
    return {2,
            QStringLiteral("Ordlen: Could not open the store file %1 — %2").arg(path, error.description())};
}

} // namespace

std::optional<int> CliCommands::run(const CommandRequest &request)
{
    if (request.command == CommandRequest::Command::List)
        return list(request);
    SingleInstance instance(SingleInstance::defaultDirectory(),
                            SingleInstance::keyFor(StorageBootstrap::dataDirectory()));
    if (!instance.isClaimedElsewhere()) {
        if (request.command != CommandRequest::Command::Add)
            return std::nullopt;
        return finish(addToStoreFile(request));
    }
    QString errorText;
    if (const std::optional<CommandReply> reply = instance.send(request, replyTimeoutMs, errorText))
        return finish(*reply);
    return finish({2, QStringLiteral("Ordlen: Could not reach the running Ordlen — ") + errorText});
}

CommandReply CliCommands::add(TaskStore &store, const QString &title, const QString &workspace)
{
    if (!workspace.isEmpty()) {
        const QStringList offered = store.getAvailableWorkspaces(store.context()->fetchTasks());
        if (!offered.contains(workspace))
            return {1, QStringLiteral("Ordlen: There is no workspace '%1'; there are: %2.")
                           .arg(workspace, offered.join(QStringLiteral(", ")))};
    }
    if (!store.addTask(title, workspace))
        return {1, QStringLiteral("Ordlen: A task needs a title that is not blank.")};
    if (store.context()->hasChanges())
        return {2, QStringLiteral("Ordlen: The task could not be saved.")};
    return {};
}

CommandReply CliCommands::addToStoreFile(const CommandRequest &request)
{
    const QString directory = StorageBootstrap::dataDirectory();
    std::unique_ptr<ModelContainer> container;
    try {
        container = StorageBootstrap::openStoreFile(directory);
    } catch (const StoreError &error) {
        return unreadable(StorageBootstrap::storePath(directory), error);
    }
    Preferences preferences(Preferences::defaultFilePath());
    TaskStore store(container->mainContext(), &preferences);
    return add(store, request.title, request.workspace);
}

int CliCommands::list(const CommandRequest &request)
{
    const QString path = StorageBootstrap::storePath(StorageBootstrap::dataDirectory());
    std::unique_ptr<ModelContainer> container;
    try {
        container = ModelContainer::openForReading(path);
    } catch (const StoreError &error) {
        return finish(unreadable(path, error));
    }
    Preferences preferences(Preferences::defaultFilePath());
    TaskStore store(container->mainContext(), &preferences);
    store.setActiveFilter(request.filter);
    store.setSelectedWorkspace(request.workspace);
    const TaskListModel tasks(&store);
    const QByteArray out = request.json ? TaskListing::json(tasks) : TaskListing::text(tasks);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
