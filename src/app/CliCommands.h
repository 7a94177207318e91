#pragma once

#include "CommandRequest.h"

class TaskStore;

// The sub-commands that need no display, add and list. With an Ordlen
// running, add goes to it, so its panel shows the task at once and one
// process writes the store; otherwise both open the store file themselves,
// under its lock, list without writing anything.
class CliCommands
{
public:
    // How long a command waits for the running instance's reply: it may
    // have to load the store first.
    static constexpr int replyTimeoutMs = 5000;

    // Prints on standard output and error; answers the exit code.
    static int run(const CommandRequest &request);
    // The add field's rule (TaskStore::addTask) for a task from the command
    // line, into a workspace the menu offers (none given: "Personal"). 1 on
    // a refusal, 2 when the task could not be saved.
    static CommandReply add(TaskStore &store, const QString &title, const QString &workspace);

private:
    static CommandReply addToStoreFile(const CommandRequest &request);
    static int list(const CommandRequest &request);
};
