#include "AppDelegate.h"

#include "ChecklistIcon.h"
#include "CliCommands.h"
#include "LaunchAtLoginService.h"
#include "ModelContainer.h"
#include "PanelPreferences.h"
#include "PopoverWindow.h"
#include "Preferences.h"
#include "QmlEngineSetup.h"
#include "StartupTrace.h"
#include "StorageBootstrap.h"
#include "StoreStatus.h"
#include "TaskListModel.h"
#include "TaskStore.h"
#include "TrayHostWatcher.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QQmlEngine>
#include <QQmlError>
#include <QQuickItem>
#include <QTimer>

namespace {

// Long enough for the tray to have docked and drawn the icon, far too short
// for a person to have clicked it (a click sooner builds the panel at once).
constexpr int panelLoadDelayMs = 250;

} // namespace

AppDelegate::AppDelegate(LaunchAtLoginService &loginItems, QObject *parent)
    : QObject(parent), m_loginItems(loginItems)
{}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    if (m_popover)
        return;

    refreshLoginItemsOnActivation();
    // The icon comes first; the store and the panel are built once it is up
    // (loadPanel), or at once when something needs them sooner.
    m_popover = std::make_unique<PopoverWindow>();
    // Its own menu, so the app can be opened and ended from any tray.
    m_statusMenu = std::make_unique<QMenu>();
    m_statusMenu->addAction(QStringLiteral("Show Ordlen"), this, &AppDelegate::showPopover);
    m_statusMenu->addAction(QStringLiteral("Quit Ordlen"), qApp, &QCoreApplication::quit,
                            Qt::QueuedConnection);

    // With no tray the ordinary window is the app; closing it ends the app.
    connect(m_popover.get(), &PopoverWindow::windowClosed, qApp, &QCoreApplication::quit);
    m_trayHosts = std::make_unique<TrayHostWatcher>();
    connect(m_trayHosts.get(), &TrayHostWatcher::availabilityChanged, this, &AppDelegate::followTrayHosts);
    followTrayHosts();
    QTimer::singleShot(panelLoadDelayMs, this, &AppDelegate::loadPanel);
}

void AppDelegate::makeStatusItem()
{
    // Qt picks the kind of tray now, for the rest of the run.
    m_statusItem = std::make_unique<QSystemTrayIcon>(ChecklistIcon::icon());
    m_trayHosts->iconCreated();
    m_statusItem->setToolTip(QStringLiteral("Ordlen"));
    m_statusItem->setContextMenu(m_statusMenu.get());
    connect(m_statusItem.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    togglePopover();
            });
    StartupTrace::attach(m_statusItem.get(), m_popover.get());
    // Kept while the tray goes away and comes back: Qt hands it to the next
    // tray of the same kind.
    m_statusItem->show();
}

void AppDelegate::refreshLoginItemsOnActivation()
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
        if (window)
            m_loginItems.refreshStatus();
    });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            m_loginItems.refreshStatus();
    });
}

void AppDelegate::togglePopover()
{
    if (!m_popover || m_popover->presentation() != PopoverWindow::Presentation::Popover)
        return;
    if (m_popover->isVisible()) {
        m_popover->dismiss();
        return;
    }
    if (m_popover->wasJustDeactivated())
        return;
    loadPanel();
    m_popover->showUnder(m_statusItem->geometry());
}

void AppDelegate::showPopover()
{
    if (!m_popover)
        return;
    loadPanel();
    if (m_popover->presentation() == PopoverWindow::Presentation::Window) {
        m_popover->showAsWindow();
        return;
    }
    if (m_popover->isVisible())
        m_popover->requestActivate();
    else
        m_popover->showUnder(m_statusItem->geometry());
}

void AppDelegate::capture()
{
    if (!m_popover)
        return;
    showPopover();
    if (QQuickItem *root = m_popover->rootObject())
        QMetaObject::invokeMethod(root, "capture");
}

