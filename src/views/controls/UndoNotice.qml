import QtQuick
import QtQuick.Controls
import Ordlen

// A quiet pill after a deletion: what went, and an "Undo" button. It shows
// while `shown`; the owner decides for how long.
Item {
    id: root

    property bool shown: false
    property string text
    // The key that undoes from anywhere in the panel, for the tooltip.
    property string shortcutText
    signal undoChosen()

    implicitWidth: pill.width
    implicitHeight: pill.height
    opacity: shown ? 1 : 0
    visible: opacity > 0
    Behavior on opacity {
        OrdlenQuick {}
    }

    // What went is told to screen readers by the panel as it happens, also
    // while the notice already shows; here it is only a status.
    Accessible.role: Accessible.StatusBar
    Accessible.name: root.text

    ContinuousRoundedCorners {
        id: pill
        anchors.horizontalCenter: parent.horizontalCenter
        width: row.implicitWidth + 2 * 12
        height: row.implicitHeight + 2 * 6
        radius: height / 2
        color: Appearance.windowBackground
        border.width: 1
        border.color: OrdlenDesign.color.separator

        Row {
            id: row
            anchors.centerIn: parent
            spacing: 8

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: root.text
                font: OrdlenDesign.font.caption
                color: OrdlenDesign.color.textSecondary
            }
            Text {
                objectName: "undoButton"
                anchors.verticalCenter: parent.verticalCenter
                text: "Undo"
                font.family: OrdlenDesign.font.caption.family
                font.pointSize: OrdlenDesign.font.caption.pointSize
                font.weight: Font.DemiBold
                color: OrdlenDesign.color.accent

                Accessible.role: Accessible.Button
                Accessible.name: "Undo"
                Accessible.onPressAction: root.undoChosen()

                MouseArea {
                    id: undoArea
                    anchors.fill: parent
                    anchors.margins: -6
                    enabled: root.shown
                    hoverEnabled: true
                    onClicked: root.undoChosen()
                }
                ToolTip.text: "Undo (" + root.shortcutText + ")"
                ToolTip.visible: undoArea.containsMouse && root.shortcutText.length > 0
                ToolTip.delay: 700
            }
        }
    }
}
