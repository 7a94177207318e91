pragma ComponentBehavior: Bound
import QtQuick
import Ordlen
import OrdlenGallery

// Shows each sheet in light and dark, saves one picture per sample from a
// grab of this window and quits: <sheet>-<sample>-<scheme>-<scale>x.png.
Window {
    id: gallery

    required property TaskStore store
    required property StoreStatus unsavedStatus
    required property string outputDir

    readonly property list<string> schemes: ["light", "dark"]
    readonly property list<Component> sheets: [
        tokenSheet, checkboxSheet, addFieldSheet, searchSheet, filterSheet, emptySheet,
        taskRowSheet, expandedRowSheet, subtaskRowSheet, storeNoticeSheet, panelListSheet,
        panelBottomBarSheet, panelMenuSheet, panelDialogSheet, panelKeyboardSheet
    ]
    // Tasks for the row samples, made once in the gallery's store.
    property var rowTasks: ({})

    property int step: -1
    property GallerySheet sheet: null
    property bool sheetSettled: false
    property int saved: 0
    property int failed: 0

    visible: true
    width: 460
    height: 200
    color: Appearance.windowBackground

    Component.onCompleted: {
        // States at rest, at once.
        OrdlenDesign.animation.durationScale = 0
        makeRowTasks()
        stepper.start()
    }

    function makeRowTasks() {
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
            hovered: make("Call the dentist", [], [], false),
            editing: make("Write the quarterly report", [], [], false),
            completed: make("Water the plants", [], [], true),
            long: make("A long task title that goes on and on, to show that a title is cut after two lines of text in the row", [], [], false),
            someDone: make("Renew passport", ["Photos", "Form", "Fee"], ["Photos"], false),
            allDone: make("Book the train", ["Seats", "Tickets"], ["Seats", "Tickets"], false),
            trip: make("Plan the trip to Lisbon", ["Book flights", "Find a hotel", "Pack the bags"], ["Book flights"], false),
            groceries: make("Groceries", ["Apples"], [], false)
        }
    }

    // The panel's tasks: [workspace, title, done, [subtask title, done]...].
    readonly property var panelTasks: [
        ["Personal", "Buy oat milk", false],
        ["Work", "Write the quarterly report", false, ["Outline", true], ["Figures", false], ["Summary", false]],
        ["Home", "Fix the kitchen tap", false],
        ["Personal", "Call the dentist", true],
        ["Work", "Reply to Anna about the offsite", false],
        ["Home", "Water the plants", true],
        ["Personal", "Renew passport", false, ["Photos", true], ["Form", true]]
    ]
    // Enough tasks in each workspace to scroll.
    readonly property var longPanelTasks: {
        const tasks = []
        for (const workspace of ["Home", "Personal", "Work"]) {
            for (let i = 1; i <= 8; ++i)
                tasks.push([workspace, workspace + " task " + i, i % 3 === 0])
        }
        return tasks
    }

    // Each step waits for one turn of the event loop: by then the fields'
    // focus timers (0 ms here) have run and the window has its new size.
    Timer {
        id: stepper
        interval: 0
        onTriggered: gallery.advance()
    }

    function advance() {
        if (sheet && !sheetSettled) {
            for (const sample of sheet.sampleItems())
                sample.settled()
            sheetSettled = true
            stepper.start()
            return
        }
        if (sheet) {
            saveSamples()
            sheet.visible = false
            sheet.destroy()
            sheet = null
        }
        if (++step === schemes.length * sheets.length) {
            Qt.exit(failed > 0 || saved === 0 ? 1 : 0)
            return
        }
        Appearance.forcedScheme = schemes[Math.floor(step / sheets.length)]
        sheet = sheets[step % sheets.length].createObject(gallery.contentItem) as GallerySheet
        sheetSettled = false
        width = sheet.width
        height = sheet.height
        stepper.start()
    }

    function saveSamples() {
        const suffix = "-" + Appearance.forcedScheme + "-" + Screen.devicePixelRatio + "x.png"
        for (const sample of sheet.sampleItems()) {
            const path = outputDir + "/" + sheet.name + "-" + sample.fileName + suffix
            if (WindowCapture.save(sample, path)) {
                ++saved
            } else {
                ++failed
                console.warn("gallery: could not write " + path)
            }
        }
    }

    Component {
        id: tokenSheet
        GallerySheet {
            name: "design"
            Repeater {
                model: ["accent", "success", "destructive", "textPrimary", "textSecondary", "textTertiary",
                        "separator", "rowHover", "textCompleted"]
                GallerySample {
                    id: swatch
                    required property string modelData
                    label: "colour " + modelData
                    Rectangle { width: 120; height: 20; radius: 4; color: OrdlenDesign.color[swatch.modelData] }
                }
            }
            GallerySample {
                label: "row background, hovered"
                Item {
                    width: 320
                    height: 32
                    OrdlenRowBackground { isHovered: true }
                    Text {
                        x: 24
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Hovered row"
                        font: OrdlenDesign.font.taskTitle
                        color: OrdlenDesign.color.textPrimary
                    }
                }
            }
            Repeater {
                model: ["header", "taskTitle", "subtask", "caption", "badge", "input"]
                GallerySample {
                    id: fontSample
                    required property string modelData
                    label: "font " + modelData
                    Text { text: "Buy oat milk 2/3"; font: OrdlenDesign.font[fontSample.modelData]; color: OrdlenDesign.color.textPrimary }
                }
            }
        }
    }

    Component {
        id: checkboxSheet
        GallerySheet {
            name: "checkbox"
            GallerySample { label: "task, open"; CheckboxView { size: CheckboxSize.Task } }
            GallerySample { label: "task, done"; CheckboxView { size: CheckboxSize.Task; isCompleted: true } }
            GallerySample { label: "task, pressed"; CheckboxView { size: CheckboxSize.Task; isCompleted: true; isPressed: true } }
            GallerySample { label: "subtask, open"; CheckboxView { size: CheckboxSize.Subtask } }
            GallerySample { label: "subtask, done"; CheckboxView { size: CheckboxSize.Subtask; isCompleted: true } }
            GallerySample { label: "subtask, pressed"; CheckboxView { size: CheckboxSize.Subtask; isCompleted: true; isPressed: true } }
        }
    }

    Component {
        id: addFieldSheet
        GallerySheet {
            name: "add-task-field"
            GallerySample { label: "task, empty"; AddTaskField { width: 320; placeholder: "New task\u2026" } }
            GallerySample { label: "subtask, empty"; AddTaskField { width: 320; isSubtask: true; placeholder: "New subtask\u2026" } }
            GallerySample {
                label: "task, focused with text"
                onSettled: {
                    typed.input.forceActiveFocus()
                    typed.input.text = "Buy oat milk"
                }
                AddTaskField { id: typed; width: 320; placeholder: "New task\u2026" }
            }
        }
    }

    Component {
        id: searchSheet
        GallerySheet {
            name: "search-field"
            GallerySample { label: "empty"; SearchTaskField { width: 320 } }
            GallerySample {
                label: "focused with query"
                onSettled: query.input.forceActiveFocus()
                SearchTaskField { id: query; width: 320; text: "milk" }
            }
        }
    }

    Component {
        id: filterSheet
        GallerySheet {
            name: "filter-tab-bar"
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
            name: "empty-state"
            GallerySample { label: "All"; EmptyStateView { width: 380; filter: TaskFilter.All } }
            GallerySample { label: "Pending"; EmptyStateView { width: 380; filter: TaskFilter.Pending } }
            GallerySample { label: "Done"; EmptyStateView { width: 380; filter: TaskFilter.Done } }
        }
    }

    Component {
        id: taskRowSheet
        GallerySheet {
            name: "task-row"
            GallerySample { label: "collapsed"; TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.plain } }
            GallerySample { label: "hovered"; TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.hovered; isHovered: true } }
            GallerySample {
                label: "editing"
                onSettled: editingRow.startEdit()
                TaskRowView { id: editingRow; width: 408; store: gallery.store; task: gallery.rowTasks.editing; isHovered: true }
            }
            GallerySample { label: "completed"; TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.completed } }
            GallerySample { label: "two-line title"; TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.long } }
            GallerySample { label: "some subtasks done"; TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.someDone } }
            GallerySample { label: "all subtasks done"; TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.allDone } }
        }
    }

    Component {
        id: expandedRowSheet
        GallerySheet {
            name: "task-row-expanded"
            GallerySample {
                label: "expanded, subtask hovered"
                onSettled: tripRow.subtaskRows.itemAt(1).isHovered = true
                TaskRowView { id: tripRow; width: 408; store: gallery.store; task: gallery.rowTasks.trip; isExpanded: true }
            }
            GallerySample {
                label: "expanded, new subtask field"
                TaskRowView { width: 408; store: gallery.store; task: gallery.rowTasks.groceries; isExpanded: true; showSubtaskInput: true }
            }
        }
    }

    Component {
        id: storeNoticeSheet
        GallerySheet {
            name: "store-notice"
            GallerySample { label: "not saved"; StoreNotice { width: 380; storeStatus: gallery.unsavedStatus } }
        }
    }

    Component {
        id: subtaskRowSheet
        GallerySheet {
            name: "subtask-row"
            GallerySample { label: "open"; SubTaskRowView { width: 408; subtask: gallery.rowTasks.trip.subtasks[1] } }
            GallerySample { label: "completed"; SubTaskRowView { width: 408; subtask: gallery.rowTasks.trip.subtasks[0] } }
            GallerySample { label: "hovered"; SubTaskRowView { width: 408; subtask: gallery.rowTasks.trip.subtasks[2]; isHovered: true } }
            GallerySample {
                label: "editing"
                onSettled: editingSubtask.startEdit()
                SubTaskRowView { id: editingSubtask; width: 408; subtask: gallery.rowTasks.trip.subtasks[1]; isHovered: true }
            }
        }
    }

    Component {
        id: panelListSheet
        GallerySheet {
            name: "panel"
            GallerySample { label: "empty"; PanelSample {} }
            GallerySample { label: "not saved"; PanelSample { storeStatus: gallery.unsavedStatus } }
            GallerySample {
                label: "grouped, three workspaces"
                PanelSample { tasks: gallery.panelTasks; filter: TaskFilter.All }
            }
            GallerySample {
                label: "flat, a workspace selected"
                PanelSample { tasks: gallery.panelTasks; filter: TaskFilter.All; workspace: "Work" }
            }
            GallerySample {
                label: "long list scrolled, heading pinned"
                // Into the second section, so its heading is held at the top.
                onSettled: longList.part("taskListView").contentY = 340
                PanelSample { id: longList; tasks: gallery.longPanelTasks; filter: TaskFilter.All }
            }
        }
    }

    Component {
        id: panelBottomBarSheet
        GallerySheet {
            name: "panel-bottom-bar"
            GallerySample { label: "add field open"; PanelSample { tasks: gallery.panelTasks; field: "add" } }
            GallerySample {
                label: "search open with a query"
                PanelSample { tasks: gallery.panelTasks; filter: TaskFilter.All; search: "re"; field: "search" }
            }
        }
    }

    Component {
        id: panelMenuSheet
        GallerySheet {
            name: "panel-menu"
            GallerySample {
                label: "workspace menu, a submenu open"
                onSettled: workspaceMenuSample.openWorkspaceMenu("Work")
                PanelSample { id: workspaceMenuSample; tasks: gallery.panelTasks; filter: TaskFilter.All; workspace: "Work" }
            }
            GallerySample {
                label: "settings menu, pinned"
                onSettled: settingsMenuSample.openSettingsMenu()
                PanelSample { id: settingsMenuSample; tasks: gallery.panelTasks; pinned: true }
            }
        }
    }

    Component {
        id: panelDialogSheet
        GallerySheet {
            name: "panel-dialog"
            GallerySample {
                label: "new workspace"
                onSettled: newSample.panel.openNewWorkspaceAlert()
                PanelSample { id: newSample; tasks: gallery.panelTasks }
            }
            GallerySample {
                label: "rename workspace"
                onSettled: renameSample.panel.openRenameAlert("Work")
                PanelSample { id: renameSample; tasks: gallery.panelTasks }
            }
            GallerySample {
                label: "delete a workspace with tasks"
                onSettled: deleteSample.panel.openDeleteAlert("Work")
                PanelSample { id: deleteSample; tasks: gallery.panelTasks }
            }
            GallerySample {
                label: "delete an empty workspace"
                onSettled: deleteEmptySample.panel.openDeleteAlert("Garden")
                PanelSample { id: deleteEmptySample; tasks: gallery.panelTasks; savedWorkspaces: ["Garden"] }
            }
        }
    }

    Component {
        id: panelKeyboardSheet
        GallerySheet {
            name: "panel-keyboard"
            GallerySample {
                label: "a row ringed from the keyboard"
                onSettled: {
                    ringSample.part("focusSink").forceActiveFocus()
                    ringSample.panel.moveFocus(2, false)
                }
                PanelSample { id: ringSample; tasks: gallery.panelTasks }
            }
            GallerySample {
                label: "a subtask ringed from the keyboard"
                onSettled: {
                    subtaskRingSample.part("focusSink").forceActiveFocus()
                    const panel = subtaskRingSample.panel
                    panel.moveFocus(3, false)
                    panel.focusedRow.toggleExpanded()
                    panel.subtaskCursor = 1
                }
                PanelSample { id: subtaskRingSample; tasks: gallery.panelTasks }
            }
            GallerySample {
                label: "after a deletion"
                onSettled: {
                    const notice = noticeSample.part("undoNotice") as UndoNotice
                    notice.text = "Task deleted"
                    notice.shown = true
                }
                PanelSample { id: noticeSample; tasks: gallery.panelTasks }
            }
        }
    }
}
