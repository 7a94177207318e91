#pragma once

#include "CommandRequest.h"
#include "LaunchAtLoginService.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <memory>
#include <optional>

class ModelContainer;
class QMenu;
class PanelPreferences;
class PopoverWindow;
class Preferences;
class StoreStatus;
class TaskListModel;
class TaskStore;
class TrayHostWatcher;

// Builds the app once after start: the popover, the root view MenuBarView on
// the model container, and the tray icon that opens and closes the popover.
// Owns all of them for the whole run. The icon is made once a tray exists;
// while none does, the panel is shown as an ordinary window.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    // loginItems: the service whose status is read again each time a window
    // of the app, or the app, becomes active (it may have been changed in
    // the desktop's settings meanwhile); the one QML shows by default.
    explicit AppDelegate(LaunchAtLoginService &loginItems = LaunchAtLoginService::shared(),
                         QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();

    // None until a tray exists.
    QSystemTrayIcon *statusItem() const { return m_statusItem.get(); }
    // The tray icon's own menu: Show Ordlen, Quit Ordlen.
    QMenu *statusMenu() const { return m_statusMenu.get(); }
    PopoverWindow *popover() const { return m_popover.get(); }
    // Whether the tasks are kept; the root view shows it (storeStatus).
    StoreStatus *storeStatus() const { return m_storeStatus.get(); }

public slots:
    // The tray icon's click: closes the popover when shown, opens it when not.
    void togglePopover();
    // Brings the panel up without closing it: a second launch asks for this.
    void showPopover();
    // Brings the panel up with its add field open and holding the keyboard.
    void capture();

public:
    // Carries out a request of another launch (show, toggle, capture, add).
    CommandReply perform(const CommandRequest &request);

private:
    ModelContainer &modelContainer();
    void buildRootView();
    // Builds the panel inside the root view, once.
    void loadPanel();
    void makeStatusItem();
    void followTrayHosts();
    void refreshLoginItemsOnActivation();

    LaunchAtLoginService &m_loginItems;
    // Declared in teardown order reversed: the view goes before the store it
    // shows, the store before the container its records belong to.
    std::unique_ptr<ModelContainer> m_modelContainer;
    std::unique_ptr<StoreStatus> m_storeStatus;
    std::unique_ptr<Preferences> m_preferences;
    std::unique_ptr<TaskStore> m_store;
    std::unique_ptr<PanelPreferences> m_panelPreferences;
    std::unique_ptr<TaskListModel> m_taskList;
    std::unique_ptr<PopoverWindow> m_popover;
    std::unique_ptr<QMenu> m_statusMenu;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    std::unique_ptr<TrayHostWatcher> m_trayHosts;
    // Nothing until the first look for a tray.
    std::optional<bool> m_hasTray;
};
