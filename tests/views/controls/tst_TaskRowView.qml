import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

TestCase {
    id: testCase
    name: "TaskRowView"
    when: windowShown
    visible: true
    width: 420
    height: 400

    Component {
        id: fixtureComponent
        TaskStoreFixture {}
    }
    Component {
        id: rowComponent
        TaskRowView { width: 408 }
    }
    // Takes the focus away from the row, as a click elsewhere would.
    Item {
        id: elsewhere
        focus: true
    }

    property TaskStoreFixture fixture

    function makeRow(title, subtaskTitles) {
        fixture = createTemporaryObject(fixtureComponent, testCase)
        const task = fixture.store.addTask(title || "Buy milk")
        for (const subtaskTitle of (subtaskTitles || []))
            fixture.store.addSubtask(task, subtaskTitle)
        const row = createTemporaryObject(rowComponent, testCase, { task: task, store: fixture.store })
        verify(row)
        return row
    }

    function hover(row) {
        mouseMove(row, row.width / 2, 16)
        tryVerify(() => row.isHovered)
    }

    // Opens the section and waits until it has slid into place.
    function expand(row) {
        row.isExpanded = true
        tryVerify(() => Math.abs(row.height - (32 + 28 * row.subtaskRows.count)) < 0.1, 2000)
    }

    function titleText(row) { return findChild(row, "titleText") }
    function titleField(row) { return findChild(row, "titleField") }

    function subtaskTitles(row) {
        const titles = []
        for (let i = 0; i < row.subtaskRows.count; ++i)
            titles.push(row.subtaskRows.itemAt(i).subtask.title)
        return titles
    }

    // Editing

    function test_doubleClickEditsAndReturnCommitsTrimmedTitle() {
        const row = makeRow("Buy milk")
        mouseDoubleClickSequence(titleText(row))
        verify(row.isEditing)
        compare(row.editText, "Buy milk")
        verify(titleField(row).activeFocus)
        compare(titleField(row).placeholder, "Task\u2026")
        titleField(row).selectAll()
        for (const ch of "  Buy oat milk ")
            keyClick(ch)
        keyClick(Qt.Key_Return)
        verify(!row.isEditing)
        compare(row.task.title, "Buy oat milk")
    }

    function test_returnOnBlanksKeepsTitleAndEndsEditing() {
        const row = makeRow("Buy milk")
        row.startEdit()
        titleField(row).selectAll()
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Return)
        verify(!row.isEditing)
        compare(row.task.title, "Buy milk")
    }

    function test_escapeCancelsAndNextDoubleClickReloadsStoredTitle() {
        const row = makeRow("Buy milk")
        row.startEdit()
        keyClick("X")
        compare(row.editText, "Buy milkX")
        keyClick(Qt.Key_Escape)
        verify(!row.isEditing)
        compare(row.task.title, "Buy milk")
        compare(row.editText, "Buy milkX") // kept, not saved
        mouseDoubleClickSequence(titleText(row))
        verify(row.isEditing)
        compare(row.editText, "Buy milk")
        compare(titleField(row).text, "Buy milk")
    }

    function test_doubleClickWhileEditingAndFocusLossChangeNothing() {
        const row = makeRow("Buy milk")
        row.startEdit()
        keyClick("!")
        mouseDoubleClickSequence(row, row.width - 60, 16)
        verify(row.isEditing)
        compare(row.editText, "Buy milk!")
        elsewhere.forceActiveFocus()
        verify(row.isEditing)
        compare(row.task.title, "Buy milk")
    }

    function test_completedTitleIsStruckAndDimmed() {
        const row = makeRow("Buy milk")
        verify(!titleText(row).font.strikeout)
        fixture.store.toggleTask(row.task)
        verify(titleText(row).font.strikeout)
        tryVerify(() => Math.abs(titleText(row).color.a - OrdlenDesign.color.textCompleted.a) < 0.02, 1000)
        compare(titleText(row).maximumLineCount, 2)
    }

    // Badge and section

    function test_badgeTextAndColourState() {
        const row = makeRow("Trip")
        verify(!row.badge.visible)
        const first = fixture.store.addSubtask(row.task, "Tickets")
        verify(row.badge.visible)
        compare(row.badgeText, "0/1")
        verify(!row.allSubtasksCompleted)
        verify(Qt.colorEqual(row.badge.tint, OrdlenDesign.color.textSecondary))
        fixture.store.addSubtask(row.task, "Hotel")
        fixture.store.toggleSubtask(first)
        compare(row.badgeText, "1/2")
        fixture.store.toggleSubtask(row.task.subtasks[1])
        compare(row.badgeText, "2/2")
        verify(row.allSubtasksCompleted)
        verify(Qt.colorEqual(row.badge.tint, OrdlenDesign.color.success))
    }

    function test_badgeFlipsTheSection() {
        const row = makeRow("Trip", ["Tickets", "Hotel"])
        verify(!row.isExpanded)
        compare(row.subtaskRows.count, 0)
        mouseClick(row.badge)
        verify(row.isExpanded)
        compare(row.subtaskRows.count, 2)
        tryVerify(() => Math.abs(row.height - 32 - 2 * 28) < 1, 2000)
        mouseClick(row.badge)
        verify(!row.isExpanded)
        tryVerify(() => row.height === 32, 2000)
        compare(row.subtaskRows.count, 0)
    }

    function test_addButtonTwiceKeepsSectionOpenAndHidesField() {
        const row = makeRow("Trip")
        hover(row)
        mouseClick(row.addSubtaskButton)
        verify(row.isExpanded)
        verify(row.showSubtaskInput)
        tryVerify(() => findChild(row, "addTaskInput") !== null)
        mouseClick(row.addSubtaskButton)
        verify(row.isExpanded)
        verify(!row.showSubtaskInput)
    }

    function test_subtaskFieldSubmitsAndHides() {
        const row = makeRow("Trip")
        row.showAddSubtask()
        tryVerify(() => findChild(row, "addTaskInput") !== null)
        const field = findChild(row, "addTaskInput")
        compare(field.parent.parent.placeholder, "New subtask\u2026")
        tryVerify(() => field.activeFocus, 1000)
        for (const ch of " Tickets ")
            keyClick(ch)
        keyClick(Qt.Key_Return)
        verify(!row.showSubtaskInput)
        compare(row.task.subtasks.length, 1)
        compare(row.task.subtasks[0].title, "Tickets")
        verify(row.isExpanded)
        compare(row.subtaskRows.count, 1)
    }

    function test_subtaskFieldCancelHides() {
        const row = makeRow("Trip")
        row.showAddSubtask()
        tryVerify(() => findChild(row, "addTaskInput") !== null)
        const field = findChild(row, "addTaskInput")
        tryVerify(() => field.activeFocus, 1000)
        keyClick(Qt.Key_Escape)
        verify(!row.showSubtaskInput)
        verify(row.isExpanded)
        compare(row.task.subtasks.length, 0)
    }

    function test_deletingLastSubtaskOfOpenSectionKeepsItOpen() {
        const row = makeRow("Trip", ["Tickets"])
        mouseClick(row.badge)
        compare(row.subtaskRows.count, 1)
        const subtaskRow = row.subtaskRows.itemAt(0)
        mouseMove(subtaskRow, subtaskRow.width / 2, subtaskRow.height / 2)
        tryVerify(() => subtaskRow.isHovered)
        mouseClick(findChild(subtaskRow, "deleteButton"))
        compare(row.task.subtasks.length, 0)
        verify(!row.badge.visible)
        verify(row.isExpanded)
        compare(row.subtaskRows.count, 0)
    }

    function test_displayOrder_data() {
        return [
            { tag: "positions 2, 0, 1", positions: [2, 0, 1], expected: ["p0", "p1", "p2"] },
            { tag: "equal positions keep list order", positions: [1, 0, 1, 0], expected: ["p0", "p0", "p1", "p1"] }
        ]
    }
    function test_displayOrder(data) {
        const row = makeRow("Trip")
        for (let i = 0; i < data.positions.length; ++i)
            fixture.addSubtaskAt(row.task, "p" + data.positions[i], data.positions[i])
        row.isExpanded = true
        compare(subtaskTitles(row), data.expected)
        if (data.positions[0] === 1) {
            // The two p1 entries appear in the order they were added.
            const listed = []
            for (let i = 0; i < row.subtaskRows.count; ++i)
                listed.push(row.subtaskRows.itemAt(i).subtask)
            compare(listed[2], row.task.subtasks[0])
            compare(listed[3], row.task.subtasks[2])
            compare(listed[0], row.task.subtasks[1])
        }
    }

    // Hover actions

    function test_hoverActionsShowOnlyWhileHoveredAndNotEditing() {
        const row = makeRow("Buy milk")
        const actions = findChild(row, "hoverActions")
        compare(actions.opacity, 0)
        verify(actions.width > 0) // they keep their place
        hover(row)
        tryCompare(actions, "opacity", 1)
        row.startEdit()
        tryCompare(actions, "opacity", 0)
        mouseMove(testCase, 5, 390)
        tryVerify(() => !row.isHovered)
    }

    function test_hoverBackgroundOnlyWhileHovered() {
        const row = makeRow("Buy milk")
        const highlight = findChild(row, "rowHighlight")
        verify(!highlight.visible)
        compare(highlight.radius, 12)
        hover(row)
        // Fades in with the quick animation rather than appearing at once.
        verify(highlight.opacity < 1)
        tryVerify(() => highlight.visible && highlight.opacity === 1, 1000)
        compare(row.height, 32)
        mouseMove(testCase, 5, 390)
        tryVerify(() => !highlight.visible, 1000)
    }

    // Context menu

    function test_contextMenuTitlesAndActions() {
        const row = makeRow("Buy milk")
        mouseClick(row, 60, 16, Qt.RightButton)
        tryVerify(() => row.contextMenu.opened)
        const toggleItem = findChild(row.contextMenu.contentItem, "toggleMenuItem") || row.contextMenu.itemAt(0)
        compare(row.contextMenu.count, 4)
        compare(row.contextMenu.itemAt(0).text, "Mark Complete")
        compare(row.contextMenu.itemAt(1).text, "Add Subtask")
        compare(row.contextMenu.itemAt(3).text, "Delete Task")
        verify(row.contextMenu.itemAt(3).destructive)
        row.contextMenu.itemAt(0).triggered()
        verify(row.task.isCompleted)
        compare(row.contextMenu.itemAt(0).text, "Mark Incomplete")
        row.contextMenu.itemAt(0).triggered()
        verify(!row.task.isCompleted)
        row.contextMenu.itemAt(1).triggered()
        verify(row.isExpanded)
        verify(row.showSubtaskInput)
        row.contextMenu.close()
    }

    // Deleting

    function test_deleteFromTrashButtonRemovesTaskAndSubtasks() {
        const row = makeRow("Trip", ["Tickets", "Hotel"])
        compare(fixture.subtaskCount(), 2)
        hover(row)
        mouseClick(row.deleteButton)
        compare(fixture.allTasks().length, 0)
        compare(fixture.subtaskCount(), 0)
        tryVerify(() => row.task === null)
    }

    function test_deleteFromContextMenuRemovesTaskAndSubtasks() {
        const row = makeRow("Trip", ["Tickets"])
        row.contextMenu.itemAt(3).triggered()
        compare(fixture.allTasks().length, 0)
        compare(fixture.subtaskCount(), 0)
        tryVerify(() => row.task === null)
    }

    function test_checkboxTogglesThroughTheStore() {
        const row = makeRow("Buy milk")
        mouseClick(row.checkbox)
        verify(!row.task.isCompleted) // not before the press is released
        tryVerify(() => row.task.isCompleted, 1000)
    }

    function test_taskDeletedDuringCheckboxDelayStaysDeleted_data() {
        return [ { tag: "trash button", viaMenu: false }, { tag: "context menu", viaMenu: true } ]
    }
    function test_taskDeletedDuringCheckboxDelayStaysDeleted(data) {
        const row = makeRow("Buy milk", ["Sub"])
        mouseClick(row.checkbox)
        if (data.viaMenu) {
            row.contextMenu.itemAt(3).triggered()
        } else {
            hover(row)
            mouseClick(row.deleteButton)
        }
        compare(fixture.allTasks().length, 0)
        wait(250) // past the 80 ms delay
        compare(fixture.allTasks().length, 0)
        compare(fixture.subtaskCount(), 0)
    }

    function test_subtaskDeletedDuringCheckboxDelayStaysDeleted() {
        const row = makeRow("Trip", ["Tickets", "Hotel"])
        expand(row)
        const subtaskRow = row.subtaskRows.itemAt(0)
        mouseClick(subtaskRow.checkbox)
        verify(subtaskRow.checkbox.isPressed)
        fixture.store.deleteSubtask(subtaskRow.subtask, row.task)
        wait(250)
        compare(row.task.subtasks.length, 1)
        compare(row.task.subtasks[0].title, "Hotel")
        verify(!row.task.subtasks[0].isCompleted)
    }

    function test_subtaskRowsCallTheStore() {
        const row = makeRow("Trip", ["Tickets"])
        expand(row)
        const subtaskRow = row.subtaskRows.itemAt(0)
        const subtask = subtaskRow.subtask
        mouseClick(subtaskRow.checkbox)
        tryVerify(() => subtask.isCompleted, 1000)
        subtaskRow.startEdit()
        titleField(subtaskRow).selectAll()
        for (const ch of " Train tickets ")
            keyClick(ch)
        keyClick(Qt.Key_Return)
        compare(subtask.title, "Train tickets")
    }
}
