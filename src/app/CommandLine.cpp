#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace {

using Command = CommandRequest::Command;

// The options QGuiApplication and QApplication read (Qt 6.4, xcb included),
// with a value and without.
constexpr auto qtOptionsWithValue =
    "platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
    "qwindowtitle title qwindowicon icon session display name visual style "
    "stylesheet qmljsdebugger";
constexpr auto qtFlags = "reverse testability widgetcount nograb dograb";

constexpr auto description = R"(A to-do list in the desktop's tray.
Without a command it starts in the tray, or shows the panel of the copy
already running.

Commands:
  add TITLE [--workspace NAME]   Add a task, as the panel's add field does.
  list [--pending | --done] [--workspace NAME] [--json]
                                 Print the tasks in the panel's order.
  show, toggle                   Show, or show and hide, the panel.
  capture                        Open the panel with the add field ready.)";

struct SubCommand
{
    const char *name;
    Command command;
    int arguments; // after the name
};
constexpr SubCommand subCommands[] = {
    {"add", Command::Add, 1},       {"list", Command::List, 0},       {"show", Command::Show, 0},
    {"toggle", Command::Toggle, 0}, {"capture", Command::Capture, 0},
};

void addHidden(QCommandLineParser &parser, const char *names, const QString &valueName)
{
    for (const QString &name : QString::fromLatin1(names).split(u' ')) {
        QCommandLineOption option(name, QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

int refuse(const QString &reason)
{
    std::fprintf(stderr, "Ordlen: %s See 'ordlen --help'.\n", qPrintable(reason));
    return 1;
}

} // namespace

std::variant<int, CommandRequest> CommandLine::handle(int &argc, char *argv[])
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and leave."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and leave."));
    const QCommandLineOption workspace(QStringLiteral("workspace"),
                                       QStringLiteral("add, list: the workspace to add to or to list."),
                                       QStringLiteral("name"));
    const QCommandLineOption pending(QStringLiteral("pending"), QStringLiteral("list: only the open tasks."));
    const QCommandLineOption done(QStringLiteral("done"), QStringLiteral("list: only the ticked-off tasks."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("list: as a JSON array."));
    parser.addOptions({help, version, workspace, pending, done, json});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see Commands)."),
                                 QStringLiteral("[command]"));
    addHidden(parser, qtOptionsWithValue, QStringLiteral("value"));
    addHidden(parser, qtFlags, QString());

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help)) {
        // The usage line names the program as it was called, which the
        // parser reads from an application object; this one needs no display.
        const QCoreApplication application(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }

    CommandRequest request;
    QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        const QString name = positional.takeFirst();
        const auto *known =
            std::find_if(std::begin(subCommands), std::end(subCommands),
                         [&name](const SubCommand &sub) { return name == QLatin1String(sub.name); });
        if (known == std::end(subCommands))
            return refuse(QStringLiteral("Unknown command '%1'.").arg(name));
        if (positional.size() != known->arguments)
            return refuse(known->arguments == 0
                              ? QStringLiteral("'%1' takes no argument.").arg(name)
                              : QStringLiteral("'%1' takes one title; quote it.").arg(name));
        request.command = known->command;
        request.title = positional.value(0);
    }
    // Each option belongs to the commands that read it.
    const bool lists = request.command == Command::List;
    for (const auto &[option, allowed] :
         {std::pair{&workspace, lists || request.command == Command::Add}, std::pair{&pending, lists},
          std::pair{&done, lists}, std::pair{&json, lists}}) {
        if (parser.isSet(*option) && !allowed)
            return refuse(QStringLiteral("The option '--%1' does not go with this command.")
                              .arg(option->names().constFirst()));
    }
    if (parser.isSet(pending) && parser.isSet(done))
        return refuse(QStringLiteral("Choose --pending or --done, not both."));
    request.workspace = parser.value(workspace);
    request.filter = parser.isSet(pending) ? TaskFilter::Pending
                     : parser.isSet(done)  ? TaskFilter::Done
                                           : TaskFilter::All;
    request.json = parser.isSet(json);
    return request;
}
