pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// The whole panel: a header with the filter bar between the two menus, the
// task list (in sections by workspace while all workspaces are shown) or the
// empty state, and a bottom bar that holds the buttons, the add field or the
// search field. The list and the counts come from taskList; every change
// goes through taskStore. The controls only report what the user chose.
FocusScope {
    id: root

    required property TaskStore taskStore
    required property TaskListModel taskList
    // How the store was opened: a store in memory gets a notice under the header.
    property StoreStatus storeStatus
    // "Keep Window Open" and the login item, for the settings menu.
    property PanelPreferences panelPreferences
    property LaunchAtLoginService loginItems

    property bool showingAddInput: false
    property bool showingSearchInput: false

    // The workspace dialogs. The naming dialog is in rename mode while
    // showingRenameAlert is set, in create mode otherwise.
    property bool showingNewWorkspaceAlert: false
    property bool showingRenameAlert: false
    property bool showingDeleteWorkspaceAlert: false
    property string workspaceNameInput
    property string workspaceToRename
    property string workspaceToDelete
    // Counted when the delete confirmation opens: every task of the
    // workspace, whatever the filter and the search.
    property int workspaceToDeleteTaskCount
    readonly property bool isShowingDialog: showingNewWorkspaceAlert || showingRenameAlert
                                            || showingDeleteWorkspaceAlert

    readonly property bool isPinned: panelPreferences ? panelPreferences.isPinned : false

    // "Quit Ordlen" was chosen.
    signal quitRequested()
    // Escape with nothing open: the panel is done with.
    signal dismissRequested()

    // The row the arrow keys reached, ringed while the list has the
    // keyboard, and the line in it: the task, or one of its open subtasks.
    property bool showsFocusRing: false
    property int subtaskCursor: -1
    readonly property TaskRowView focusedRow: showsFocusRing && focusSink.activeFocus && listView.currentItem
                                              ? (listView.currentItem as TaskRowSlot).row : null
    readonly property TaskItem focusedTask: focusedRow ? focusedRow.task : null
    readonly property int focusedSubtaskIndex: focusedRow ? Math.min(subtaskCursor, focusedRow.openSubtaskCount - 1)
                                                          : -1
    readonly property SubTaskRowView focusedSubtaskRow: focusedRow ? focusedRow.subtaskRowAt(focusedSubtaskIndex)
                                                                   : null

    // A line as a screen reader hears it.
    function spoken(line: var): string {
        return line.title + (line.isCompleted ? ", done" : ", not done")
    }

    // Rings a row: its task, or with `atLastSubtask` the last of its open
    // subtasks (the line above the next row).
    function moveFocus(target: int, atLastSubtask: bool) {
        if (listView.count === 0)
            return
        listView.currentIndex = Math.max(0, Math.min(listView.count - 1, target))
        listView.positionViewAtIndex(listView.currentIndex, ListView.Contain)
        showsFocusRing = true
        subtaskCursor = atLastSubtask && focusedRow ? focusedRow.openSubtaskCount - 1 : -1
    }

    // One line up or down, through the open subtasks of each task.
    function stepFocus(step: int) {
        const row = focusedRow
        if (!row) {
            moveFocus(step > 0 ? 0 : listView.count - 1, step < 0)
            return
        }
        const line = focusedSubtaskIndex + step
        if (line >= -1 && line < row.openSubtaskCount)
            subtaskCursor = line
        else if (step > 0 && listView.currentIndex + 1 < listView.count)
            moveFocus(listView.currentIndex + 1, false)
        else if (step < 0 && listView.currentIndex > 0)
            moveFocus(listView.currentIndex - 1, true)
    }

    // Space, Delete, Return and F2 on the ringed line.
    function actOnFocusedLine(key: int): bool {
        const task = focusedTask
        const subtask = focusedSubtaskRow
        if (!task)
            return false
        if (key === Qt.Key_Space) {
            if (subtask)
                taskStore.toggleSubtask(subtask.subtask)
            else
                taskStore.toggleTask(task)
            announcer.announce(spoken(subtask ? subtask.subtask : task))
        } else if (key === Qt.Key_Delete) {
            if (subtask)
                taskStore.deleteSubtask(subtask.subtask, task)
            else
                taskStore.deleteTask(task)
        } else if (key === Qt.Key_Return || key === Qt.Key_Enter || key === Qt.Key_F2) {
            if (subtask)
                subtask.startEdit()
            else
                focusedRow.startEdit()
        } else {
            return false
        }
        return true
    }

    function undo() {
        const change = taskStore.undoText
        if (taskStore.undo())
            announcer.announce("Undone: " + change)
    }

    function redo() {
        const change = taskStore.redoText
        if (taskStore.redo())
            announcer.announce("Redone: " + change)
    }

    // The corners of the window around the panel, which the dimming under
    // its dialogs follows.
    property real cornerRadius: 0
    readonly property real horizontalPadding: OrdlenDesign.metrics.listInset
    readonly property real rowSpacing: OrdlenDesign.metrics.rowSpacing
    // The layer over the whole panel, for the menus and dialogs to come.
    readonly property alias overlay: overlay

    function openAddField() {
        showingSearchInput = false
        showingAddInput = true
    }

    function openSearchField() {
        showingAddInput = false
        showingSearchInput = true
    }

    // A field that closes while it holds the panel's keyboard focus hands it
    // back to the panel; one that lost it to an editor leaves it there.
    function closeFields() {
        showingAddInput = false
        showingSearchInput = false
        if (bottomBar.focus)
            focusSink.forceActiveFocus()
    }

    function submitTask(title: string) {
        if (taskStore.addTask(title))
            closeFields()
    }

    // A tap on a part of the panel that no control takes: closes an open
    // field (the query stays) and ends any text editing.
    function dismiss() {
        showsFocusRing = false
        closeFields()
        focusSink.forceActiveFocus()
    }

    // Whatever writes the name, typing, pasting or the rename prefill, the
    // field holds at most the characters a name may have.
    onWorkspaceNameInputChanged: {
        const capped = taskStore.cappedWorkspaceName(workspaceNameInput)
        if (capped !== workspaceNameInput)
            workspaceNameInput = capped
    }

    function openNewWorkspaceAlert() {
        workspaceNameInput = ""
        showingNewWorkspaceAlert = true
    }

    function openRenameAlert(name: string) {
        workspaceToRename = name
        workspaceNameInput = name
        showingRenameAlert = true
    }

    function openDeleteAlert(name: string) {
        workspaceToDelete = name
        workspaceToDeleteTaskCount = taskList.taskCountIn(name)
        showingDeleteWorkspaceAlert = true
    }

    // Applies the naming dialog, then closes it. A second call finds it
    // closed and only closes again, so Return in the field and on the
    // button can't apply it twice. The store refuses blank, unchanged and
    // built-in names.
    function submitAlert() {
        if (showingRenameAlert)
            taskStore.renameWorkspace(workspaceToRename, workspaceNameInput)
        else if (showingNewWorkspaceAlert)
            taskStore.createWorkspace(workspaceNameInput)
        closeAlerts()
    }

    // Closes the naming dialog without applying it; the name stays for the
    // next opening to overwrite.
    function closeAlerts() {
        showingRenameAlert = false
        showingNewWorkspaceAlert = false
        focusSink.forceActiveFocus()
    }

    function confirmDelete() {
        taskStore.deleteWorkspace(workspaceToDelete)
        workspaceToDelete = ""
        closeDeleteAlert()
    }

    function closeDeleteAlert() {
        showingDeleteWorkspaceAlert = false
        focusSink.forceActiveFocus()
    }

    function toggleLaunchAtLogin() {
        if (loginItems.isEnabled)
            loginItems.disable()
        else
            loginItems.enable()
    }

    Shortcut {
        id: searchShortcut
        sequence: "Ctrl+F"
        enabled: !root.isShowingDialog
        onActivated: root.openSearchField()
    }
    // Ctrl+1, Ctrl+2, Ctrl+3: All, Pending, Done.
    property var filterShortcutTexts: []
    Instantiator {
        model: [TaskFilter.All, TaskFilter.Pending, TaskFilter.Done]
        onObjectAdded: (index, shortcut) => {
            const texts = root.filterShortcutTexts.slice()
            texts[index] = (shortcut as Shortcut).nativeText
            root.filterShortcutTexts = texts
        }
        Shortcut {
            required property int index
            required property int modelData
            sequence: "Ctrl+" + (index + 1)
            enabled: !root.isShowingDialog
            onActivated: root.taskStore.activeFilter = modelData
        }
    }

    TapHandler {
        onTapped: root.dismiss()
    }

    Shortcut {
        id: newTaskShortcut
        sequence: "Ctrl+N"
        enabled: !root.showingAddInput && !root.showingSearchInput && !root.isShowingDialog
        onActivated: root.openAddField()
    }

    // Take back the last change, or do it again; a text field that has the
    // keyboard takes these keys for its own text.
    Shortcut {
        id: undoShortcut
        sequence: "Ctrl+Z"
        enabled: !root.isShowingDialog
        onActivated: root.undo()
    }
    Shortcut {
        sequences: ["Ctrl+Shift+Z", "Ctrl+Y"]
        enabled: !root.isShowingDialog
        onActivated: root.redo()
    }

    Item {
        id: header
        x: root.horizontalPadding
        y: 4
        width: root.width - 2 * root.horizontalPadding
        height: 40

        WorkspaceMenu {
            id: workspaceMenu
            objectName: "workspaceMenu"
            height: parent.height
            selectedWorkspace: root.taskStore.selectedWorkspace
            workspaces: root.taskList.availableWorkspaces
            offersNewWorkspace: root.taskStore.offersNewWorkspace(root.taskList.availableWorkspaces)
            onAllChosen: root.taskStore.selectedWorkspace = ""
            onWorkspaceChosen: name => root.taskStore.selectedWorkspace = name
            onMoveUpChosen: name => root.taskStore.moveWorkspaceUp(name)
            onMoveDownChosen: name => root.taskStore.moveWorkspaceDown(name)
            onRenameChosen: name => root.openRenameAlert(name)
            onDeleteChosen: name => root.openDeleteAlert(name)
            onNewWorkspaceChosen: root.openNewWorkspaceAlert()
        }

        FilterTabBar {
            id: filterBar
            objectName: "filterBar"
            anchors.centerIn: parent
            selection: root.taskStore.activeFilter
            pendingCount: root.taskList.pendingCount
            doneCount: root.taskList.doneCount
            shortcutTexts: root.filterShortcutTexts
            onFilterChosen: filter => root.taskStore.activeFilter = filter
        }

        SettingsMenu {
            id: settingsMenu
            objectName: "settingsMenu"
            x: parent.width - width
            height: parent.height
            isPinned: root.isPinned
            launchesAtLogin: root.loginItems ? root.loginItems.isEnabled : false
            onPinToggled: root.panelPreferences.isPinned = !root.isPinned
            onLaunchAtLoginToggled: root.toggleLaunchAtLogin()
            onQuitChosen: root.quitRequested()
        }
    }

    // Takes the keyboard from editors and fields when they are done, and
    // moves through the rows: arrows, Home and End; Right and Left open and
    // close a task's subtasks; Space ticks, Delete removes, Return or F2
    // retitles the ringed line; the Menu key or Shift+F10 opens the task's
    // menu, the way to add a subtask. Between the header and the bottom bar
    // in the Tab order. A screen reader hears the ringed line as its name.
    Item {
        id: focusSink
        objectName: "focusSink"
        focus: true
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: root.focusedSubtaskRow ? root.spoken(root.focusedSubtaskRow.subtask)
                                                : root.focusedTask ? root.spoken(root.focusedTask) : "Tasks"

        Keys.onUpPressed: root.stepFocus(-1)
        Keys.onDownPressed: root.stepFocus(+1)
        Keys.onEscapePressed: root.dismissRequested()
        Keys.onPressed: event => {
            const row = root.focusedRow
            if (event.key === Qt.Key_Home || event.key === Qt.Key_End)
                root.moveFocus(event.key === Qt.Key_Home ? 0 : listView.count - 1, false)
            else if (row && event.key === Qt.Key_Right && !row.isExpanded && row.subtaskCount > 0)
                row.toggleExpanded()
            else if (row && event.key === Qt.Key_Left && row.isExpanded)
                row.toggleExpanded()
            else if (row && (event.key === Qt.Key_Menu
                             || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))))
                row.openContextMenu(0, row.mainLineHeight)
            else if (!root.actOnFocusedLine(event.key))
                return
            event.accepted = true
        }
    }

    Rectangle {
        id: separator
        y: header.y + header.height
        width: root.width
        height: 1
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0) }
            GradientStop { position: 0.5; color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.05) }
            GradientStop { position: 1; color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0) }
        }
    }

    StoreNotice {
        id: storeNotice
        objectName: "storeNotice"
        x: root.horizontalPadding
        y: separator.y + separator.height + (isShown ? 6 : 0)
        width: root.width - 2 * root.horizontalPadding
        storeStatus: root.storeStatus
    }

    Item {
        id: listArea
        y: storeNotice.y + storeNotice.height
        width: root.width
        // Under it a transparent strip of one point, then the bottom bar.
        height: bottomBar.y - 1 - y

        // Switching the filter brings the new content in with the spring.
        Connections {
            target: root.taskStore
            function onActiveFilterChanged() {
                filterSwitch.restart()
            }
        }
        ParallelAnimation {
            id: filterSwitch
            OrdlenSpring { target: listArea; property: "opacity"; from: 0; to: 1 }
            OrdlenSpring { target: emptyState; property: "scale"; from: 0.98; to: 1 }
        }

        Item {
            id: emptyState
            objectName: "emptyState"
            anchors.fill: parent
            visible: root.taskList.isEmpty

            // Built only while shown: its badge breathes for as long as it lives.
            Repeater {
                model: emptyState.visible ? 1 : 0
                EmptyStateView {
                    y: (emptyState.height - height) / 2
                    width: emptyState.width
                    filter: root.taskStore.activeFilter
                }
            }
        }

        ListView {
            id: listView
            objectName: "taskListView"
            anchors.fill: parent
            visible: !root.taskList.isEmpty
            clip: true
            model: root.taskList
            topMargin: 10
            // Each row carries the gap below it; the last one's is padding.
            bottomMargin: 10 - root.rowSpacing
            boundsBehavior: Flickable.StopAtBounds
            // Rows that scroll out are kept for the rows that scroll in:
            // building a row is the dearest part of a frame.
            reuseItems: true

            section.property: root.taskList.isGrouped ? "workspace" : ""
            section.labelPositioning: ViewSection.InlineLabels | ViewSection.CurrentLabelAtStart
            // Unbound, as the view needs its section delegate.
            section.delegate: Qt.createComponent("TaskSectionHeader.qml", Component.PreferSynchronous, listView)

            // A task ticked under Pending that came back within the moment it
            // is held out (another filter) stays out of sight, gap and all.
            delegate: TaskRowSlot {
                id: rowSlot
                required property TaskItem task
                required property bool isHeldBack

                width: listView.width
                height: isHeldBack ? 0 : taskRow.height + root.rowSpacing
                visible: !isHeldBack

                // Kept out of sight for another task.
                property bool isPooled: false

                ListView.onPooled: {
                    isPooled = true
                    taskRow.prepareForReuse()
                }
                ListView.onReused: {
                    isPooled = false
                    taskRow.animates = true
                }

                row: taskRow

                TaskRowView {
                    id: taskRow
                    x: root.horizontalPadding
                    width: rowSlot.width - 2 * root.horizontalPadding
                    task: rowSlot.task
                    store: root.taskStore
                    showsFocusRing: root.focusedRow === taskRow
                    focusedSubtaskIndex: root.focusedSubtaskIndex
                }
            }

            TapHandler {
                onTapped: root.dismiss()
            }
        }
    }

    Announcer {
        id: announcer
        objectName: "announcer"
    }

    // After a deletion, for a few seconds: what went, and a way back. Just
    // above the bottom bar, so it never covers a field.
    UndoNotice {
        id: undoNotice
        objectName: "undoNotice"
        x: (root.width - width) / 2
        y: bottomBar.y - height - 6
        shortcutText: undoShortcut.nativeText
        onUndoChosen: {
            shown = false
            root.undo()
        }

        Timer {
            id: undoNoticeTimer
            interval: OrdlenDesign.animation.undoNoticeDuration
            onTriggered: undoNotice.shown = false
        }
        Connections {
            target: root.taskStore
            function onDeletionRecorded(what: string) {
                undoNotice.text = what
                undoNotice.shown = true
                undoNoticeTimer.restart()
                announcer.announce(what)
            }
        }
    }

    FocusScope {
        id: bottomBar
        objectName: "bottomBar"
        readonly property real topPadding: 10
        readonly property real bottomPadding: 14
        // The modes overlap while one leaves and another comes.
        readonly property real contentHeight: Math.max(buttonSlot.occupiedHeight, addSlot.occupiedHeight,
                                                       searchSlot.occupiedHeight)
        y: root.height - height
        width: root.width
        height: topPadding + contentHeight + bottomPadding

        Item {
            x: root.horizontalPadding
            y: bottomBar.topPadding
            width: bottomBar.width - 2 * root.horizontalPadding
            height: bottomBar.contentHeight

            BottomBarSlot {
                id: buttonSlot
                shown: !root.showingAddInput && !root.showingSearchInput
                slides: false

                BottomBarButtons {
                    width: parent.width
                    shortcutText: newTaskShortcut.nativeText
                    searchShortcutText: searchShortcut.nativeText
                    onNewTaskTapped: root.openAddField()
                    onSearchTapped: root.openSearchField()
                }
            }

            // The fields are built afresh each time they open, so each takes
            // the keyboard focus as it comes in.
            BottomBarSlot {
                id: addSlot
                shown: root.showingAddInput
                travel: height + bottomBar.bottomPadding

                Repeater {
                    model: addSlot.isBuilt ? 1 : 0
                    AddTaskField {
                        objectName: "addTaskField"
                        width: addSlot.width
                        placeholder: "New task\u2026"
                        onSubmit: title => root.submitTask(title)
                        onCancel: root.closeFields()
                    }
                }
            }

            BottomBarSlot {
                id: searchSlot
                shown: root.showingSearchInput
                travel: height + bottomBar.bottomPadding

                Repeater {
                    model: searchSlot.isBuilt ? 1 : 0
                    SearchTaskField {
                        objectName: "searchTaskField"
                        width: searchSlot.width
                        text: root.taskStore.searchText
                        onTextEdited: text => root.taskStore.searchText = text
                        onCancelled: root.closeFields()
                    }
                }
            }
        }
    }

    // Over the whole panel: the workspace dialogs.
    Item {
        id: overlay
        objectName: "overlay"
        anchors.fill: parent

        WorkspaceNameDialog {
            objectName: "workspaceNameDialog"
            dimRadius: root.cornerRadius
            shown: root.showingNewWorkspaceAlert || root.showingRenameAlert
            isRenaming: root.showingRenameAlert
            text: root.workspaceNameInput
            onTextEdited: text => root.workspaceNameInput = text
            onSubmitted: root.submitAlert()
            onCancelled: root.closeAlerts()
        }

        DeleteWorkspaceDialog {
            objectName: "deleteWorkspaceDialog"
            dimRadius: root.cornerRadius
            shown: root.showingDeleteWorkspaceAlert
            workspace: root.workspaceToDelete
            taskCount: root.workspaceToDeleteTaskCount
            onConfirmed: root.confirmDelete()
            onCancelled: root.closeDeleteAlert()
        }
    }
}
