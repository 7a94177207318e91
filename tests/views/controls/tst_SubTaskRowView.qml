import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

TestCase {
    id: testCase
    name: "SubTaskRowView"
    when: windowShown
    visible: true
    width: 420
    height: 200

    TaskStoreFixture {
        id: fixture
    }
    Component {
        id: subtaskRowComponent
        SubTaskRowView { width: 408 }
    }
    Component {
        id: taskRowComponent
        TaskRowView { width: 408 }
    }

    SignalSpy { id: toggleSpy; signalName: "toggle" }
    SignalSpy { id: deleteSpy; signalName: "deleteRequested" }
    SignalSpy { id: updateSpy; signalName: "updateRequested" }

    function makeRow(title) {
        const task = fixture.store.addTask("Parent")
        const subtask = fixture.store.addSubtask(task, title || "Tickets")
        const row = createTemporaryObject(subtaskRowComponent, testCase, { subtask: subtask })
        for (const spy of [toggleSpy, deleteSpy, updateSpy]) {
            spy.clear()
            spy.target = row
        }
        return row
    }

    function titleField(row) { return findChild(row, "titleField") }

    function test_layout() {
        const row = makeRow()
        compare(row.height, 28)
        compare(row.checkbox.size, CheckboxSize.Subtask)
        compare(findChild(row, "rowHighlight").radius, 8)
        // 36 points further right than a task row's checkbox.
        const taskRow = createTemporaryObject(taskRowComponent, testCase, { task: fixture.store.addTask("T"), store: fixture.store })
        const offset = row.checkbox.mapToItem(testCase, 0, 0).x - taskRow.checkbox.mapToItem(testCase, 0, 0).x
        // Both checkboxes are drawn centred in their hit circles.
        const centreOffset = offset + (row.checkbox.width - taskRow.checkbox.width) / 2
        fuzzyCompare(offset, 36, 0.01)
        verify(centreOffset < 36)
    }

    function test_checkboxCallsToggleOnce() {
        const row = makeRow()
        mouseClick(row.checkbox)
        compare(toggleSpy.count, 0)
        tryCompare(toggleSpy, "count", 1)
        wait(150)
        compare(toggleSpy.count, 1)
        verify(!row.subtask.isCompleted) // the row itself changes nothing
    }

    function test_completedSubtaskIsStruckWithFilledBox() {
        const row = makeRow()
        fixture.store.toggleSubtask(row.subtask)
        verify(findChild(row, "titleText").font.strikeout)
        verify(row.checkbox.visualCompleted)
    }

    function test_deleteButtonOnlyWhileHoveredAndNotEditing() {
        const row = makeRow()
        const button = findChild(row, "deleteButton")
        compare(button.opacity, 0)
        mouseMove(row, row.width / 2, row.height / 2)
        tryCompare(button, "opacity", 1)
        mouseClick(button)
        compare(deleteSpy.count, 1)
        compare(toggleSpy.count, 0)
        compare(updateSpy.count, 0)
        verify(!row.isEditing)
        row.startEdit()
        tryCompare(button, "opacity", 0)
        mouseClick(button)
        compare(deleteSpy.count, 1)
    }

    function test_editingHandsTrimmedTitleToUpdate() {
        const row = makeRow("Tickets")
        mouseDoubleClickSequence(findChild(row, "titleText"))
        verify(row.isEditing)
        compare(titleField(row).placeholder, "Subtask\u2026")
        titleField(row).selectAll()
        for (const ch of "  Train tickets  ")
            keyClick(ch)
        keyClick(Qt.Key_Return)
        verify(!row.isEditing)
        compare(updateSpy.count, 1)
        compare(updateSpy.signalArguments[0][0], "Train tickets")
        compare(row.subtask.title, "Tickets") // only the owner changes the record
    }

    function test_blankEditOrEscapeCallsNothing_data() {
        return [ { tag: "blank Return", key: Qt.Key_Return }, { tag: "Escape", key: Qt.Key_Escape } ]
    }
    function test_blankEditOrEscapeCallsNothing(data) {
        const row = makeRow("Tickets")
        row.startEdit()
        titleField(row).selectAll()
        keyClick(Qt.Key_Space)
        keyClick(data.key)
        verify(!row.isEditing)
        compare(updateSpy.count, 0)
        compare(row.subtask.title, "Tickets")
    }
}
