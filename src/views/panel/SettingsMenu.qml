pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// The header's settings menu behind the gear: "Keep Window Open", the
// launch-at-login switch and "Quit Ordlen". It only reports the choices.
HeaderMenuButton {
    id: root

    property bool isPinned: false
    property bool launchesAtLogin: false

    signal pinToggled()
    signal launchAtLoginToggled()
    signal quitChosen()

    Accessible.name: "Settings"
    implicitHeight: gear.height

    SymbolIcon {
        id: gear
        anchors.centerIn: parent
        name: "gearshape"
        pointSize: 14
        color: OrdlenDesign.color.textSecondary
    }

    menuComponent: PanelMenu {
        PanelMenuItem {
            objectName: "keepWindowOpenItem"
            text: "Keep Window Open"
            isMarked: root.isPinned
            onTriggered: root.pinToggled()
        }
        PanelMenuItem {
            objectName: "launchAtLoginItem"
            text: root.launchesAtLogin ? "Disable Launch at Login" : "Launch at Login"
            onTriggered: root.launchAtLoginToggled()
        }
        PanelMenuSeparator {}
        PanelMenuItem {
            objectName: "quitItem"
            text: "Quit Ordlen"
            destructive: true
            onTriggered: root.quitChosen()
        }
    }
}
