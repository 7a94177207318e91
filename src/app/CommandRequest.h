#pragma once

#include "TaskFilter.h"

#include <QString>

// What one run of the program is asked to do: start (or show) the app, or
// one of the sub-commands of the command line. The sub-commands that change
// what the running app shows go to it as such a request.
struct CommandRequest
{
    enum class Command
    {
        Run,
        Add,
        List,
        Show,
        Toggle,
        Capture
    };

    Command command = Command::Run;
    QString title;                       // add
    QString workspace;                   // add, list: empty for none given
    TaskFilter filter = TaskFilter::All; // list
    bool json = false;                   // list
};

// How a request was carried out: the exit code of the command, and the
// line it prints on standard error (empty when there is nothing to say).
struct CommandReply
{
    int exitCode = 0;
    QString message;
};
