pragma ComponentBehavior: Bound
import QtQuick
import QtQml.Models
import Ordlen

// The root view in the popover: a rounded, see-through panel with a faint
// white rim around the task panel. The panel inside is built once
// isPanelLoaded turns true, which the app does just after its tray icon has
// appeared (or at once when the panel is wanted sooner), so the icon shows
// without waiting for it. Until the task panel arrives the panel is a plain
// list of the tasks and a field that adds one.
FocusScope {
    id: root

    required property TaskStore taskStore
    required property TaskListModel taskList
    property bool isPanelLoaded: false

    readonly property int padding: 8
    readonly property int cornerRadius: 20
    // Without a compositor, see-through pixels would show black: the
    // background is then drawn solid (the window cuts the corners off).
    readonly property PopoverWindow popover: Window.window as PopoverWindow
    readonly property bool isTranslucent: popover ? popover.isTranslucent : true

    width: 408
    implicitWidth: 408
    implicitHeight: 476
    height: Math.max(200, Math.min(476, implicitHeight))
    focus: true

    Rectangle {
        anchors.fill: parent
        radius: root.cornerRadius
        color: {
            const base = Appearance.windowBackground
            return root.isTranslucent ? Qt.rgba(base.r, base.g, base.b, 0.86) : base
        }
    }

    // An Instantiator rather than a Loader: Qt 6.4's Loader refuses bound
    // components.
    Instantiator {
        active: root.isPanelLoaded
        Column {
            parent: root
            anchors.fill: parent
            anchors.margins: root.padding
            spacing: 6

            ListView {
                id: taskList
                objectName: "taskList"
                width: parent.width
                height: parent.height - input.height - parent.spacing
                clip: true
                model: root.taskList
                delegate: Text {
                    required property string title
                    required property bool isCompleted
                    width: ListView.view.width
                    padding: 6
                    text: title
                    elide: Text.ElideRight
                    color: Appearance.primaryLabel
                    font.strikeout: isCompleted
                }
            }

            Rectangle {
                id: input
                width: parent.width
                height: 34
                radius: 10
                color: Appearance.dark ? Qt.rgba(1, 1, 1, 0.08) : Qt.rgba(0, 0, 0, 0.05)

                TextInput {
                    id: titleInput
                    objectName: "titleInput"
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    verticalAlignment: TextInput.AlignVCenter
                    color: Appearance.primaryLabel
                    clip: true
                    focus: true
                    onAccepted: {
                        if (root.taskStore.addTask(text))
                            taskList.positionViewAtEnd()
                        clear()
                    }

                    Text {
                        anchors.fill: parent
                        verticalAlignment: Text.AlignVCenter
                        text: "New task…"
                        color: Appearance.secondaryLabel
                        visible: titleInput.text.length === 0
                    }
                }
            }
        }
    }

    // The rim: a 0.8-point inner stroke, white fading from 12 % at the top
    // left to 4 % at the bottom right.
    PanelRim {
        anchors.fill: parent
        radius: root.cornerRadius
        lineWidth: 0.8
        startOpacity: 0.12
        endOpacity: 0.04
    }
}
