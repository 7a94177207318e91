pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// Asks for a workspace name, to create one or to rename one. `text` is the
// owner's value, which the field only shows; every edit is reported through
// textEdited() for the owner to write (and cap). Return submits, Escape and
// a tap beside the card cancel. The field gets the keyboard only when the
// user clicks it.
PanelDialog {
    id: root

    property bool isRenaming: false
    property string text
    // The mode as last shown: a closing dialog keeps its title and button.
    property bool showsRenaming
    Binding on showsRenaming {
        value: root.isRenaming
        when: root.shown
        restoreMode: Binding.RestoreNone
    }

    signal textEdited(string text)
    signal submitted()
    signal cancelled()

    onDimmedAreaTapped: root.cancelled()
    Keys.onEscapePressed: root.cancelled()
    Keys.onReturnPressed: root.submitted()
    Keys.onEnterPressed: root.submitted()

    card: Column {
        width: parent ? parent.width : 0
        spacing: 14

        Text {
            objectName: "dialogTitle"
            width: parent.width
            text: root.showsRenaming ? "Rename Workspace" : "New Workspace"
            font.family: OrdlenDesign.font.taskTitle.family
            font.pointSize: OrdlenDesign.font.taskTitle.pointSize
            font.weight: Font.DemiBold
            color: OrdlenDesign.color.textPrimary
        }

        ContinuousRoundedCorners {
            width: parent.width
            height: nameInput.implicitHeight + 2 * 8
            radius: 8
            color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.06)
            border.width: 1
            border.color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.45)

            PlainTextInput {
                id: nameInput
                objectName: "workspaceNameInput"
                x: 10
                width: parent.width - 2 * 10
                height: parent.height
                placeholder: "Name (max 10 chars)"
                Accessible.name: "Workspace name"
                font: OrdlenDesign.font.input
                // Typing leaves this binding in place: the owner's capped
                // value replaces what was typed.
                text: root.text
                onTextEdited: {
                    const caret = cursorPosition
                    root.textEdited(text)
                    // An owner that kept its value as it was (it took only
                    // the first characters) sends no change: show it anew.
                    if (text !== root.text)
                        text = Qt.binding(() => root.text)
                    // The caret stays where it was, or at the end of what was kept.
                    cursorPosition = Math.min(caret, length)
                }
                Keys.onReturnPressed: root.submitted()
                Keys.onEnterPressed: root.submitted()
            }
        }

        Item {
            width: parent.width
            height: Math.max(cancelButton.height, submitButton.height)

            DialogButton {
                id: cancelButton
                objectName: "cancelButton"
                anchors.verticalCenter: parent.verticalCenter
                text: "Cancel"
                onActivated: root.cancelled()
            }
            DialogButton {
                id: submitButton
                objectName: "submitButton"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: root.showsRenaming ? "Rename" : "Create"
                font.family: OrdlenDesign.font.header.family
                font.pointSize: OrdlenDesign.font.header.pointSize
                font.weight: Font.DemiBold
                textColor: "white"
                horizontalPadding: 14
                color: OrdlenDesign.color.accent
                onActivated: root.submitted()
            }
        }
    }
}
