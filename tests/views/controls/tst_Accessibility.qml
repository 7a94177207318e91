import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

// What assistive technologies read of the rows and fields: each control's
// role and name, and the checkbox's checked state.
ViewTestCase {
    name: "Accessibility"

    Component { id: fixtureComponent; TaskStoreFixture {} }
    Component { id: rowComponent; TaskRowView { width: 408 } }
    Component { id: addFieldComponent; AddTaskField { width: 320 } }
    Component { id: searchComponent; SearchTaskField { width: 320; text: "milk" } }
    Component { id: barComponent; FilterTabBar {} }
    Component { id: emptyComponent; EmptyStateView { width: 380; filter: TaskFilter.Done } }

    // A row of a completed task with one open subtask, its section open.
    function makeRow() {
        const fixture = createTemporaryObject(fixtureComponent, owner)
        const task = fixture.store.addTask("Buy milk")
        fixture.store.addSubtask(task, "Oat milk")
        fixture.store.toggleTask(task)
        fixture.store.toggleSubtask(task.subtasks[0])
        const row = createTemporaryObject(rowComponent, owner, { task: task, store: fixture.store, isExpanded: true })
        tryCompare(row.subtaskRows, "count", 1)
        return row
    }

    function test_rolesAndNames_data() {
        const subtaskRow = row => row.subtaskRows.itemAt(0)
        const make = (component, properties) => () => createTemporaryObject(component, owner, properties)
        return [
            { tag: "task row", find: row => row, role: Accessible.ListItem, name: "Buy milk" },
            { tag: "task checkbox", find: row => row.checkbox, role: Accessible.CheckBox, name: "Complete Buy milk", checked: true },
            { tag: "task title field", find: row => findChild(row, "titleField"), role: Accessible.EditableText, name: "Task title" },
            { tag: "subtask badge", find: row => row.badge, role: Accessible.Button, name: "Hide Subtasks" },
            { tag: "add subtask", find: row => row.addSubtaskButton, role: Accessible.Button, name: "Add Subtask" },
            { tag: "delete task", find: row => row.deleteButton, role: Accessible.Button, name: "Delete Task" },
            { tag: "subtask row", find: subtaskRow, role: Accessible.ListItem, name: "Oat milk" },
            { tag: "subtask checkbox", find: row => subtaskRow(row).checkbox, role: Accessible.CheckBox, name: "Complete Oat milk", checked: false },
            { tag: "subtask title field", find: row => findChild(subtaskRow(row), "titleField"), role: Accessible.EditableText, name: "Subtask title" },
            { tag: "delete subtask", find: row => findChild(subtaskRow(row), "deleteButton"), role: Accessible.Button, name: "Delete Subtask" },
            { tag: "new task field", make: make(addFieldComponent), find: field => field.input, role: Accessible.EditableText, name: "New task" },
            { tag: "new subtask field", make: make(addFieldComponent, { isSubtask: true }), find: field => field.input, role: Accessible.EditableText, name: "New subtask" },
            { tag: "search field", make: make(searchComponent), find: field => field.input, role: Accessible.EditableText, name: "Search tasks" },
            { tag: "clear search", make: make(searchComponent), find: field => findChild(field, "clearButton"), role: Accessible.Button, name: "Clear search" },
            { tag: "filter bar", make: make(barComponent), find: bar => bar, role: Accessible.Grouping, name: "Task filter" },
            { tag: "filter pill", make: make(barComponent), find: bar => findChild(bar, "pillDone"), role: Accessible.Button, name: "Done", checked: false },
            { tag: "empty state", make: make(emptyComponent), find: view => view, role: Accessible.StaticText, name: "Not done yet" }
        ]
    }
    function test_rolesAndNames(data) {
        const item = data.find(data.make ? data.make() : makeRow())
        compare([item.Accessible.role, item.Accessible.name], [data.role, data.name])
        if (data.checked !== undefined)
            compare([item.Accessible.checkable, item.Accessible.checked], [true, data.checked])
    }
}
