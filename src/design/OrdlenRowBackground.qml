import QtQuick
import Ordlen

// The hover highlight behind task and subtask rows: inset 10 from the row's
// sides, drawn only while hovered, faded with the quick animation.
Item {
    id: root

    property bool isHovered: false
    property real cornerRadius: 12
    property bool animates: true

    anchors.fill: parent
    anchors.leftMargin: 10
    anchors.rightMargin: 10
    z: -1

    Rectangle {
        id: highlight
        objectName: "rowHighlight"
        anchors.fill: parent
        radius: root.cornerRadius
        color: OrdlenDesign.color.rowHover
        border.width: 1
        border.color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.04)
        opacity: root.isHovered ? 1 : 0
        // Not a transparent layer but nothing at all while not hovered.
        visible: opacity > 0

        Behavior on opacity {
            enabled: root.animates
            OrdlenQuick {}
        }
    }
}
