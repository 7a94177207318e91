import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

// The task panel on a real store: what it lists, its bottom bar and the taps
// that no control takes.
ViewTestCase {
    name: "TaskListView"
    width: 408
    height: 476

    // The store is the panel's own, so it outlives the panel's bindings.
    component PanelOnStore: TaskListView {
        readonly property TaskStoreFixture fixture: TaskStoreFixture {}
        width: 408
        height: 476
        taskStore: fixture.store
        taskList: fixture.taskList
        panelPreferences: fixture.panelPreferences
        loginItems: fixture.loginItems
    }
    Component { id: panelComponent; PanelOnStore {} }
    property PanelOnStore panel
    property TaskStore store

    // tasks: [workspace, title, done] each; then all workspaces, pending
    // tasks. Ticked under All, so nothing is held back.
    function makePanel(tasks, savedWorkspaces) {
        panel = createTemporaryObject(panelComponent, owner)
        store = panel.taskStore
        for (const name of savedWorkspaces || [])
            store.createWorkspace(name)
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
            { tag: "a search", tasks: tasks, search: "ma", filter: TaskFilter.All, shown: ["WORK", "Mail"] }
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

    // The menus and dialogs of the header.

    // Opens a header menu by a click; with a path, triggers the item of that
    // title, in a submenu when the path has two titles.
    function openMenu(name) {
        const button = part(name)
        mouseClick(button)
        tryVerify(() => button.menu && button.menu.opened)
        return button.menu
    }
    // A menu's items that take part, and the title of one (a submenu's own).
    function itemsOf(menu) { return [...Array(menu.count).keys()].map(i => menu.itemAt(i)).filter(item => item.enabled) }
    function titleOf(item) { return item.subMenu ? item.subMenu.title : item.text }
    function menuItem(menu, title) { return itemsOf(menu).find(item => titleOf(item) === title) }
    function choose(name, path) {
        let item = menuItem(openMenu(name), path[0])
        if (path.length > 1) {
            mouseClick(item)
            tryVerify(() => item.subMenu.opened)
            item = menuItem(item.subMenu, path[1])
        }
        mouseClick(item)
    }
    // What a menu lists: "-" for a divider, "✓" after a marked title.
    function listed(menu) {
        return itemsOf(menu).map(item => item.text === undefined ? "-" : titleOf(item) + (item.isMarked ? " ✓" : ""))
    }

    function test_workspaceMenu_data() {
        return [
            { tag: "all shown", selected: "", label: "All",
              items: ["All Workspaces ✓", "-", "Personal", "Home", "Work", "-", "New Workspace..."] },
            { tag: "one selected", selected: "Work", label: "Work",
              items: ["All Workspaces", "-", "Personal", "Home", "Work ✓", "-", "New Workspace..."] },
            // Only on a task, not saved: still a submenu with every item.
            { tag: "long name", selected: "Quarterlyx", label: "Quarterlyx",
              items: ["All Workspaces", "-", "Personal", "Home", "Quarterlyx ✓", "Work", "-", "New Workspace..."], submenu: "Quarterlyx" }
        ]
    }
    function test_workspaceMenu(data) {
        makePanel(data.submenu ? [["Work", "Report"], [data.submenu, "Plan"]] : [["Work", "Report"]], ["Home"])
        store.selectedWorkspace = data.selected
        const button = part("workspaceMenu")
        compare(findChild(button, "workspaceName").text, data.label)
        const menu = openMenu("workspaceMenu")
        compare(listed(menu), data.items)
        compare(listed(menuItem(menu, "Personal").subMenu), ["Select"])
        compare(listed(menuItem(menu, data.submenu || "Work").subMenu), ["Select", "-", "Move Up", "Move Down", "-", "Rename...", "Delete"])
    }

    // Every item does its one thing (the dialogs' tests open them from here);
    // moving at either end changes nothing.
    function test_workspaceMenuItems_data() {
        return [
            { tag: "all workspaces", path: ["All Workspaces"], selected: "" },
            { tag: "select", path: ["Home", "Select"], selected: "Home" },
            { tag: "move up", path: ["Garden", "Move Up"], order: ["Personal", "Garden", "Home", "Work"] },
            { tag: "move down", path: ["Home", "Move Down"], order: ["Personal", "Garden", "Home", "Work"] }
        ]
    }
    function test_workspaceMenuItems(data) {
        makePanel([["Work", "Report"]], ["Home", "Garden"])
        store.selectedWorkspace = "Work"
        choose("workspaceMenu", data.path)
        tryVerify(() => !part("workspaceMenu").isMenuOpen)
        compare(store.selectedWorkspace, data.selected === undefined ? "Work" : data.selected)
        compare(panel.taskList.availableWorkspaces, data.order || ["Personal", "Home", "Garden", "Work"])
    }

    // Ten names at most can be reached: with ten, no new one is offered, and
    // the last one's submenu still fits inside the panel.
    function test_tenWorkspacesFit_data() {
        return [{ tag: "nine", saved: 8, offered: true }, { tag: "ten", saved: 9, offered: false }]
    }
    function test_tenWorkspacesFit(data) {
        makePanel([], [...Array(data.saved).keys()].map(i => "Space " + i))
        const menu = openMenu("workspaceMenu")
        compare(menuItem(menu, "New Workspace...") !== undefined, data.offered)
        const last = menuItem(menu, "Space " + (data.saved - 1))
        mouseClick(last)
        tryVerify(() => last.subMenu.opened)
        for (const shown of [menu, last.subMenu]) {
            const box = shown.contentItem.parent.mapToItem(panel, 0, 0)
            verify(box.x >= 0 && box.y >= 0 && box.x + shown.width <= panel.width && box.y + shown.height <= panel.height,
                   JSON.stringify([box.x, box.y, shown.width, shown.height]))
        }
    }

    function nameField() { return findChild(part("workspaceNameDialog"), "workspaceNameInput") }

    // The naming dialog: Return (in the field or on the button) submits once,
    // Escape and a tap beside the card cancel. The store trims and refuses.
    function test_namingDialog_data() {
        return [
            { tag: "create", open: ["New Workspace..."], typed: "Garden ", submit: "return",
              selected: "Garden", saved: ["Home", "Garden"] },
            { tag: "rename", open: ["Home", "Rename..."], typed: "Shed", submit: "return",
              saved: ["HomeShed"], moved: "HomeShed" },
            { tag: "rename unchanged", open: ["Home", "Rename..."], typed: "", submit: "button" },
            { tag: "escape", open: ["New Workspace..."], typed: "Garden", submit: "escape" },
            { tag: "tap beside the card", open: ["Home", "Rename..."], typed: "Shed", submit: "tap" }
        ]
    }
    function test_namingDialog(data) {
        makePanel([["Home", "Paint"]], ["Home"])
        const paint = rowOf("Paint").task
        const spy = createTemporaryObject(spyComponent, owner, { target: store, signalName: "workspacesChanged" })
        panel.workspaceNameInput = "left over"
        choose("workspaceMenu", data.open)
        tryVerify(() => nameField() && nameField().visible)
        compare(nameField().activeFocus, false, "the field waits for a click")
        mouseClick(nameField())
        type(data.typed)
        const card = findChild(part("workspaceNameDialog"), "dialogCard")
        if (data.submit === "tap")
            mouseClick(card, 10, 10) // on the card: stays open
        verify(panel.isShowingDialog)
        if (data.submit === "return")
            keyClick(Qt.Key_Return)
        else if (data.submit === "button")
            mouseClick(findChild(card, "submitButton"))
        else if (data.submit === "escape")
            keyClick(Qt.Key_Escape)
        else
            mouseClick(panel, 10, panel.height - 10)
        panel.submitAlert() // a second submit finds the dialog closed
        compare(store.selectedWorkspace, data.selected || "")
        compare(spy.count, data.saved ? 1 : 0, "the list is written once, or never")
        compare(panel.taskList.availableWorkspaces, ["Personal"].concat(data.saved || ["Home"]))
        compare(paint.workspace, data.moved || "Home")
        tryCompare(part("workspaceNameDialog"), "visible", false)
        verify(part("focusSink").activeFocus)
    }

    // The field never holds more than ten characters, whatever writes it; the
    // caret stays where the typing was.
    function test_nameCap_data() {
        return [
            { tag: "eleventh typed", start: "abcdefghij", caret: 10, typed: "k", text: "abcdefghij", caretAfter: 10 },
            { tag: "typed in the middle", start: "abcdefghij", caret: 3, typed: "X", text: "abcXdefghi", caretAfter: 4 },
            { tag: "pasted", written: "Quarterly planning review", text: "Quarterly " }
        ]
    }
    function test_nameCap(data) {
        makePanel([["Home", "Paint"]])
        panel.openNewWorkspaceAlert()
        panel.workspaceNameInput = data.start || data.written
        tryVerify(() => nameField() && nameField().visible)
        if (data.typed) {
            mouseClick(nameField())
            nameField().cursorPosition = data.caret
            type(data.typed)
            compare(nameField().cursorPosition, data.caretAfter)
        }
        compare([panel.workspaceNameInput, nameField().text], [data.text, data.text])
    }

    // The count covers every task of the workspace, whatever the filter and
    // the search, and none of another; Cancel changes nothing.
    function test_deleteConfirmation_data() {
        return [
            { tag: "with tasks", name: "Work", message: "\"Work\" and its 3 task(s) will be permanently deleted.", press: "deleteButton", left: 2, deleted: true },
            { tag: "empty", name: "Garden", message: "\"Garden\" will be deleted.", press: "deleteButton", left: 5, deleted: true },
            { tag: "cancel", name: "Work", message: "\"Work\" and its 3 task(s) will be permanently deleted.", press: "cancelButton", left: 5 },
            { tag: "escape", name: "Work", message: "\"Work\" and its 3 task(s) will be permanently deleted.", press: "escape", left: 5 }
        ]
    }
    function test_deleteConfirmation(data) {
        makePanel([["Work", "Report"], ["Work", "Mail", true], ["Work", "Plan"], ["Workshop", "Saw"], ["Personal", "Milk"]], ["Garden"])
        store.searchText = "a"
        choose("workspaceMenu", [data.name, "Delete"])
        const dialog = part("deleteWorkspaceDialog")
        tryVerify(() => findChild(dialog, "dialogMessage"))
        compare(findChild(dialog, "dialogMessage").text, data.message)
        data.press === "escape" ? keyClick(Qt.Key_Escape) : mouseClick(findChild(dialog, data.press))
        compare([panel.showingDeleteWorkspaceAlert, panel.fixture.taskCount()], [false, data.left])
        if (data.left === 2)
            compare(part("undoNotice").text, "Workspace and 3 task(s) deleted")
        compare(panel.taskList.availableWorkspaces.includes(data.name), !data.deleted)
    }

    // The pin is written to the preferences file, or left as the file holds
    // it when that can't be written; the login item and Quit reach their owners.
    function test_settingsMenu_data() {
        return [{ tag: "written", pinned: [true, false] }, { tag: "file broken", broken: true, pinned: [false, false] }]
    }
    function test_settingsMenu(data) {
        makePanel([])
        if (data.broken)
            panel.fixture.breakPreferences()
        for (const expected of data.pinned) {
            choose("settingsMenu", ["Keep Window Open"])
            compare([panel.isPinned, menuItem(part("settingsMenu").menu, "Keep Window Open").isMarked], [expected, expected])
        }
        choose("settingsMenu", ["Launch at Login"])
        compare(panel.loginItems.isEnabled, true)
        choose("settingsMenu", ["Disable Launch at Login"])
        compare(panel.loginItems.isEnabled, false)
        const quit = createTemporaryObject(spyComponent, owner, { target: panel, signalName: "quitRequested" })
        choose("settingsMenu", ["Quit Ordlen"])
        compare(quit.count, 1)
    }

    Component { id: spyComponent; SignalSpy {} }

    // The panel from the keyboard: the arrows, Home and End ring a line, a
    // task or one of its open subtasks (Right and Left open and close them);
    // the keys act on the ringed line and tell a screen reader what they did.
    function test_keyboard() {
        makePanel([["Personal", "Milk"], ["Personal", "Bread"], ["Personal", "Eggs"]])
        store.activeFilter = TaskFilter.All
        const milk = rowOf("Milk").task
        store.addSubtask(milk, "Skimmed")
        store.addSubtask(milk, "Oat")
        part("focusSink").forceActiveFocus()
        const dismissed = createTemporaryObject(spyComponent, owner, { target: panel, signalName: "dismissRequested" })
        const ringed = () => panel.focusedSubtaskRow ? panel.focusedSubtaskRow.subtask.title
                                                     : panel.focusedTask ? panel.focusedTask.title : ""
        const walk = keys => keys.map(key => { keyClick(key); return ringed() })
        compare(walk([Qt.Key_Down, Qt.Key_End, Qt.Key_Home, Qt.Key_Down]), ["Milk", "Eggs", "Milk", "Bread"])
        verify(findChild(rowOf("Bread"), "focusRing").visible)
        keyClick(Qt.Key_Space)
        verify(rowOf("Bread").task.isCompleted)
        keyClick(Qt.Key_End)
        OrdlenDesign.animation.durationScale = 1 // the undo notice stays for a while
        keyClick(Qt.Key_Delete)
        compare([panel.fixture.taskCount(), part("undoNotice").text], [2, "Task deleted"])
        tryCompare(part("undoNotice"), "opacity", 1)
        mouseClick(findChild(part("undoNotice"), "undoButton"))
        compare([part("undoNotice").shown, panel.fixture.taskCount()], [false, 3])
        OrdlenDesign.animation.durationScale = 0
        part("focusSink").forceActiveFocus()
        keyClick(Qt.Key_End)
        keyClick(Qt.Key_Delete)
        keyClick(Qt.Key_Home)
        keyClick(Qt.Key_F2)
        compare(rowOf("Milk").row.title.field.selectedText, "Milk")
        keyClick(Qt.Key_Escape) // ends the edit
        part("focusSink").forceActiveFocus()
        compare(walk([Qt.Key_Right, Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Up]), ["Milk", "Skimmed", "Oat", "Bread", "Oat"])
        verify(!findChild(rowOf("Milk"), "focusRing").visible, "the task's ring moved to its subtask")
        keyClick(Qt.Key_Space)
        compare([milk.completedSubtaskCount, part("announcer").message], [1, "Oat, done"])
        // Ctrl+Z takes it back, Ctrl+Shift+Z or Ctrl+Y does it again.
        const undone = keys => keys.map(([key, shift]) => { keyClick(key, Qt.ControlModifier | shift); return milk.completedSubtaskCount })
        compare(undone([[Qt.Key_Z, 0], [Qt.Key_Z, Qt.ShiftModifier], [Qt.Key_Z, 0], [Qt.Key_Y, 0]]), [0, 1, 0, 1])
        compare(part("announcer").message, "Redone: Tick Subtask")
        keyClick(Qt.Key_Delete)
        compare([milk.subtaskCount, ringed()], [1, "Skimmed"])
        keyClick(Qt.Key_Return)
        verify(rowOf("Milk").row.subtaskRowAt(0).isEditing)
        keyClick(Qt.Key_Escape)
        part("focusSink").forceActiveFocus()
        compare(walk([Qt.Key_Left]), ["Milk"])
        // The task's menu; its second item opens the subtask field, ready for typing.
        keyClick(Qt.Key_F10, Qt.ShiftModifier)
        tryCompare(rowOf("Milk").row.contextMenu, "opened", true)
        for (const key of [Qt.Key_Down, Qt.Key_Down, Qt.Key_Return, Qt.Key_S, Qt.Key_Return])
            keyClick(key)
        compare(milk.subtasks.map(subtask => subtask.title), ["Skimmed", "s"])
        part("focusSink").forceActiveFocus()
        keyClick(Qt.Key_Escape)
        keyClick(Qt.Key_3, Qt.ControlModifier)
        keyClick(Qt.Key_F, Qt.ControlModifier)
        compare([dismissed.count, store.activeFilter, panel.showingSearchInput], [1, TaskFilter.Done, true])
        // In a text field they are the field's own.
        tryVerify(() => part("searchTaskField") && part("searchTaskField").isFocused)
        type("x")
        keyClick(Qt.Key_Z, Qt.ControlModifier)
        compare([store.searchText, milk.subtaskCount], ["", 2])
    }

    // Tab goes header, list, bottom bar, round again; the buttons name the
    // keys that do the same.
    function test_tabOrder() {
        makePanel([["Personal", "Milk"]])
        part("focusSink").forceActiveFocus()
        const stops = []
        for (let i = 0; i < 6; ++i) {
            keyClick(Qt.Key_Tab)
            stops.push(panel.Window.activeFocusItem.objectName)
        }
        compare(stops, ["newTaskButton", "searchButton", "workspaceMenu", "filterBar", "settingsMenu", "focusSink"])
        compare([part("newTaskButton").toolTip, part("searchButton").toolTip, part("filterBar").shortcutTexts],
                ["New Task (Ctrl+N)", "Search (Ctrl+F)", ["Ctrl+1", "Ctrl+2", "Ctrl+3"]])
    }
}
