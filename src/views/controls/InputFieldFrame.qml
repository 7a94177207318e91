import QtQuick
import Ordlen

// The tinted, rounded background of the add and search fields; its border
// turns accent while the field has the keyboard focus.
Rectangle {
    property bool isFocused: false

    anchors.fill: parent
    radius: 12
    antialiasing: true
    color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.05)
    border.width: 1
    border.color: isFocused ? OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.35) : OrdlenDesign.color.separator

    Behavior on border.color {
        OrdlenQuickColor {}
    }
}
