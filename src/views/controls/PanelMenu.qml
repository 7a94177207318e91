import QtQuick
import QtQuick.Controls
import Ordlen

// A menu in the panel's look: a rounded tile on the window background with
// a hairline border. It stays inside the window (submenus open to the other
// side where there is no room).
Menu {
    id: menu

    // As a submenu: a checkmark after its title in the parent menu.
    property bool isMarked: false

    padding: 5
    margins: 6
    overlap: 4
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
