#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

// The options QGuiApplication and QApplication read (Qt 6.4, xcb included),
// with a value and without.
constexpr auto qtOptionsWithValue =
    "platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
    "qwindowtitle title qwindowicon icon session display name visual style "
    "stylesheet qmljsdebugger";
constexpr auto qtFlags = "reverse testability widgetcount nograb dograb";

void addHidden(QCommandLineParser &parser, const char *names, const QString &valueName)
{
    for (const QString &name : QString::fromLatin1(names).split(u' ')) {
        QCommandLineOption option(name, QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void refuse(const QString &reason)
{
    std::fprintf(stderr, "Ordlen: %s See 'ordlen --help'.\n", qPrintable(reason));
}

} // namespace

std::optional<int> CommandLine::handle(int &argc, char *argv[])
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A to-do list in the desktop's tray.\nWithout options it starts in the tray, or "
                       "shows the panel of the copy already running."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and leave."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and leave."));
    parser.addOptions({help, version});
    addHidden(parser, qtOptionsWithValue, QStringLiteral("value"));
    addHidden(parser, qtFlags, QString());

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) {
        refuse(parser.errorText());
        return 1;
    }
    if (!parser.positionalArguments().isEmpty()) {
        refuse(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
        return 1;
    }
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
    return std::nullopt;
}
