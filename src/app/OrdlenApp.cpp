#include "OrdlenApp.h"

#include "AppDelegate.h"
#include "CliCommands.h"
#include "CommandLine.h"
#include "DiagnosticLog.h"
#include "GlobalShortcut.h"
#include "Preferences.h"
#include "SingleInstance.h"
#include "StartupTrace.h"
#include "StorageBootstrap.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>

int OrdlenApp::main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Ordlen"));
    QApplication::setApplicationVersion(QStringLiteral(ORDLEN_VERSION));
    const std::variant<int, CommandRequest> parsed = CommandLine::handle(argc, argv);
    if (const int *exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const CommandRequest &request = std::get<CommandRequest>(parsed);
    // Adding and listing need no display, nor does a request the running app
    // carries out: scripts, cron and a desktop's key binding use them.
    if (request.command != CommandRequest::Command::Run) {
        const QCoreApplication application(argc, argv);
        if (const std::optional<int> exitCode = CliCommands::run(request))
            return *exitCode;
    }

    // Without a display Qt would abort with a long plugin report.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Ordlen needs a graphical desktop: neither DISPLAY nor WAYLAND_DISPLAY is set.\n", stderr);
        return 1;
    }

    if (StartupTrace::enabled())
        StartupTrace::mark("main");
    // The panel is small and mostly still: the software renderer draws it
    // in a fraction of the memory a GPU context takes. QT_QUICK_BACKEND
    // still chooses another.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    // Qt 6.4 crashes in its Wayland text input when a text field is made
    // while the compositor gives no seat with a keyboard (weston, headless
    // or kiosk, which offers text-input v1). Taking only text-input v2
    // keeps KWin's input methods; elsewhere typing goes through Qt's
    // compose input. Read on Wayland only; the variable still chooses.
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_TEXT_INPUT_PROTOCOL"))
        qputenv("QT_WAYLAND_TEXT_INPUT_PROTOCOL", "zwp_text_input_v2");
    QApplication app(argc, argv);
    // Status-notifier trays and Wayland find the app's icon and name by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORDLEN_APP_ID));
    // The popover comes and goes; hiding it must not end the app.
    QApplication::setQuitOnLastWindowClosed(false);
    if (StartupTrace::enabled())
        StartupTrace::mark("application");

    SingleInstance instance(SingleInstance::defaultDirectory(),
                            SingleInstance::keyFor(StorageBootstrap::dataDirectory()));
    if (!instance.claim()) {
        QString errorText;
        if (const std::optional<CommandReply> reply =
                instance.send(request, CliCommands::replyTimeoutMs, errorText))
            return reply->exitCode;
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not reach the running instance — ") + errorText);
        return 1;
    }

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, &QCoreApplication::quit);
    AppDelegate delegate;
    instance.setHandler([&delegate](const CommandRequest &received) { return delegate.perform(received); });
    delegate.applicationDidFinishLaunching();
    GlobalShortcut captureKey;
    QObject::connect(&captureKey, &GlobalShortcut::activated, &delegate, &AppDelegate::capture);
    captureKey.grabFromPreferences(Preferences(Preferences::defaultFilePath()));
    // Started by show, toggle or capture: the app is up, now it does that.
    if (request.command != CommandRequest::Command::Run)
        QTimer::singleShot(0, &delegate, [&delegate, request] { delegate.perform(request); });
    return QApplication::exec();
}