CommandReply AppDelegate::perform(const CommandRequest &request)
{
    using Command = CommandRequest::Command;
    switch (request.command) {
    case Command::Add: {
        loadPanel();
        const CommandReply reply = CliCommands::add(*m_store, request.title, request.workspace);
        if (reply.exitCode == 0 && !m_storeStatus->isPersistent())
            return {2, QStringLiteral("Ordlen: The running Ordlen could not open its store file and keeps "
                                      "tasks in memory only; the task is lost when it quits.")};
        return reply;
    }
    case Command::Capture:
        capture();
        break;
    case Command::Toggle:
        // Without a tray there is nothing to hide the window into.
        if (m_popover && m_popover->presentation() == PopoverWindow::Presentation::Popover) {
            togglePopover();
            break;
        }
        [[fallthrough]];
    default:
        showPopover();
    }
    return {};
}

ModelContainer &AppDelegate::modelContainer()
{
    if (!m_modelContainer) {
        QString problem;
        m_modelContainer = StorageBootstrap::makeModelContainer(&problem);
        m_storeStatus =
            std::make_unique<StoreStatus>(!m_modelContainer->configuration().isStoredInMemoryOnly, problem);
        QQmlEngine::setObjectOwnership(m_storeStatus.get(), QQmlEngine::CppOwnership);
    }
    return *m_modelContainer;
}

void AppDelegate::buildRootView()
{
    ModelContext *context = modelContainer().mainContext();
    if (StartupTrace::enabled())
        StartupTrace::mark("store");
    m_preferences = std::make_unique<Preferences>(Preferences::defaultFilePath());
    m_store = std::make_unique<TaskStore>(context, m_preferences.get());
    m_taskList = std::make_unique<TaskListModel>(m_store.get());
    m_panelPreferences = std::make_unique<PanelPreferences>(m_preferences.get());
    for (QObject *shared : std::initializer_list<QObject *>{m_store.get(), m_taskList.get(),
                                                            m_panelPreferences.get(), &m_loginItems})
        QQmlEngine::setObjectOwnership(shared, QQmlEngine::CppOwnership);

    QQmlEngine *engine = m_popover->engine();
    QmlEngineSetup::configure(*engine);
    // "Quit Ordlen": after the menu has closed, the run ends as any quit
    // does, closing the store on the way out.
    connect(engine, &QQmlEngine::quit, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_popover->setInitialProperties({
        {QStringLiteral("taskStore"), QVariant::fromValue(m_store.get())},
        {QStringLiteral("taskList"), QVariant::fromValue(m_taskList.get())},
        {QStringLiteral("storeStatus"), QVariant::fromValue(m_storeStatus.get())},
        {QStringLiteral("panelPreferences"), QVariant::fromValue(m_panelPreferences.get())},
        {QStringLiteral("loginItems"), QVariant::fromValue(&m_loginItems)},
    });
    m_popover->setSource(QUrl(QStringLiteral("qrc:/Ordlen/MenuBarView.qml")));
    if (m_popover->status() == QQuickView::Error) {
        QStringList errors;
        for (const QQmlError &error : m_popover->errors())
            errors << error.toString();
        qFatal("OrdlenApp: the panel could not be loaded: %s", qPrintable(errors.join(QStringLiteral("; "))));
    }
}

void AppDelegate::loadPanel()
{
    if (!m_popover->rootObject()) {
        buildRootView();
        if (StartupTrace::enabled())
            StartupTrace::mark("root-view");
    }
    if (QQuickItem *root = m_popover->rootObject())
        root->setProperty("isPanelLoaded", true);
}

void AppDelegate::followTrayHosts()
{
    const bool hasTray = m_trayHosts->isAvailable();
    if (hasTray && !m_statusItem)
        makeStatusItem();
    if (m_hasTray == hasTray)
        return;
    m_hasTray = hasTray;
    // A tray that appears takes the panel in; one that goes away leaves it
    // as an ordinary window, so the app never runs out of sight.
    m_popover->setPresentation(hasTray ? PopoverWindow::Presentation::Popover
                                       : PopoverWindow::Presentation::Window);
    if (!hasTray) {
        loadPanel();
        m_popover->showAsWindow();
    }
}
