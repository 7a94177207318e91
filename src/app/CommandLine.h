#pragma once

#include "CommandRequest.h"

#include <variant>

// The command line, read before the application object exists: --help and
// --version answer without a display and without reaching a running
// instance, a sub-command (add, list, show, toggle, capture) becomes a
// request, and anything the program does not know is refused before the app
// starts. Qt's own options (-platform, -session, …) pass through to the
// application object, which takes them out of argv itself.
class CommandLine
{
public:
    // The exit code when the command line has been answered here (help,
    // version, or a refusal on standard error); otherwise what to do.
    static std::variant<int, CommandRequest> handle(int &argc, char *argv[]);
};
