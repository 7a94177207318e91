pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// Asks before a workspace and its tasks are deleted, in the desktop's alert
// style: a title, what will go, "Cancel" (which has the keyboard, and
// Escape) and a destructive "Delete". Taps beside the card do nothing.
PanelDialog {
    id: root

    property string workspace
    // How many tasks go with it, of every status.
    property int taskCount

    // What the card says, as last shown: a closing card keeps its message
    // while the owner forgets the workspace.
    property string message
    Binding on message {
        value: root.taskCount >= 1
               ? "\"" + root.workspace + "\" and its " + root.taskCount + " task(s) will be permanently deleted."
               : "\"" + root.workspace + "\" will be deleted."
        when: root.shown
        restoreMode: Binding.RestoreNone
    }

    signal confirmed()
    signal cancelled()

    cardWidth: 260
    Keys.onEscapePressed: root.cancelled()

    card: Column {
        width: parent ? parent.width : 0
        spacing: 10

        Text {
            objectName: "dialogTitle"
            width: parent.width
            text: "Delete workspace?"
            font.family: OrdlenDesign.font.taskTitle.family
            font.pointSize: 13
            font.weight: Font.Bold
            color: OrdlenDesign.color.textPrimary
        }

        Text {
            objectName: "dialogMessage"
            width: parent.width
            text: root.message
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font: OrdlenDesign.font.taskTitle
            color: OrdlenDesign.color.textSecondary
        }

        Item {
            width: parent.width
            height: Math.max(cancelButton.height, deleteButton.height) + 4

            DialogButton {
                id: cancelButton
                objectName: "cancelButton"
                anchors.verticalCenter: parent.verticalCenter
                text: "Cancel"
                focus: true
                onActivated: root.cancelled()
            }
            DialogButton {
                id: deleteButton
                objectName: "deleteButton"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: "Delete"
                font.family: OrdlenDesign.font.header.family
                font.pointSize: OrdlenDesign.font.header.pointSize
                font.weight: Font.DemiBold
                textColor: "white"
                horizontalPadding: 14
                color: OrdlenDesign.color.destructive
                onActivated: root.confirmed()
            }
        }
    }
}
