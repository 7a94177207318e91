pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// One task of the panel's list, acting only through the store: checkbox,
// in-place title editing, the subtask badge that folds the subtask section,
// hover actions and a context menu.
Item {
    id: root

    property TaskItem task
    property TaskStore store

    // Where the list's keyboard is: on this task's line, or on one of its
    // open subtasks (by index; -1 for the task itself).
    property bool showsFocusRing: false
    property int focusedSubtaskIndex: -1

    property bool isHovered: false
    property bool isExpanded: false
    property bool showSubtaskInput: false
    // Off while a list hands the row to another task (prepareForReuse()):
    // the new task's state is shown as it is, not animated into.
    property bool animates: true
    readonly property alias isEditing: title.isEditing
    readonly property alias editText: title.editText

    readonly property int subtaskCount: task ? task.subtaskCount : 0
    readonly property string badgeText: (task ? task.completedSubtaskCount : 0) + "/" + subtaskCount
    readonly property bool allSubtasksCompleted: task ? task.allSubtasksCompleted : false
    readonly property string toggleMenuTitle: task && task.isCompleted ? "Mark Incomplete" : "Mark Complete"

    readonly property alias checkbox: checkbox
    readonly property alias title: title
    readonly property alias badge: badge
    readonly property alias addSubtaskButton: addButton
    readonly property alias deleteButton: trashButton
    // Built on the first right-click: a menu per row would make every row
    // that scrolls into view several times dearer.
    readonly property PanelMenu contextMenu: menuHolder.menu
    readonly property alias subtaskRows: subtaskRepeater
    readonly property real mainLineHeight: mainLine.height

    implicitWidth: 408
    implicitHeight: mainLine.height + sectionHolder.height

    Accessible.role: Accessible.ListItem
    Accessible.name: task ? task.title : ""
    Accessible.checkable: true
    Accessible.checked: task ? task.isCompleted : false

    // The subtask rows the keyboard can reach: those of an open section.
    readonly property int openSubtaskCount: isExpanded ? subtaskRepeater.count : 0

    function subtaskRowAt(index: int): SubTaskRowView {
        return index < openSubtaskCount ? subtaskRepeater.itemAt(index) as SubTaskRowView : null
    }

    // Follows the task subtask by subtask: a subtask added or deleted leaves
    // the other rows, and an editor open in one of them, as they are. Only
    // while the section is built: a closed row watches none of its subtasks.
    SubtaskListModel {
        id: subtaskList
        task: sectionHolder.isBuilt ? root.task : null
    }

    function openContextMenu(x: real, y: real) {
        if (!menuHolder.menu)
            menuHolder.menu = contextMenuComponent.createObject(mainLine) as PanelMenu
        menuHolder.menu.popup(mainLine, x, y)
    }

    // The title edited from the keyboard, all of it selected.
    function startEdit() {
        title.startEditSelectingAll()
    }

    // Opened again while the last field still fades out: that one stays and
    // takes the focus again.
    onShowSubtaskInputChanged: {
        if (showSubtaskInput && subtaskInput.field)
            subtaskInput.field.grabFocus()
    }

    // A list that keeps this row for another task calls this first: a
    // pending tick goes to the task it was meant for, and what the user
    // opened in the row (subtasks, an edit, the menu) closes.
    function prepareForReuse() {
        animates = false
        checkbox.settle()
        for (let i = 0; i < subtaskRepeater.count; ++i)
            (subtaskRepeater.itemAt(i) as SubTaskRowView).checkbox.settle()
        title.isEditing = false
        if (menuHolder.menu)
            menuHolder.menu.close()
        isExpanded = false
        showSubtaskInput = false
        isHovered = false
    }

    function toggleExpanded() {
        isExpanded = !isExpanded
    }

    function addSubtaskTapped() {
        isExpanded = true
        showSubtaskInput = !showSubtaskInput
    }

    function showAddSubtask() {
        isExpanded = true
        showSubtaskInput = true
    }

    Item {
        id: mainLine
        width: parent.width
        height: Math.max(32, line.implicitHeight)

        OrdlenRowBackground {
            isHovered: root.isHovered
            animates: root.animates
            cornerRadius: 12
        }

        HoverHandler {
            onHoveredChanged: root.isHovered = hovered
        }

        FocusRing {
            objectName: "focusRing"
            anchors.fill: parent
            anchors.margins: -2
            anchors.leftMargin: -4
            anchors.rightMargin: -4
            radius: 14
            visible: root.showsFocusRing && root.focusedSubtaskIndex < 0
        }

        // Under the row's controls: gets the clicks that land on the title
        // and in the gaps.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onDoubleClicked: mouse => {
                if (mouse.button === Qt.LeftButton && !title.isEditing)
                    title.startEdit()
            }
            onClicked: mouse => {
                if (mouse.button === Qt.RightButton)
                    root.openContextMenu(mouse.x, mouse.y)
            }
        }

        // Checkbox and title from the left, the badge and the hover actions
        // from the right, 10 apart; between title and badge a flexible space
        // with a gap on each side of it.
        Item {
            id: line
            readonly property real spacing: 10
            anchors.fill: parent
            anchors.leftMargin: 14
            anchors.rightMargin: 14
            implicitHeight: Math.max(checkbox.implicitHeight, title.implicitHeight, badge.height, actions.height)

            CheckboxView {
                id: checkbox
                animates: root.animates
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                size: CheckboxSize.Task
                title: root.task ? root.task.title : ""
                isCompleted: root.task ? root.task.isCompleted : false
                // A task deleted meanwhile is no longer in the store, which
                // then does nothing.
                onToggle: root.store.toggleTask(root.task)
            }

            EditableTitle {
                id: title
                animates: root.animates
                anchors.left: checkbox.right
                anchors.leftMargin: line.spacing
                anchors.verticalCenter: parent.verticalCenter
                width: (badge.visible ? badge.x : actions.x) - x - 2 * line.spacing
                title: root.task ? root.task.title : ""
                isCompleted: root.task ? root.task.isCompleted : false
                font: OrdlenDesign.font.taskTitle
                placeholder: "Task\u2026"
                fieldName: "Task title"
                onCommitted: text => root.store.updateTask(root.task, text)
            }

            ContinuousRoundedCorners {
                id: badge
                objectName: "subtaskBadge"
                anchors.right: actions.left
                anchors.rightMargin: line.spacing
                anchors.verticalCenter: parent.verticalCenter
                visible: root.subtaskCount > 0
                Accessible.role: Accessible.Button
                Accessible.name: root.isExpanded ? "Hide Subtasks" : "Show Subtasks"
                Accessible.description: (root.task ? root.task.completedSubtaskCount : 0) + " of " + root.subtaskCount + " done"
                Accessible.onPressAction: root.toggleExpanded()
                readonly property color tint: root.allSubtasksCompleted ? OrdlenDesign.color.success
                                                                        : OrdlenDesign.color.textSecondary
                width: badgeLabel.implicitWidth + 14
                height: badgeLabel.implicitHeight + 7
                radius: 6
                color: root.allSubtasksCompleted ? OrdlenDesign.withOpacity(OrdlenDesign.color.success, 0.12)
                                                 : OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.06)

                Row {
                    id: badgeLabel
                    anchors.centerIn: parent
                    spacing: 5
                    SymbolIcon {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "checklist"
                        pointSize: 9.5
                        weight: Font.Bold
                        color: badge.tint
                    }
                    Text {
                        objectName: "badgeText"
                        anchors.verticalCenter: parent.verticalCenter
                        text: root.badgeText
                        font: OrdlenDesign.font.badge
                        color: badge.tint
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: root.toggleExpanded()
                }
            }

            Row {
                id: actions
                objectName: "hoverActions"
                readonly property bool shown: root.isHovered && !title.isEditing
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10
                rightPadding: 8
                opacity: shown ? 1 : 0
                Behavior on opacity {
                    enabled: root.animates
                    OrdlenQuick {}
                }

                SymbolIcon {
                    id: addButton
                    objectName: "addSubtaskButton"
                    name: "plus.circle"
                    pointSize: 13
                    weight: Font.Medium
                    color: OrdlenDesign.withOpacity(OrdlenDesign.color.textSecondary, 0.8)
                    Accessible.role: Accessible.Button
                    Accessible.name: "Add Subtask"
                    Accessible.onPressAction: root.addSubtaskTapped()
                    MouseArea {
                        anchors.fill: parent
                        enabled: actions.shown
                        onClicked: root.addSubtaskTapped()
                    }
                }
                SymbolIcon {
                    id: trashButton
                    objectName: "deleteTaskButton"
                    name: "trash"
                    pointSize: 13
                    weight: Font.Medium
                    color: OrdlenDesign.withOpacity(OrdlenDesign.color.destructive, 0.85)
                    Accessible.role: Accessible.Button
                    Accessible.name: "Delete Task"
                    Accessible.onPressAction: root.store.deleteTask(root.task)
                    MouseArea {
                        anchors.fill: parent
                        enabled: actions.shown
                        onClicked: root.store.deleteTask(root.task)
                    }
                }
            }
        }

        QtObject {
            id: menuHolder
            property PanelMenu menu: null
        }

        Component {
            id: contextMenuComponent
            PanelMenu {
                PanelMenuItem {
                    objectName: "toggleMenuItem"
                    text: root.toggleMenuTitle
                    onTriggered: root.store.toggleTask(root.task)
                }
                PanelMenuItem {
                    objectName: "addSubtaskMenuItem"
                    text: "Add Subtask"
                    onTriggered: root.showAddSubtask()
                }
                PanelMenuSeparator {}
                PanelMenuItem {
                    objectName: "deleteMenuItem"
                    text: "Delete Task"
                    destructive: true
                    onTriggered: root.store.deleteTask(root.task)
                }
            }
        }
    }

    // The subtask section slides in from the top and fades in; it is built
    // only while open (or closing), so reopening starts its rows afresh.
    Item {
        id: sectionHolder
        objectName: "subtaskSection"
        readonly property bool isBuilt: root.isExpanded || height > 0.5
        y: mainLine.height
        width: parent.width
        height: root.isExpanded ? section.implicitHeight : 0
        clip: true
        visible: isBuilt

        Behavior on height {
            enabled: root.animates
            OrdlenSpring {}
        }

        Column {
            id: section
            width: parent.width
            y: root.isExpanded ? 0 : -implicitHeight
            opacity: root.isExpanded ? 1 : 0
            Behavior on y {
                enabled: root.animates
                OrdlenSpring {}
            }
            Behavior on opacity {
                enabled: root.animates
                OrdlenSpring {}
            }

            Repeater {
                id: subtaskRepeater
                model: sectionHolder.isBuilt ? subtaskList : null
                // Its subtask comes from the model's subtask role.
                SubTaskRowView {
                    id: subtaskRow
                    required property int index
                    width: section.width
                    showsFocusRing: root.showsFocusRing && root.focusedSubtaskIndex === index
                    onToggle: root.store.toggleSubtask(subtaskRow.subtask)
                    onDeleteRequested: root.store.deleteSubtask(subtaskRow.subtask, root.task)
                    onUpdateRequested: text => root.store.updateSubtask(subtaskRow.subtask, text)
                }
            }

            // The new-subtask field fades in and out, and stays built while it
            // fades out. A fresh field each time it opens, so it takes the
            // focus again. A Repeater rather than a Loader: Qt 6.4's Loader
            // refuses bound components.
            Item {
                id: subtaskInput
                objectName: "subtaskInput"
                readonly property bool isBuilt: sectionHolder.isBuilt && (root.showSubtaskInput || opacity > 0)
                property AddTaskField field: null
                width: section.width
                height: field ? field.implicitHeight + 12 : 0
                visible: isBuilt
                opacity: root.showSubtaskInput ? 1 : 0
                Behavior on opacity {
                    enabled: root.animates
                    OrdlenSpring { response: 0.5; dampingFraction: 1.0 }
                }

                Repeater {
                    id: fieldRepeater
                    model: subtaskInput.isBuilt ? 1 : 0
                    onItemAdded: (index, item) => subtaskInput.field = item as AddTaskField
                    onItemRemoved: subtaskInput.field = null
                    AddTaskField {
                        x: 14
                        y: 6
                        width: subtaskInput.width - 28
                        placeholder: "New subtask\u2026"
                        isSubtask: true
                        onSubmit: text => {
                            root.store.addSubtask(root.task, text)
                            root.showSubtaskInput = false
                        }
                        onCancel: root.showSubtaskInput = false
                    }
                }
            }
        }
    }
}
