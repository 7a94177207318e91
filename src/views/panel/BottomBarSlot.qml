import QtQuick
import Ordlen

// One of the bottom bar's modes. It comes and goes with the spring: a field
// slides in from the bottom edge while fading in, the button row only fades.
// isBuilt stays true until the way out is over, so what the slot holds can
// be built only while it is needed and still be seen leaving.
Item {
    id: slot

    property bool shown: false
    property bool slides: true
    // How far down a leaving field goes: to the panel's bottom edge.
    property real travel: height

    readonly property bool isBuilt: shown || opacity > 0
    readonly property real occupiedHeight: isBuilt ? implicitHeight : 0

    // The modes share the bar's width and are centred in its height.
    anchors.left: parent.left
    anchors.right: parent.right
    anchors.verticalCenter: parent.verticalCenter
    implicitHeight: childrenRect.height
    height: implicitHeight
    opacity: shown ? 1 : 0
    visible: isBuilt
    enabled: shown

    transform: Translate {
        y: slot.shown || !slot.slides ? 0 : slot.travel
        Behavior on y {
            OrdlenSpring {}
        }
    }

    Behavior on opacity {
        OrdlenSpring {}
    }
}
