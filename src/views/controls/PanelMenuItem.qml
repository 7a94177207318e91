import QtQuick
import QtQuick.Controls
import Ordlen

// One entry of a PanelMenu; destructive entries are drawn in the
// destructive colour.
MenuItem {
    id: item

    property bool destructive: false

    implicitHeight: 24
    leftPadding: 10
    rightPadding: 10

    contentItem: Text {
        text: item.text
        font: OrdlenDesign.font.taskTitle
        color: item.highlighted ? "white"
               : item.destructive ? OrdlenDesign.color.destructive : OrdlenDesign.color.textPrimary
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        radius: 5
        color: item.highlighted
               ? (item.destructive ? OrdlenDesign.color.destructive : OrdlenDesign.color.accent)
               : "transparent"
    }
}
