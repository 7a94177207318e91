import QtQuick
import QtQuick.Controls
import Ordlen

// A menu control of the panel's header: a borderless label, 72 wide, that
// opens its menu under itself on a click, Space or Return. The menu is made
// on first use, from menuComponent, and stays inside the panel.
FocusScope {
    id: root

    // The label: an item of the button's height, laid out by the user.
    default property alias label: labelHolder.data
    property Component menuComponent
    property string toolTip
    // The menu, once it has been opened.
    readonly property PanelMenu menu: menuHolder.menu
    readonly property bool isMenuOpen: menuHolder.menu !== null && menuHolder.menu.visible

    signal aboutToOpen()

    width: 72
    activeFocusOnTab: true

    Accessible.role: Accessible.ButtonMenu
    Accessible.name: root.toolTip
    Accessible.onPressAction: root.open()

    // Opens the menu below the button, aligned with its leading edge when
    // the panel has room on that side, with its trailing edge otherwise.
    function open() {
        if (!menuHolder.menu)
            menuHolder.menu = menuComponent.createObject(root) as PanelMenu
        root.aboutToOpen()
        const menu = menuHolder.menu
        const window = root.Window.window
        const leadingX = root.mapToItem(null, 0, 0).x
        const x = window && leadingX + menu.implicitWidth > window.width - menu.margins ? root.width - menu.implicitWidth : 0
        menu.popup(root, x, root.height)
    }

    Keys.onSpacePressed: root.open()
    Keys.onReturnPressed: root.open()
    Keys.onEnterPressed: root.open()

    QtObject {
        id: menuHolder
        property PanelMenu menu: null
    }

    Item {
        id: labelHolder
        anchors.fill: parent
    }

    // Marks the button that has the keyboard.
    FocusRing {
        anchors.fill: parent
        anchors.margins: 2
        radius: 8
        visible: root.activeFocus
    }

    HoverHandler {
        id: hover
    }

    MouseArea {
        anchors.fill: parent
        onClicked: root.open()
    }

    ToolTip.text: root.toolTip
    ToolTip.visible: root.toolTip.length > 0 && hover.hovered && !root.isMenuOpen
    ToolTip.delay: 700
}
