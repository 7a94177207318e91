#pragma once

#include "CommandRequest.h"

#include <optional>

class TaskStore;

// The sub-commands as far as they need no display. With an Ordlen running,
// add, show, toggle and capture go to it, so its panel shows the task at
// once and one process writes the store; otherwise add and list open the
// store file themselves, under its lock, list without writing anything,
// and the others are left to the app that starts.
class CliCommands
{
public:
    // How long a command waits for the running instance's reply: it may
    // have to load the store first.
    static constexpr int replyTimeoutMs = 5000;

    // Prints on standard output and error; answers the exit code, or
    // nothing when the app has to start and carry the request out.
    static std::optional<int> run(const CommandRequest &request);
    // The add field's rule (TaskStore::addTask) for a task from the command
    // line, into a workspace the menu offers (none given: "Personal"). 1 on
    // a refusal, 2 when the task could not be saved.
    static CommandReply add(TaskStore &store, const QString &title, const QString &workspace);

private:
    static CommandReply addToStoreFile(const CommandRequest &request);
    static int list(const CommandRequest &request);
};
