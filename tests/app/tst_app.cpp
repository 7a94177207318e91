#include "AppDelegate.h"
#include "InstanceMessage.h"
#include "LaunchAtLoginService.h"
#include "ModelContainer.h"
#include "PopoverPlacement.h"
#include "PopoverWindow.h"
#include "Preferences.h"
#include "SingleInstance.h"
#include "StorageBootstrap.h"
#include "StoreStatus.h"
#include "TaskStore.h"
#include "TestSupport.h"
#include "WorkspaceList.h"
#include "XdgAutostartBackend.h"

#include <QDir>
#include <QLocalSocket>
#include <QMenu>
#include <QProcess>
#include <QQmlEngine>
#include <QQmlProperty>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtEndian>
#include <sys/wait.h>
#include <unistd.h>

using Presentation = PopoverWindow::Presentation;

// The app around the panel: one instance per data folder and the store it
// runs on, the popover's window, and what the app delegate drives.
class TestApp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Ordlen")); }

    // A killed instance leaves its lock and socket files behind: they must
    // not keep the next one from starting, nor from being found.
    void oneInstancePerDataFolder()
    {
        const QString key = SingleInstance::keyFor(QStringLiteral("/data/Ordlen"));
        QCOMPARE(SingleInstance::keyFor(QStringLiteral("/data//Ordlen/")), key);
        if (fork() == 0) // _exit skips every destructor, as SIGKILL would.
            _exit(SingleInstance(m_dir.path(), key).claim() ? 0 : 1);
        int status = -1;
        QVERIFY(::wait(&status) > 0 && status == 0);
        SingleInstance first(m_dir.path(), key), second(m_dir.path(), key);
        QString error;
        QVERIFY2(!second.send({}, 200, error) && !error.isEmpty(), "nobody listens yet");
        QVERIFY(!second.isClaimedElsewhere() && first.claim() && !second.claim() &&
                second.isClaimedElsewhere());
        QVERIFY(SingleInstance(m_dir.path(), SingleInstance::keyFor(QStringLiteral("/other"))).claim());
        QVERIFY2(SingleInstance(m_dir.filePath(QStringLiteral("gone")), key).claim(), "no lock: run anyway");
        QCOMPARE(QFile::permissions(first.socketPath()), // 0600
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        int shown = 0;
        first.setHandler([&shown](const CommandRequest &request) {
            shown += request.command == CommandRequest::Command::Show;
            return CommandReply{3, {}};
        });
        const pid_t sender = fork(); // send() waits for the reply this process gives
        if (sender == 0)
            _exit(second.send({}, 5000, error).value_or(CommandReply{99, {}}).exitCode);
        pid_t reaped = 0;
        QTRY_VERIFY(reaped == sender || (reaped = ::waitpid(sender, &status, WNOHANG)) == sender);
        QCOMPARE(WEXITSTATUS(status), 3);
        QCOMPARE(shown, 1);
    }

    // Bytes on the channel: only a whole, well-formed request reaches the
    // app; anything else is answered with a refusal (1) and reaches nothing.
    void channelTakesOnlyWholeRequests_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("received"); // "command title@workspace"
        QTest::addColumn<QString>("refusal");  // part of the reply's line; none: accepted
        const auto frame = [](const QByteArray &payload, qsizetype size = -1) {
            QByteArray header(InstanceMessage::headerSize, Qt::Uninitialized);
            qToBigEndian(quint32(size < 0 ? payload.size() : size), header.data());
            return header + payload;
        };
        const CommandRequest add{CommandRequest::Command::Add, QStringLiteral(" Milk"),
                                 QStringLiteral("Wörk")};
        const QString none;
        QTest::newRow("add") << InstanceMessage::encode(add) << " Milk@Wörk" << none;
        QTest::newRow("capture") << frame(R"({"command":"capture"})") << "capture@" << none;
        QTest::newRow("never finished") << frame(R"({"command")", 20) << none << "not sent whole";
        QTest::newRow("oversized") << frame("{", InstanceMessage::maxPayload + 1) << none << "16385 bytes";
        QTest::newRow("not JSON") << frame("show") << none << "not JSON";
        QTest::newRow("array") << frame(R"(["show"])") << none << "not a JSON object";
        QTest::newRow("unknown command") << frame(R"({"command":"list"})") << none << "no known command";
        QTest::newRow("unknown field")
            << frame(R"({"command":"show","exec":"rm"})") << none << "unknown field";
        QTest::newRow("add without title") << frame(R"({"command":"add"})") << none << "do not fit";
        QTest::newRow("title on show") << frame(R"({"command":"show","title":"x"})") << none << "do not fit";
    }

    void channelTakesOnlyWholeRequests()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, received);
        QFETCH(QString, refusal);
        SingleInstance instance(m_dir.path(), QStringLiteral("channel"));
        QVERIFY(instance.claim());
        instance.setMessageTimeout(100);
        QString got;
        instance.setHandler([&got](const CommandRequest &request) {
            got = (request.command == CommandRequest::Command::Capture ? QStringLiteral("capture")
                                                                       : request.title) +
                  u'@' + request.workspace;
            return CommandReply{};
        });
        QLocalSocket client;
        client.connectToServer(instance.socketPath());
        QVERIFY(client.waitForConnected(1000));
        client.write(bytes);
        QByteArray answer;
        InstanceMessage::DecodedReply reply;
        QTRY_VERIFY((answer += client.readAll(),
                     std::holds_alternative<CommandReply>(reply = InstanceMessage::decodeReply(answer))));
        const CommandReply &answered = std::get<CommandReply>(reply);
        QVERIFY2(answered.exitCode == int(!refusal.isEmpty()) && answered.message.contains(refusal),
                 qPrintable(answered.message));
        QCOMPARE(got, received);
    }

    // add and list as a script runs them, without a display: output, exit
    // codes, and a store that list leaves byte for byte as it was.
    void commandLine_data()
    {
        QTest::addColumn<QString>("store"); // seeded, garbage or none
        QTest::addColumn<QList<QStringList>>("commands");
        QTest::addColumn<QList<int>>("exitCodes");
        QTest::addColumn<QString>("out"); // of the last command
        QTest::addColumn<QString>("err"); // part of the last command's one line
        using L = QStringList;
        const QString seeded = QStringLiteral("seeded");
        const QString none;
        QTest::newRow("grouped") << seeded << QList<L>{{"list"}} << QList<int>{0}
                                 << "Personal\n    [ ] Buy milk\n        [x] oat\n        [ ] soy\n"
                                    "    [x] Call mom\nWork\n    [ ] Report\n"
                                 << none;
        QTest::newRow("json") << seeded << QList<L>{{"list", "--done", "--json"}} << QList<int>{0}
                              << R"([{"done":true,"subtasks":[],"title":"Call mom","workspace":"Personal"}])"
                                 "\n"
                              << none;
        QTest::newRow("add trimmed") << seeded
                                     << QList<L>{{"add", " Pay rent\n", "--workspace", "Work"},
                                                 {"list", "--workspace", "Work"}}
                                     << QList<int>{0, 0} << "[ ] Report\n[ ] Pay rent\n"
                                     << none;
        QTest::newRow("add to Personal")
            << seeded << QList<L>{{"add", "Tea"}, {"list", "--workspace", "Personal"}} << QList<int>{0, 0}
            << "[ ] Buy milk\n    [x] oat\n    [ ] soy\n[x] Call mom\n[ ] Tea\n"
            << none;
        QTest::newRow("blank") << seeded << QList<L>{{"add", " \n "}} << QList<int>{1} << none << "blank";
        QTest::newRow("unknown workspace") << seeded << QList<L>{{"add", "Tea", "--workspace", "Home"}}
                                           << QList<int>{1} << none << "no workspace 'Home'";
        const QList<L> refused{
            {"add"}, {"add", "Tea", "--json"}, {"list", "--done", "--pending"}, {"show", "now"}, {"rm"}};
        QTest::newRow("refusals") << seeded << refused << QList<int>(refused.size(), 1) << none
                                  << "Unknown command 'rm'";
        QTest::newRow("not a store") << "garbage" << QList<L>{{"add", "Tea"}, {"list"}} << QList<int>{2, 2}
                                     << none << "Could not open the store file";
        QTest::newRow("no store yet") << "none" << QList<L>{{"list", "--json"}} << QList<int>{0} << "[]\n"
                                      << none;
    }

    void commandLine()
    {
        QFETCH(QString, store);
        QFETCH(QList<QStringList>, commands);
        QFETCH(QList<int>, exitCodes);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            environment.insert(QString::fromLatin1(name), home.filePath(QString::fromLatin1(name)));
        const QString path = home.filePath(QStringLiteral("XDG_DATA_HOME/Ordlen/OrdlenStore.sqlite"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QString preferencesPath = home.filePath(QStringLiteral("XDG_CONFIG_HOME/Ordlen/Ordlen.conf"));
        if (store == QStringLiteral("seeded")) {
            Preferences preferences(preferencesPath);
            const auto container = ModelContainer::open(ModelConfiguration::onDisk(path));
            TaskStore tasks(container->mainContext(), &preferences);
            tasks.createWorkspace(QStringLiteral("Work"));
            tasks.addTask(QStringLiteral("Report"));
            TaskItem *milk = tasks.addTask(QStringLiteral("Buy milk"), {});
            tasks.toggleSubtask(tasks.addSubtask(milk, QStringLiteral("oat")));
            tasks.addSubtask(milk, QStringLiteral("soy"));
            tasks.toggleTask(tasks.addTask(QStringLiteral("Call mom"), {}));
            // As an earlier version left it: list must not take the old key over.
            QVERIFY(preferences.remove(WorkspaceList::savedKey) &&
                    preferences.setStringArray(WorkspaceList::legacyKey, {QStringLiteral("Work")}));
        } else if (store == QStringLiteral("garbage")) {
            writeFile(path, "milk\n");
        }
        const QByteArray before = contentsOf(path) + contentsOf(preferencesPath);
        QProcess process;
        process.setProcessEnvironment(environment);
        QString output, errors;
        for (qsizetype i = 0; i < commands.size(); ++i) {
            process.start(QStringLiteral(ORDLEN_EXECUTABLE), commands[i]);
            QVERIFY(process.waitForFinished(10000));
            output = QString::fromUtf8(process.readAllStandardOutput());
            errors = QString::fromUtf8(process.readAllStandardError());
            QVERIFY2(process.exitCode() == exitCodes[i], qPrintable(commands[i].join(u' ') + u' ' + errors));
        }
        QCOMPARE(output, out);
        QVERIFY2(err.isEmpty() ? errors.isEmpty() : errors.contains(err) && errors.count(u'\n') == 1,
                 qPrintable(errors));
        if (std::all_of(commands.begin(), commands.end(),
                        [](const QStringList &c) { return c[0] != "add"; })) {
            QCOMPARE(contentsOf(path) + contentsOf(preferencesPath), before);
            QVERIFY(!QFile::exists(path + QStringLiteral("-wal")) &&
                    QFile::exists(path) == (store != "none"));
        }
    }

    // A folder made for the store is its owner's only; one that exists keeps its mode.
    void storeFolderIsPrivate()
    {
        const QString made = m_dir.filePath(QStringLiteral("a/b"));
        const auto othersRead = QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | othersRead));
        QString problem = QStringLiteral("(left from before)");
        QVERIFY(!StorageBootstrap::makeModelContainer(made, &problem)->configuration().isStoredInMemoryOnly);
        QCOMPARE(problem, QString());
        StorageBootstrap::makeModelContainer(m_dir.path());
        QCOMPARE(QFile::permissions(made) & othersRead, QFile::Permissions());
        QCOMPARE(QFile::permissions(m_dir.path()) & othersRead, othersRead);
    }

    // The login item is read again whenever the user comes back to the app:
    // it may have been changed in the desktop's settings meanwhile.
    void readsTheLoginItemOnActivation_data()
    {
        QTest::addColumn<bool>("focusEvent"); // else an application state change
        QTest::newRow("focus moves to a window") << true;
        QTest::newRow("app becomes active") << false;
    }

    void readsTheLoginItemOnActivation()
    {
        QFETCH(bool, focusEvent);
        QTemporaryDir autostart;
        const auto entry = [&] {
            return std::make_unique<XdgAutostartBackend>(autostart.path(),
                                                         QCoreApplication::applicationFilePath());
        };
        LaunchAtLoginService service(entry());
        AppDelegate delegate(service);
        delegate.applicationDidFinishLaunching();
        LaunchAtLoginService(entry()).enable(); // in the desktop's settings
        QVERIFY(!service.isEnabled());
        QWindow window;
        if (focusEvent)
            emit qGuiApp->focusWindowChanged(&window);
        else
            emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(service.isEnabled());
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("icon"); // null: the tray doesn't say; the pointer is at 640,100
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect s(0, 0, 1280, 800), left(-1920, 0, 1920, 1080);
        QTest::newRow("centred under the icon") << QRect(600, 1, 22, 22) << s << QPoint(407, 27);
        QTest::newRow("right edge") << QRect(1257, 1, 22, 22) << s << QPoint(872, 27);
        QTest::newRow("left edge, screen left of 0") << QRect(-1900, 1, 22, 22) << left << QPoint(-1920, 27);
        QTest::newRow("fits just below") << QRect(-1000, 578, 22, 22) << left << QPoint(-1192, 604);
        QTest::newRow("just room above") << QRect(600, 480, 22, 22) << s << QPoint(407, 0);
        QTest::newRow("icon unknown: the pointer") << QRect() << s << QPoint(437, 105);
        QTest::newRow("screen too small") << QRect(100, 1, 22, 22) << QRect(0, 0, 320, 240) << QPoint(0, 0);
    }

    void placement()
    {
        QFETCH(QRect, icon);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        QCOMPARE(PopoverPlacement::topLeft(icon, {640, 100}, PopoverWindow::contentSize, screen), expected);
    }

    // Popover: a frameless tool window over the others. Window: framed, over
    // the others only when pinned (level 3); closing it is announced, for it
    // ends the app.
    void presentationDecidesTheWindow_data()
    {
        QTest::addColumn<Presentation>("presentation");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("popover") << Presentation::Popover << 101 << true;
        QTest::newRow("window") << Presentation::Window << 101 << false;
        QTest::newRow("window, pinned") << Presentation::Window << 3 << true;
    }

    void presentationDecidesTheWindow()
    {
        QFETCH(Presentation, presentation);
        QFETCH(int, level);
        QFETCH(bool, onTop);
        const bool popover = presentation == Presentation::Popover;
        PopoverWindow window;
        window.setPresentation(presentation);
        window.setLevel(level);
        const Qt::WindowFlags flags = window.flags();
        QCOMPARE(bool(flags & Qt::WindowStaysOnTopHint), onTop);
        QCOMPARE(bool(flags & Qt::FramelessWindowHint) && (flags & Qt::WindowType_Mask) == Qt::Tool, popover);

        popover ? window.showAsWindow() : window.showUnder({}); // the other presentation's way
        QVERIFY(!window.isVisible());
        popover ? window.showUnder({}) : window.showAsWindow();
        QVERIFY(window.isVisible());
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry())); // see tst_app_scaled
        QSignalSpy closed(&window, &PopoverWindow::windowClosed);
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(closed.count(), popover ? 0 : 1);
    }

    // Losing the activation or a press outside (see the e2e test) closes the
    // popover unless pinned; a press inside never does. A closing by losing
    // the activation can be the tray click itself: it must not reopen it.
    void closesWhenLeftUnlessPinned_data()
    {
        QTest::addColumn<bool>("pinned");
        QTest::newRow("free") << false;
        QTest::newRow("pinned") << true;
    }

    void closesWhenLeftUnlessPinned()
    {
        QFETCH(bool, pinned);
        PopoverWindow window;
        window.showUnder({});
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Pinning a shown popover, or unpinning it, leaves its window where
        // and as it is.
        const WId native = window.winId();
        const QPoint place = window.position();
        const Qt::WindowFlags flags = window.flags();
        window.updateWindowBehavior(true);
        window.updateWindowBehavior(pinned);
        QCOMPARE(window.level(), pinned ? 3 : 101);
        QCOMPARE(std::tuple(window.winId(), window.position(), window.flags(), window.isVisible()),
                 std::tuple(native, place, flags, true));
        QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(pinned ? -20 : 200, 10));
        QVERIFY(window.isVisible());
        QWindow other;
        other.show();
        other.requestActivate();
        QTRY_VERIFY(other.isActive());
        QCOMPARE(window.isVisible(), pinned);
        QCOMPARE(window.wasJustDeactivated(), !pinned);
        window.setPresentation(Presentation::Window); // the tray went away: a shown panel stays up
        QCOMPARE(window.isVisible(), pinned);
    }

    // A store file the container refuses (which ones is its own test): the
    // app runs on memory, says why and where, the panel shows its notice,
    // and the file is left as it was, with nothing beside it but its lock.
    void refusedStoreFileFallsBackToMemory()
    {
        QDir folder(StorageBootstrap::dataDirectory());
        QVERIFY(folder.removeRecursively() && folder.mkpath(QStringLiteral(".")));
        const QString path = folder.filePath(StorageBootstrap::storeFileName);
        writeFile(path, "milk\n");
        {
            CapturedLines lines;
            AppDelegate delegate;
            delegate.applicationDidFinishLaunching();
            const QString problem = delegate.storeStatus()->problem();
            QVERIFY(!delegate.storeStatus()->isPersistent() && !problem.isEmpty() &&
                    lines.lines().size() == 1);
            QVERIFY2(lines.lines()[0].startsWith(
                         "Ordlen: Error initializing SwiftData, falling back to memory: " + problem) &&
                         lines.lines()[0].contains(path),
                     qPrintable(lines.lines()[0]));
            auto *notice =
                delegate.popover()->rootObject()->findChild<QQuickItem *>(QStringLiteral("storeNotice"));
            QVERIFY(notice && notice->isVisible() && notice->height() > 0);
            // Pointing at it, or reading it aloud, tells the reason (names
            // as the notice's own file has them).
            QQmlContext *inNotice = qmlContext(notice->childItems().constFirst());
            for (const char *told : {"ToolTip.text", "Accessible.description"})
                QCOMPARE(QQmlProperty::read(notice, QString::fromLatin1(told), inNotice), problem);
        }
        QCOMPARE(contentsOf(path), "milk\n");
        QVERIFY(QFile::remove(path + QStringLiteral(".lock")));
        QCOMPARE(folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList(StorageBootstrap::storeFileName));
        QVERIFY(folder.removeRecursively());
    }

    // Offscreen there is no tray: no icon either, and the panel is a window,
    // built and shown at once (its store saved: no notice), that no icon
    // click hides; closing it ends the app (so: last).
    void withoutATrayThePanelIsTheApp()
    {
        QGuiApplication::setQuitOnLastWindowClosed(false); // as the app does
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        QVERIFY(delegate.storeStatus()->isPersistent() && !delegate.statusItem());
        PopoverWindow *window = delegate.popover();
        const auto *notice = window->rootObject()->findChild<QQuickItem *>(QStringLiteral("storeNotice"));
        QVERIFY(!notice->isVisible() && notice->height() == 0);
        delegate.applicationDidFinishLaunching();
        QCOMPARE(delegate.popover(), window);
        QVERIFY(window->rootObject()->property("isPanelLoaded").toBool());
        delegate.togglePopover();
        QVERIFY(window->isVisible());
        window->hide();
        delegate.showPopover();
        QVERIFY(window->isVisible());
        // The tray icon's own menu opens the panel and ends the app.
        const QList<QAction *> actions = delegate.statusMenu()->actions();
        QCOMPARE(actions.size(), 2);
        window->hide();
        actions.at(0)->trigger();
        QVERIFY(window->isVisible());
        QTimer::singleShot(0, actions.at(1), &QAction::trigger);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // if it never quits
        QCOMPARE(QCoreApplication::exec(), 0);
        QTimer::singleShot(0, window, &QWindow::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // if it never quits
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
