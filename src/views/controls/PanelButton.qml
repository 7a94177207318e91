import QtQuick
import QtQuick.Controls
import Ordlen

// A button of the panel: its content on a rounded fill. It takes the
// keyboard by Tab, is pressed by a click, Space or Return, and tells in its
// tooltip what it does and which key does it too.
ContinuousRoundedCorners {
    id: root

    property string accessibleName
    // The key that does the same from anywhere in the panel, in the
    // desktop's own words ("Ctrl+F"); empty when there is none.
    property string shortcutText
    readonly property string toolTip: shortcutText.length > 0 ? accessibleName + " (" + shortcutText + ")"
                                                              : accessibleName

    signal activated()

    radius: 8
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: root.accessibleName
    Accessible.onPressAction: root.activated()

    Keys.onSpacePressed: root.activated()
    Keys.onReturnPressed: root.activated()
    Keys.onEnterPressed: root.activated()

    FocusRing {
        anchors.fill: parent
        anchors.margins: -2
        radius: root.radius + 2
        visible: root.activeFocus
    }

    HoverHandler {
        id: hover
    }

    MouseArea {
        anchors.fill: parent
        onClicked: root.activated()
    }

    ToolTip.text: root.toolTip
    ToolTip.visible: hover.hovered && root.shortcutText.length > 0
    ToolTip.delay: 700
}
