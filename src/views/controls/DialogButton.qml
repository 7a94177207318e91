import QtQuick
import Ordlen

// A button of the panel's dialogs: a label on a rounded fill. It takes the
// keyboard by Tab and is pressed by a click, Space or Return.
ContinuousRoundedCorners {
    id: root

    property string text
    property font font: OrdlenDesign.font.header
    property color textColor: OrdlenDesign.color.textSecondary
    property real horizontalPadding: 12
    property real verticalPadding: 6

    signal activated()

    implicitWidth: label.implicitWidth + 2 * horizontalPadding
    implicitHeight: label.implicitHeight + 2 * verticalPadding
    width: implicitWidth
    height: implicitHeight
    radius: 8
    color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.06)
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: root.text
    Accessible.onPressAction: root.activated()

    Keys.onSpacePressed: root.activated()
    Keys.onReturnPressed: root.activated()
    Keys.onEnterPressed: root.activated()

    Text {
        id: label
        anchors.centerIn: parent
        text: root.text
        font: root.font
        color: root.textColor
    }

    // Marks the button that has the keyboard.
    Rectangle {
        anchors.fill: parent
        anchors.margins: -2
        radius: root.radius + 2
        color: "transparent"
        border.width: 1.5
        border.color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.6)
        visible: root.activeFocus
    }

    MouseArea {
        anchors.fill: parent
        onClicked: root.activated()
    }
}
