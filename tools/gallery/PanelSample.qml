import QtQuick
import Ordlen
import OrdlenGallery

// The whole panel, as the popover shows it, on a store of its own filled
// with the given tasks: [workspace, title, done, [subtask title, done]...].
Item {
    id: sample

    property var tasks: []
    property string workspace
    property string search
    property int filter: TaskFilter.Pending
    // "add" or "search": the bottom bar's field to open.
    property string field
    // Workspaces saved without tasks.
    property var savedWorkspaces: []
    property bool pinned: false
    // Null: a store that saves; the gallery passes an unsaved one.
    property StoreStatus storeStatus

    readonly property TaskStoreFixture fixture: TaskStoreFixture {}
    readonly property TaskListView panel: view.panel

    width: 408
    height: 476

    // The panel part of the given name.
    function part(name: string): Item {
        const look = item => {
            if (item.objectName === name)
                return item
            for (let i = 0; i < item.children.length; ++i) {
                const found = look(item.children[i])
                if (found)
                    return found
            }
            return null
        }
        return look(view)
    }

    Component.onCompleted: {
        const store = fixture.store
        // Ticked under All, so nothing is held back.
        store.activeFilter = TaskFilter.All
        for (const [workspace, title, done, ...subtasks] of tasks) {
            store.selectedWorkspace = workspace === "Personal" ? "" : workspace
            const task = store.addTask(title)
            for (const [subtaskTitle, subtaskDone] of subtasks) {
                const subtask = store.addSubtask(task, subtaskTitle)
                if (subtaskDone)
                    store.toggleSubtask(subtask)
            }
            if (done)
                store.toggleTask(task)
        }
        for (const name of savedWorkspaces)
            store.createWorkspace(name)
        fixture.panelPreferences.isPinned = pinned
        store.selectedWorkspace = sample.workspace
        store.searchText = sample.search
        store.activeFilter = sample.filter
        if (field === "add")
            panel.openAddField()
        else if (field === "search")
            panel.openSearchField()
    }

    // Opens the workspace menu, and in it the submenu of the given workspace.
    function openWorkspaceMenu(submenu: string) {
        const button = part("workspaceMenu") as WorkspaceMenu
        button.open()
        const menu = button.menu
        for (let i = 0; i < menu.count; ++i) {
            const item = menu.itemAt(i) as PanelMenuItem
            if (item && item.subMenu && item.subMenu.title === submenu) {
                menu.currentIndex = i
                item.triggered()
            }
        }
    }

    function openSettingsMenu() {
        (part("settingsMenu") as SettingsMenu).open()
    }

    MenuBarView {
        id: view
        taskStore: sample.fixture.store
        taskList: sample.fixture.taskList
        storeStatus: sample.storeStatus
        panelPreferences: sample.fixture.panelPreferences
        loginItems: sample.fixture.loginItems
        isPanelLoaded: true
    }
}
