import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

// Not a test: scripts/gallery.sh runs this file to render the controls in
// their states, light and dark, to PNG files.
TestCase {
    id: gallery
    name: "Gallery"
    when: windowShown
    visible: true
    width: 900
    height: 900

    TaskStoreFixture {
        id: output
    }

    Component {
        id: checkboxSheet
        GallerySheet {
            title: "CheckboxView"
            GallerySample { label: "task, open"; CheckboxView { size: CheckboxSize.Task } }
            GallerySample { label: "task, done"; CheckboxView { size: CheckboxSize.Task; isCompleted: true } }
            GallerySample { label: "task, pressed"; CheckboxView { size: CheckboxSize.Task; isPressed: true; isCompleted: true } }
            GallerySample { label: "subtask, open"; CheckboxView { size: CheckboxSize.Subtask } }
            GallerySample { label: "subtask, done"; CheckboxView { size: CheckboxSize.Subtask; isCompleted: true } }
        }
    }

    Component {
        id: addFieldSheet
        GallerySheet {
            title: "AddTaskField"
            GallerySample { label: "task, empty"; AddTaskField { width: 320; placeholder: "New task\u2026" } }
            GallerySample { label: "subtask, empty"; AddTaskField { width: 320; isSubtask: true; placeholder: "New subtask\u2026" } }
            GallerySample {
                label: "task, focused with text"
                AddTaskField {
                    id: typed
                    width: 320
                    placeholder: "New task\u2026"
                    // After every field's own focus grab.
                    Timer {
                        interval: 200
                        running: true
                        onTriggered: {
                            typed.input.forceActiveFocus()
                            typed.input.text = "Buy oat milk"
                        }
                    }
                }
            }
        }
    }

    Component {
        id: searchSheet
        GallerySheet {
            title: "SearchTaskField"
            GallerySample { label: "empty"; SearchTaskField { width: 320 } }
            GallerySample {
                label: "focused with query"
                SearchTaskField {
                    id: query
                    width: 320
                    text: "milk"
                    Timer { interval: 200; running: true; onTriggered: query.input.forceActiveFocus() }
                }
            }
        }
    }

    Component {
        id: filterSheet
        GallerySheet {
            title: "FilterTabBar"
            GallerySample { label: "All, 3 pending 2 done"; FilterTabBar { selection: TaskFilter.All; pendingCount: 3; doneCount: 2 } }
            GallerySample { label: "Pending"; FilterTabBar { selection: TaskFilter.Pending; pendingCount: 3; doneCount: 2 } }
            GallerySample { label: "Done"; FilterTabBar { selection: TaskFilter.Done; pendingCount: 3; doneCount: 2 } }
            GallerySample { label: "no tasks"; FilterTabBar { selection: TaskFilter.Pending } }
            GallerySample { label: "Done selected, 0 done"; FilterTabBar { selection: TaskFilter.Done; pendingCount: 12 } }
        }
    }

    Component {
        id: emptySheet
        GallerySheet {
            title: "EmptyStateView"
            GallerySample { label: "All"; EmptyStateView { width: 380; filter: TaskFilter.All } }
            GallerySample { label: "Pending"; EmptyStateView { width: 380; filter: TaskFilter.Pending } }
            GallerySample { label: "Done"; EmptyStateView { width: 380; filter: TaskFilter.Done } }
        }
    }

    Component {
        id: tokenSheet
        GallerySheet {
            title: "OrdlenDesign"
            Repeater {
                model: ["accent", "success", "destructive", "textPrimary", "textSecondary", "textTertiary",
                        "separator", "rowHover", "textCompleted"]
                GallerySample {
                    required property string modelData
                    label: modelData
                    Rectangle {
                        width: 120; height: 20; radius: 4
                        color: OrdlenDesign.color[parent.parent.modelData]
                    }
                }
            }
            GallerySample {
                label: "row background, hovered"
                Item {
                    width: 320; height: 32
                    OrdlenRowBackground { isHovered: true }
                    Text { x: 24; anchors.verticalCenter: parent.verticalCenter; text: "Hovered row"; font: OrdlenDesign.font.taskTitle; color: OrdlenDesign.color.textPrimary }
                }
            }
            Repeater {
                model: ["header", "taskTitle", "subtask", "caption", "badge", "input"]
                GallerySample {
                    required property string modelData
                    label: "font " + modelData
                    Text { text: "Buy oat milk 2/3"; font: OrdlenDesign.font[parent.parent.modelData]; color: OrdlenDesign.color.textPrimary }
                }
            }
        }
    }


    // Tasks for the row pictures, made once in the gallery's store.
    property var rowTasks: ({})

    function prepareRowTasks() {
        const store = output.store
        const make = (title, subtasks, done, completed) => {
            const task = store.addTask(title)
            for (const subtaskTitle of subtasks) {
                const subtask = store.addSubtask(task, subtaskTitle)
                if (done.indexOf(subtaskTitle) >= 0)
                    store.toggleSubtask(subtask)
            }
            if (completed)
                store.toggleTask(task)
            return task
        }
        rowTasks = {
            plain: make("Buy oat milk", [], [], false),
            trip: make("Plan the trip to Lisbon", ["Book flights", "Find a hotel", "Pack the bags"], ["Book flights"], false),
            hovered: make("Call the dentist", [], [], false),
            editing: make("Write the quarterly report", [], [], false),
            completed: make("Water the plants", [], [], true),
            passport: make("Renew passport", ["Photos", "Form"], ["Photos", "Form"], false),
            long: make("A long task title that goes on and on, to show that a title is cut after two lines of text in the row", [], [], false),
            subtaskField: make("Groceries", ["Apples"], [], false)
        }
    }

    Component {
        id: taskRowSheet
        GallerySheet {
            title: "TaskRowView"
            GallerySample { label: "collapsed"; TaskRowView { width: 408; store: output.store; task: gallery.rowTasks.plain } }
            GallerySample { label: "hovered"; TaskRowView { width: 408; store: output.store; task: gallery.rowTasks.hovered; isHovered: true } }
            GallerySample {
                label: "editing"
                TaskRowView {
                    id: editingRow
                    width: 408; store: output.store; task: gallery.rowTasks.editing; isHovered: true
                    Timer { interval: 200; running: true; onTriggered: editingRow.startEdit() }
                }
            }
            GallerySample { label: "completed"; TaskRowView { width: 408; store: output.store; task: gallery.rowTasks.completed } }
            GallerySample { label: "two-line title"; TaskRowView { width: 408; store: output.store; task: gallery.rowTasks.long } }
            GallerySample { label: "all subtasks done, collapsed"; TaskRowView { width: 408; store: output.store; task: gallery.rowTasks.passport } }
        }
    }

    Component {
        id: expandedRowSheet
        GallerySheet {
            title: "TaskRowView expanded, SubTaskRowView"
            GallerySample {
                label: "expanded, subtask hovered"
                TaskRowView {
                    id: tripRow
                    width: 408; store: output.store; task: gallery.rowTasks.trip; isExpanded: true
                    Timer { interval: 200; running: true; onTriggered: tripRow.subtaskRows.itemAt(1).isHovered = true }
                }
            }
            GallerySample {
                label: "expanded, new subtask field"
                TaskRowView { width: 408; store: output.store; task: gallery.rowTasks.subtaskField; isExpanded: true; showSubtaskInput: true }
            }
        }
    }

    Component {
        id: subtaskRowSheet
        GallerySheet {
            title: "SubTaskRowView"
            GallerySample { label: "open"; SubTaskRowView { width: 408; subtask: gallery.rowTasks.trip.subtasks[1] } }
            GallerySample { label: "completed"; SubTaskRowView { width: 408; subtask: gallery.rowTasks.trip.subtasks[0] } }
            GallerySample { label: "hovered"; SubTaskRowView { width: 408; subtask: gallery.rowTasks.trip.subtasks[2]; isHovered: true } }
            GallerySample {
                label: "editing"
                SubTaskRowView {
                    id: editingSubtask
                    width: 408; subtask: gallery.rowTasks.trip.subtasks[1]; isHovered: true
                    Timer { interval: 200; running: true; onTriggered: editingSubtask.startEdit() }
                }
            }
        }
    }

    property var sheets: [
        { name: "design", component: tokenSheet },
        { name: "checkbox", component: checkboxSheet },
        { name: "add-task-field", component: addFieldSheet },
        { name: "search-field", component: searchSheet },
        { name: "filter-tab-bar", component: filterSheet },
        { name: "empty-state", component: emptySheet },
        { name: "task-row", component: taskRowSheet },
        { name: "task-row-expanded", component: expandedRowSheet },
        { name: "subtask-row", component: subtaskRowSheet }
    ]

    function save(item, path) {
        let done = false
        let ok = false
        item.grabToImage(result => {
            ok = result.saveToFile(path)
            done = true
        }, Qt.size(item.width * 2, item.height * 2))
        tryVerify(() => done, 5000)
        verify(ok, "could not write " + path)
    }

    function test_render() {
        verify(output.galleryDir.length > 0, "ORDLEN_GALLERY_DIR is not set")
        prepareRowTasks()
        for (const scheme of ["light", "dark"]) {
            Appearance.forcedScheme = scheme
            for (const sheet of sheets) {
                const item = createTemporaryObject(sheet.component, gallery)
                verify(item, sheet.name)
                wait(700) // let appear animations and focus grabs settle
                save(item, output.galleryDir + "/" + sheet.name + "-" + scheme + ".png")
                item.destroy()
            }
        }
        Appearance.forcedScheme = ""
    }
}
