import QtQuick
import QtQuick.Controls
import Ordlen

// A right-click menu in the panel's look: a rounded tile on the window
// background with a hairline border.
Menu {
    id: menu

    padding: 5
    implicitWidth: 180

    background: Rectangle {
        implicitWidth: 180
        radius: 8
        color: Appearance.windowBackground
        border.width: 1
        border.color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.12)
    }

    delegate: PanelMenuItem {}
}
