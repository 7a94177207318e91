pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Ordlen

// One entry of a PanelMenu: an optional symbol, the title, an optional
// checkmark after it, and an arrow when it opens a submenu. Destructive
// entries are drawn in the destructive colour.
MenuItem {
    id: item

    property bool destructive: false
    // A symbol name (see SymbolIcon) before the title; empty for none.
    property string symbol
    // Shows a checkmark after the title.
    property bool isMarked: (item.subMenu as PanelMenu)?.isMarked ?? false

    readonly property color foreground: item.highlighted ? "white"
                                        : item.destructive ? OrdlenDesign.color.destructive
                                                           : OrdlenDesign.color.textPrimary

    implicitHeight: 24
    leftPadding: 8
    rightPadding: 8
    spacing: 6

    Accessible.checkable: item.isMarked
    Accessible.checked: item.isMarked

    contentItem: Row {
        spacing: item.spacing

        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: item.symbol.length > 0
            name: item.symbol
            pointSize: 11
            color: item.foreground
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            // Room is left for the checkmark and the submenu arrow.
            width: Math.min(implicitWidth, item.availableWidth - x - (item.isMarked ? 18 : 0)
                            - (item.subMenu ? 12 : 0))
            text: item.text
            textFormat: Text.PlainText
            font: OrdlenDesign.font.taskTitle
            color: item.foreground
            elide: Text.ElideRight
        }
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: item.isMarked
            name: "checkmark"
            pointSize: 10
            weight: Font.DemiBold
            color: item.foreground
        }
    }

    arrow: Text {
        x: item.width - width - item.rightPadding
        anchors.verticalCenter: parent.verticalCenter
        visible: item.subMenu !== null
        text: "\u203A"
        font.pointSize: 13
        color: item.foreground
    }

    background: Rectangle {
        radius: 5
        color: item.highlighted
               ? (item.destructive ? OrdlenDesign.color.destructive : OrdlenDesign.color.accent)
               : "transparent"
    }
}
