import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

// The task panel on a real store: what it lists, its bottom bar and the taps
// that no control takes.
ViewTestCase {
    name: "TaskListView"
    height: 476

    // The store is the panel's own, so it outlives the panel's bindings.
    component PanelOnStore: TaskListView {
        readonly property TaskStoreFixture fixture: TaskStoreFixture {}
        width: 408
        height: 476
        taskStore: fixture.store
        taskList: fixture.taskList
    }
    Component { id: panelComponent; PanelOnStore {} }
    property PanelOnStore panel
    property TaskStore store

    // tasks: [workspace, title, done] each; then all workspaces, pending
    // tasks. Ticked under All, so nothing is held back.
    function makePanel(tasks) {
        panel = createTemporaryObject(panelComponent, owner)
        store = panel.taskStore
        store.activeFilter = TaskFilter.All
        for (const task of tasks) {
            store.selectedWorkspace = task[0] === "Personal" ? "" : task[0]
            const added = store.addTask(task[1])
            if (task[2])
                store.toggleTask(added)
        }
        store.selectedWorkspace = ""
        store.activeFilter = TaskFilter.Pending
    }

    function part(name) { return findChild(panel, name) }

    // The list's rows (their slots) and headings, from the top.
    function listItems() {
        const view = part("taskListView")
        view.forceLayout()
        return Array.from(view.contentItem.children).filter(item => item.task || item.title !== undefined).sort((a, b) => a.y - b.y)
    }

    // What the list shows: headings in capitals, then titles.
    function shown() {
        return listItems().filter(item => item.visible && item.height > 0 && !item.isPooled)
            .map(item => item.task ? item.task.title : item.title)
    }

    function rowOf(title) { return listItems().find(item => !item.isPooled && item.task && item.task.title === title) }

    function test_listing_data() {
        // Menu order: Personal, Work, Home; sections go by name.
        const tasks = [["Work", "Report"], ["Personal", "Milk"], ["Home", "Paint"], ["Work", "Mail", true],
                       ["Errands", "Post", true]]
        return [
            { tag: "no tasks", tasks: [], shown: [], counts: [0, 0] },
            { tag: "sections by name", tasks: tasks, shown: ["HOME", "Paint", "PERSONAL", "Milk", "WORK", "Report"] },
            { tag: "a workspace: flat", tasks: tasks, workspace: "Work", filter: TaskFilter.All, shown: ["Report", "Mail"] },
            { tag: "a search", tasks: tasks, search: "ma", filter: TaskFilter.All, shown: ["WORK", "Mail"] },
            { tag: "nothing found", tasks: tasks, search: "zebra", shown: [] }
        ]
    }
    function test_listing(data) {
        makePanel(data.tasks)
        store.selectedWorkspace = data.workspace || ""
        store.searchText = data.search || ""
        store.activeFilter = data.filter === undefined ? TaskFilter.Pending : data.filter
        compare(shown(), data.shown)
        compare([part("emptyState").visible, part("taskListView").visible], [data.shown.length === 0, data.shown.length > 0])
        compare([part("filterBar").pendingCount, part("filterBar").doneCount], data.counts || [3, 2], "the counts are those of every task")
    }

    // The shortcut opens the add field only from the button row.
    function test_newTaskShortcut_data() {
        return [
            { tag: "button row", open: () => {}, adds: true },
            { tag: "add field open", open: () => panel.openAddField(), adds: true },
            { tag: "search open", open: () => panel.openSearchField(), adds: false }
        ]
    }
    function test_newTaskShortcut(data) {
        makePanel([])
        data.open()
        const fieldBefore = part("addTaskField")
        keyClick(Qt.Key_N, Qt.ControlModifier)
        compare([panel.showingAddInput, panel.showingSearchInput, part("newTaskButton").visible],
                [data.adds, !data.adds, false])
        if (fieldBefore)
            compare(part("addTaskField"), fieldBefore, "an open field is left as it is")
        compare(findChild(part("newTaskButton"), "shortcutHint").text, "Ctrl+N")
    }

    function test_submit_data() {
        return [{ tag: "a title", title: "Milk", added: 1 }, { tag: "nothing added", title: "  ", added: 0 }]
    }
    function test_submit(data) {
        makePanel([])
        mouseClick(part("newTaskButton"))
        tryVerify(() => part("addTaskField") && part("addTaskField").isFocused)
        part("addTaskField").submit(data.title)
        compare([panel.fixture.taskCount(), panel.showingAddInput], [data.added, data.added === 0])
        tryCompare(part("newTaskButton"), "visible", data.added === 1)
        compare(part("focusSink").activeFocus, data.added === 1, "a closed field hands the keyboard back")
    }

    // A tap where no control is closes the field, keeps the query and takes
    // the keyboard from an editor.
    function test_tapToDismiss_data() {
        return [
            { tag: "below the rows", tap: () => mouseClick(part("taskListView"), 200, part("taskListView").height - 5) },
            { tag: "between two rows", tap: () => mouseClick(rowOf("Mail").parent, 200, rowOf("Mail").y - 2) },
            { tag: "above the bottom bar's content", tap: () => mouseClick(part("bottomBar"), 200, 3) }
        ]
    }
    function test_tapToDismiss(data) {
        makePanel([["Personal", "Milk"], ["Personal", "Mail"]])
        mouseClick(part("searchButton"))
        tryVerify(() => part("searchTaskField") && part("searchTaskField").isFocused)
        type("m")
        data.tap()
        tryCompare(panel, "showingSearchInput", false)
        compare([store.searchText, shown()], ["m", ["PERSONAL", "Milk", "Mail"]])
        mouseClick(part("searchButton"))
        tryCompare(part("searchTaskField"), "text", "m")

        const title = rowOf("Milk").children[0].title
        title.startEdit()
        verify(title.field.activeFocus)
        data.tap()
        compare([title.field.activeFocus, panel.showingSearchInput], [false, false])
    }

    // A task ticked under Pending stays out of sight for a moment, even
    // where another filter lists it, and leaves no gap.
    function test_heldBackAfterTicking() {
        makePanel([["Personal", "Milk"], ["Personal", "Bread"]])
        panel.fixture.setHoldBackInterval(500)
        mouseClick(rowOf("Milk").children[0].checkbox)
        tryVerify(() => !shown().includes("Milk"))
        mouseClick(findChild(part("filterBar"), "pillAll"))
        compare([store.activeFilter, part("filterBar").selection, shown()], [TaskFilter.All, TaskFilter.All, ["PERSONAL", "Bread"]])
        const firstRowY = rowOf("Bread").y
        tryCompare(rowOf("Milk"), "visible", true, 2000)
        compare([shown(), rowOf("Milk").y], [["PERSONAL", "Milk", "Bread"], firstRowY])
    }

    // A row that scrolls out is kept for one that scrolls in: a tick still
    // to come goes to its own task, and the row comes back closed and still.
    function test_rowsKeptForOtherTasks() {
        makePanel([...Array(40).keys()].map(i => ["Personal", "Task " + i]))
        store.activeFilter = TaskFilter.All
        const first = rowOf("Task 0").children[0]
        const subtask = store.addSubtask(first.task, "Step")
        first.isExpanded = true
        tryCompare(first, "height", 32 + 28)
        const task = rowOf("Task 1").children[0].task
        // A toggle delay far longer than the wait below: only the rows'
        // hand-over reports the ticks in time.
        OrdlenDesign.animation.durationScale = 100
        mouseClick(first.subtaskRows.itemAt(0).checkbox)
        mouseClick(rowOf("Task 1").children[0].checkbox)
        const view = part("taskListView")
        view.positionViewAtEnd()
        tryVerify(() => task.isCompleted, 2000, "task")
        tryVerify(() => subtask.isCompleted, 2000, "subtask")
        OrdlenDesign.animation.durationScale = 0
        view.positionViewAtBeginning()
        const back = rowOf("Task 1").children[0]
        compare([back.task.isCompleted, panel.taskList.doneCount, rowOf("Task 0").children[0].isExpanded], [true, 1, false])
        compare([back.isExpanded, back.animates, back.checkbox.visualCompleted], [false, true, true])
    }
}
