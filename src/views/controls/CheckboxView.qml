pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// The round completion checkbox of task and subtask rows. It draws its own
// copy of the state (visualCompleted), flips it at once on a click and tells
// the owner through toggle() once the press is released, a toggle delay
// (80 ms) later.
Item {
    id: root

    property bool isCompleted: false
    property int size: CheckboxSize.Task
    // The title of the task or subtask it completes, for its accessible name.
    property string title
    signal toggle()

    // Off while the row is handed to another task: its state jumps.
    property bool animates: true
    property bool isPressed: false
    property bool visualCompleted: false
    // Clicks whose toggle() is still to come.
    property var pendingReleases: []

    readonly property bool isTask: size === CheckboxSize.Task
    readonly property real hitDiameter: isTask ? 24 : 21.5
    readonly property real ringDiameter: isTask ? 16 : 13.5
    readonly property real ringLineWidth: isTask ? 1.5 : 1.3
    readonly property real checkmarkPointSize: isTask ? 8.8 : 6.75

    // Which spring moves scale and tilt: the completion spring when the drawn
    // state changes, the press spring when only the press is released.
    property real transformResponse: 0.4
    property real transformDamping: 0.45

    implicitWidth: hitDiameter
    implicitHeight: hitDiameter

    // Checked follows the drawn state: it flips at the click.
    Accessible.role: Accessible.CheckBox
    Accessible.name: "Complete " + title
    Accessible.checkable: true
    Accessible.checked: visualCompleted
    Accessible.onPressAction: handleTap()
    Accessible.onToggleAction: handleTap()

    Component.onCompleted: visualCompleted = isCompleted
    onIsCompletedChanged: {
        transformResponse = 0.4
        transformDamping = 0.45
        visualCompleted = isCompleted
    }

    function handleTap() {
        transformResponse = 0.4
        transformDamping = 0.45
        visualCompleted = !visualCompleted
        isPressed = true
        // One timer per click: overlapping clicks each report after the delay.
        pendingReleases = pendingReleases.concat([releaseTimer.createObject(root)])
    }

    // Reports every click still waiting for its delay now, while the owner
    // still holds the task it was meant for.
    function settle() {
        while (pendingReleases.length > 0)
            finishRelease(pendingReleases[0])
    }

    function finishRelease(timer: Timer) {
        pendingReleases = pendingReleases.filter(pending => pending !== timer)
        timer.stop()
        timer.destroy()
        release()
    }

    function release() {
        transformResponse = 0.2
        transformDamping = 0.6
        isPressed = false
        root.toggle()
    }

    Component {
        id: releaseTimer
        Timer {
            interval: OrdlenDesign.animation.toggleDelay
            running: true
            onTriggered: root.finishRelease(this)
        }
    }

    Item {
        id: button
        objectName: "checkboxButton"
        anchors.centerIn: parent
        width: root.hitDiameter
        height: root.hitDiameter
        scale: root.isPressed ? 0.75 : (root.visualCompleted ? 1.15 : 1.0)
        rotation: root.isPressed ? -15 : (root.visualCompleted ? 0 : -5)

        Behavior on scale {
            enabled: root.animates
            OrdlenSpring { response: root.transformResponse; dampingFraction: root.transformDamping }
        }
        Behavior on rotation {
            enabled: root.animates
            OrdlenSpring { response: root.transformResponse; dampingFraction: root.transformDamping }
        }

        Item {
            id: mark
            anchors.centerIn: parent
            width: root.ringDiameter
            height: root.ringDiameter

            // The fill grows from a point and fades to clear when unticked.
            CircleShape {
                id: fill
                objectName: "checkboxFill"
                anchors.fill: parent
                fillColor: root.visualCompleted ? OrdlenDesign.color.success
                                                : OrdlenDesign.withOpacity(OrdlenDesign.color.success, 0)
                scale: root.visualCompleted ? 1.0 : 0.001
                Behavior on scale {
                    enabled: root.animates
                    OrdlenSpring {}
                }
                Behavior on fillColor {
                    enabled: root.animates
                    OrdlenSpringColor {}
                }
            }

            CircleShape {
                id: ring
                objectName: "checkboxRing"
                anchors.fill: parent
                ringWidth: root.ringLineWidth
                ringColor: root.visualCompleted
                           ? OrdlenDesign.color.success
                           : OrdlenDesign.withOpacity(OrdlenDesign.color.textTertiary, 0.5)
                Behavior on ringColor {
                    enabled: root.animates
                    OrdlenSpringColor {}
                }
            }

            SymbolIcon {
                id: checkmark
                objectName: "checkmark"
                anchors.centerIn: parent
                name: "checkmark"
                pointSize: root.checkmarkPointSize
                weight: Font.Bold
                color: "white"
                visible: opacity > 0
                state: root.visualCompleted ? "shown" : "hidden"
                states: [
                    State { name: "shown"; PropertyChanges { target: checkmark; scale: 1.0; opacity: 1.0 } },
                    State { name: "hidden"; PropertyChanges { target: checkmark; scale: 0.1; opacity: 0.0 } }
                ]
                transitions: [
                    Transition {
                        to: "shown"
                        enabled: root.animates
                        OrdlenSpring { properties: "scale,opacity"; response: 0.35; dampingFraction: 0.4 }
                    },
                    Transition {
                        to: "hidden"
                        enabled: root.animates
                        NumberAnimation {
                            properties: "scale,opacity"
                            duration: OrdlenDesign.animation.fadeOut.duration
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: OrdlenDesign.animation.fadeOut.curve
                        }
                    }
                ]
            }
        }

        MouseArea {
            id: hitArea
            anchors.fill: parent
            // Only clicks inside the hit circle count.
            onPressed: mouse => {
                const dx = mouse.x - width / 2
                const dy = mouse.y - height / 2
                mouse.accepted = dx * dx + dy * dy <= (width / 2) * (width / 2)
            }
            onClicked: root.handleTap()
        }
    }
}
