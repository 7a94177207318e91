import QtQuick
import Ordlen

// The one-line field that creates a task or a subtask. It takes the focus
// once shown, hands the trimmed text to submit(), and asks to be closed
// through cancel() on Escape, on an empty Return and when focus leaves it
// without a submission.
Item {
    id: root

    property string placeholder
    property bool isSubtask: false
    signal submit(string title)
    signal cancel()

    readonly property alias text: input.text
    readonly property bool isFocused: input.activeFocus
    // Set just before a submission so the focus loss that follows is not
    // taken for a cancel.
    property bool didSubmit: false
    readonly property bool showsReturnHint: input.text.trim().length > 0
    property alias input: input

    readonly property real minimumHeight: isSubtask ? 28 : 32

    implicitWidth: 240
    implicitHeight: Math.max(minimumHeight, row.implicitHeight)

    function submitText() {
        const trimmed = input.text.trim()
        if (trimmed.length > 0) {
            didSubmit = true
            input.text = ""
            root.submit(trimmed)
        } else {
            input.text = ""
            root.cancel()
        }
    }

    InputFieldFrame {
        isFocused: root.isFocused
    }

    Row {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        spacing: 10

        Item {
            width: root.isSubtask ? 13.5 : 16
            height: parent.height
            SymbolIcon {
                anchors.centerIn: parent
                name: root.isSubtask ? "arrow.turn.down.right" : "plus"
                pointSize: root.isSubtask ? 10 : 12
                weight: Font.DemiBold
                color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.8)
            }
        }

        PlainTextInput {
            id: input
            objectName: "addTaskInput"
            width: row.width - x - (hint.visible ? hint.width + row.spacing : 0)
            height: parent.height
            placeholder: root.placeholder
            Accessible.name: root.isSubtask ? "New subtask" : "New task"
            font: root.isSubtask ? OrdlenDesign.font.subtask : OrdlenDesign.font.input

            Keys.onReturnPressed: root.submitText()
            Keys.onEnterPressed: root.submitText()
            Keys.onEscapePressed: event => {
                input.text = ""
                root.cancel()
                event.accepted = true
            }
            onActiveFocusChanged: {
                if (!activeFocus && !root.didSubmit) {
                    input.text = ""
                    root.cancel()
                }
                root.didSubmit = false
            }
        }

        Text {
            id: hint
            objectName: "returnHint"
            Accessible.ignored: true
            anchors.verticalCenter: parent.verticalCenter
            text: "\u21A9"
            font: OrdlenDesign.font.caption
            color: OrdlenDesign.color.textTertiary
            opacity: root.showsReturnHint ? 1 : 0
            scale: root.showsReturnHint ? 1 : 0.8
            visible: opacity > 0
            Behavior on opacity {
                OrdlenQuick {}
            }
            Behavior on scale {
                OrdlenQuick {}
            }
        }
    }

    // Takes the keyboard focus a moment from now, as it does once shown.
    function grabFocus() {
        focusGrab.restart()
    }

    Timer {
        id: focusGrab
        interval: OrdlenDesign.animation.focusDelay
        running: true
        onTriggered: input.forceActiveFocus()
    }
}
