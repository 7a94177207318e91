import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

// Task rows, and the subtask rows they hold, acting on a real store.
ViewTestCase {
    name: "TaskRowView"

    Component { id: fixtureComponent; TaskStoreFixture {} }
    Component { id: rowComponent; TaskRowView { width: 408 } }
    SignalSpy { id: commitSpy; signalName: "committed" }
    property TaskStoreFixture fixture

    function makeRow(title, subtaskTitles) {
        fixture = createTemporaryObject(fixtureComponent, owner)
        const task = fixture.store.addTask(title)
        subtaskTitles.forEach(subtaskTitle => fixture.store.addSubtask(task, subtaskTitle))
        return createTemporaryObject(rowComponent, owner, { task: task, store: fixture.store })
    }

    function expand(row) {
        mouseClick(row.badge)
        tryCompare(row, "height", 32 + 28 * row.subtaskRows.count)
    }

    function openMenu(row) {
        mouseClick(row, 60, 16, Qt.RightButton)
        tryCompare(row.contextMenu, "opened", true)
    }

    function shownSubtaskTitles(row) {
        return [...Array(row.subtaskRows.count).keys()].map(i => row.subtaskRows.itemAt(i).subtask.title)
    }

    // One subtask row: both kinds edit through the same title.
    function test_editing_data() {
        return [
            { tag: "Return trims", target: "task", typed: " Train ", key: Qt.Key_Return, saved: "Train" },
            { tag: "keypad Enter", target: "task", typed: "Visa", key: Qt.Key_Enter, saved: "Visa" },
            { tag: "blank Return", target: "task", typed: "  ", key: Qt.Key_Return, saved: "Tickets" },
            { tag: "Escape", target: "task", typed: "Visa", key: Qt.Key_Escape, saved: "Tickets" },
            { tag: "subtask", target: "subtask", typed: " Train ", key: Qt.Key_Return, saved: "Train" }
        ]
    }
    function test_editing(data) {
        const row = makeRow("Tickets", ["Tickets"])
        expand(row)
        const edited = data.target === "task" ? row : row.subtaskRows.itemAt(0)
        const field = findChild(edited, "titleField")
        commitSpy.target = edited.title
        edited.startEdit()
        type("X")
        keyClick(Qt.Key_Escape)
        mouseDoubleClickSequence(findChild(edited, "titleText"))
        compare([edited.isEditing, field.text], [true, "Tickets"], "starts again from the stored title")
        field.selectAll()
        type(data.typed)
        // Neither a double-click on the row nor a focus loss ends or restarts it.
        mouseDoubleClickSequence(edited, 4, 12)
        owner.forceActiveFocus()
        field.forceActiveFocus()
        keyClick(data.key)
        const record = data.target === "task" ? row.task : row.task.subtasks[0]
        compare([edited.isEditing, record.title, escapesSeen], [false, data.saved, 0])
        compare(commitSpy.signalArguments.map(args => args[0]), [data.saved].filter(title => title !== "Tickets"))
    }

    function test_badgeAndSection_data() {
        return [
            { tag: "no subtasks", subtasks: [], done: [], text: "0/0" },
            { tag: "some done", subtasks: ["A", "B"], done: [1], text: "1/2", badge: true },
            { tag: "all done", subtasks: ["A"], done: [0], text: "1/1", badge: true }
        ]
    }
    function test_badgeAndSection(data) {
        const row = makeRow("Trip", data.subtasks)
        compare(row.badge.visible, data.badge === true)
        if (data.badge)
            expand(row)
        compare(shownSubtaskTitles(row), data.subtasks)
        data.done.forEach(index => mouseClick(row.subtaskRows.itemAt(index).checkbox))
        tryCompare(findChild(row.badge, "badgeText"), "text", data.text)
        data.done.forEach(index => verify(findChild(row.subtaskRows.itemAt(index), "titleText").font.strikeout))
        mouseClick(row.badge)
        compare([row.isExpanded, row.subtaskRows.count, row.height], [false, 0, 32])
    }

    function test_subtaskField_data() {
        return [
            { tag: "Return adds", act: () => { type(" Tickets "); keyClick(Qt.Key_Return) }, added: ["Tickets"] },
            { tag: "add button again", act: row => mouseClick(row.addSubtaskButton), added: [] }
        ]
    }
    function test_subtaskField(data) {
        const row = makeRow("Trip", [])
        hover(row)
        mouseClick(row.addSubtaskButton)
        compare([row.isExpanded, row.showSubtaskInput], [true, true])
        tryVerify(() => findChild(row, "addTaskInput") && findChild(row, "addTaskInput").activeFocus)
        data.act(row)
        compare([row.isExpanded, row.showSubtaskInput, findChild(row, "addTaskInput")], [true, false, null])
        compare([shownSubtaskTitles(row), escapesSeen], [data.added, 0])
    }

    // The hover actions show, and act, only while hovered and not editing.
    function test_hoverActions_data() {
        return [{ tag: "task row", subtask: false }, { tag: "subtask row", subtask: true }]
    }
    function test_hoverActions(data) {
        const row = makeRow("Trip", ["Tickets", "Hotel"])
        expand(row)
        const target = data.subtask ? row.subtaskRows.itemAt(0) : row
        const actions = findChild(target, data.subtask ? "deleteButton" : "hoverActions")
        const deleteButton = findChild(target, data.subtask ? "deleteButton" : "deleteTaskButton")
        const highlight = findChild(target, "rowHighlight")
        compare([actions.opacity, highlight.visible], [0, false])
        hover(target)
        target.startEdit()
        mouseClick(deleteButton)
        compare([actions.opacity, highlight.visible, fixture.taskCount()], [0, true, 1])
        keyClick(Qt.Key_Escape)
        compare(actions.opacity, 1)
        mouseClick(deleteButton)
        compare(fixture.taskCount(), data.subtask ? 1 : 0)
        if (data.subtask)
            compare(shownSubtaskTitles(row), ["Hotel"])
    }

    function test_checkboxMenuAndDeletion() {
        const row = makeRow("Buy milk", [])
        mouseClick(row.checkbox)
        tryVerify(() => row.task.isCompleted, 1000, "the checkbox toggles through the store")
        verify(findChild(row, "titleText").font.strikeout)
        openMenu(row)
        const menu = row.contextMenu
        compare([0, 1, 3].map(i => menu.itemAt(i).text), ["Mark Incomplete", "Add Subtask", "Delete Task"])
        mouseClick(menu.itemAt(0))
        openMenu(row)
        compare([row.task.isCompleted, menu.itemAt(0).text], [false, "Mark Complete"])
        mouseClick(menu.itemAt(1))
        compare([row.isExpanded, row.showSubtaskInput], [true, true])
        // A deletion while the checkbox's toggle is still to come stays one. At
        // the real delay the deleted record is gone when the toggle comes.
        OrdlenDesign.animation.durationScale = 1
        mouseClick(row.checkbox)
        menu.itemAt(3).triggered()
        tryCompare(row, "task", null)
        passToggleDelay()
        compare(fixture.taskCount(), 0)
    }
}
