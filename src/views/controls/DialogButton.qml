import QtQuick
import Ordlen

// A button of the panel's dialogs: a label on a rounded fill.
PanelButton {
    id: root

    property string text
    property font font: OrdlenDesign.font.header
    property color textColor: OrdlenDesign.color.textSecondary
    property real horizontalPadding: 12
    property real verticalPadding: 6

    accessibleName: text
    implicitWidth: label.implicitWidth + 2 * horizontalPadding
    implicitHeight: label.implicitHeight + 2 * verticalPadding
    width: implicitWidth
    height: implicitHeight
    color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.06)

    Text {
        id: label
        anchors.centerIn: parent
        text: root.text
        font: root.font
        color: root.textColor
    }
}
