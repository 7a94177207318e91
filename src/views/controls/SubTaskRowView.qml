import QtQuick
import Ordlen

// One subtask under an expanded task row. It knows nothing of the store:
// toggle(), deleteRequested() and updateRequested(title) are its owner's
// onToggle, onDelete and onUpdate callbacks.
Item {
    id: root

    required property SubTaskItem subtask
    signal toggle()
    signal deleteRequested()
    signal updateRequested(string title)

    // Ringed while the list's keyboard is on this subtask.
    property bool showsFocusRing: false
    property bool isHovered: false
    readonly property alias isEditing: title.isEditing
    readonly property alias editText: title.editText
    readonly property alias checkbox: checkbox
    readonly property alias title: title

    implicitWidth: 360
    implicitHeight: Math.max(28, row.implicitHeight)

    Accessible.role: Accessible.ListItem
    Accessible.name: subtask ? subtask.title : ""
    Accessible.checkable: true
    Accessible.checked: subtask ? subtask.isCompleted : false

    // The title edited from the keyboard, all of it selected.
    function startEdit() {
        title.startEditSelectingAll()
    }

    OrdlenRowBackground {
        isHovered: root.isHovered
        cornerRadius: 8
    }

    HoverHandler {
        onHoveredChanged: root.isHovered = hovered
    }

    // Inside the row: the section around it clips.
    FocusRing {
        objectName: "focusRing"
        anchors.fill: parent
        anchors.margins: 1
        radius: 8
        visible: root.showsFocusRing
    }

    // Under the row's controls: gets the clicks on the title and the gaps.
    MouseArea {
        anchors.fill: parent
        onDoubleClicked: {
            if (!title.isEditing)
                title.startEdit()
        }
    }

    // The checkbox indented under its task's title, then the title; the
    // delete button at the right end, after a flexible space with a gap on
    // each side of it.
    Item {
        id: row
        readonly property real spacing: 10
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        implicitHeight: Math.max(checkbox.implicitHeight, title.implicitHeight, deleteButton.height)

        CheckboxView {
            id: checkbox
            // The indent of 26 and one gap.
            x: 26 + row.spacing
            anchors.verticalCenter: parent.verticalCenter
            size: CheckboxSize.Subtask
            title: root.subtask ? root.subtask.title : ""
            isCompleted: root.subtask ? root.subtask.isCompleted : false
            onToggle: root.toggle()
        }

        EditableTitle {
            id: title
            anchors.left: checkbox.right
            anchors.leftMargin: row.spacing
            anchors.verticalCenter: parent.verticalCenter
            width: deleteButton.x - x - 2 * row.spacing
            title: root.subtask ? root.subtask.title : ""
            isCompleted: root.subtask ? root.subtask.isCompleted : false
            font: OrdlenDesign.font.subtask
            placeholder: "Subtask\u2026"
            fieldName: "Subtask title"
            onCommitted: text => root.updateRequested(text)
        }

        Item {
            id: deleteButton
            objectName: "deleteButton"
            readonly property bool shown: root.isHovered && !title.isEditing
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            width: 18
            height: 18
            Accessible.role: Accessible.Button
            Accessible.name: "Delete Subtask"
            Accessible.onPressAction: root.deleteRequested()
            opacity: shown ? 1 : 0
            Behavior on opacity {
                OrdlenQuick {}
            }

            SymbolIcon {
                anchors.centerIn: parent
                name: "xmark"
                pointSize: 9
                weight: Font.DemiBold
                color: OrdlenDesign.color.textTertiary
            }
            MouseArea {
                anchors.fill: parent
                enabled: deleteButton.shown
                onClicked: root.deleteRequested()
            }
        }
    }
}
