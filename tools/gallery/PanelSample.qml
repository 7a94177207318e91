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
        store.selectedWorkspace = sample.workspace
        store.searchText = sample.search
        store.activeFilter = sample.filter
        if (field === "add")
            panel.openAddField()
        else if (field === "search")
            panel.openSearchField()
    }

    MenuBarView {
        id: view
        taskStore: sample.fixture.store
        taskList: sample.fixture.taskList
        storeStatus: sample.storeStatus
        isPanelLoaded: true
    }
}
