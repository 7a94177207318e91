pragma ComponentBehavior: Bound
import QtQuick
import QtQml.Models
import Ordlen

// The root view in the popover: a rounded, see-through panel with a faint
// white rim around the task panel. The panel inside is built once
// isPanelLoaded turns true, which the app does just after its tray icon has
// appeared (or at once when the panel is wanted sooner), so the icon shows
// without waiting for it.
FocusScope {
    id: root

    required property TaskStore taskStore
    required property TaskListModel taskList
    required property StoreStatus storeStatus
    required property PanelPreferences panelPreferences
    required property LaunchAtLoginService loginItems
    property bool isPanelLoaded: false
    readonly property TaskListView panel: panelInstantiator.object as TaskListView

    readonly property int cornerRadius: 20
    // Without a compositor, see-through pixels would show black: the
    // background is then drawn solid (the window cuts the corners off).
    readonly property PopoverWindow popover: Window.window as PopoverWindow
    readonly property bool isTranslucent: popover ? popover.isTranslucent : true

    width: 408
    implicitWidth: 408
    implicitHeight: 476
    height: Math.max(200, Math.min(476, implicitHeight))
    focus: true

    Rectangle {
        anchors.fill: parent
        radius: root.cornerRadius
        color: {
            const base = Appearance.windowBackground
            return root.isTranslucent ? Qt.rgba(base.r, base.g, base.b, 0.86) : base
        }
    }

    // The window's own background shows outside the rounded one (the
    // corners of the ordinary window): solid, it is light or dark with it.
    Binding {
        target: root.popover
        property: "color"
        value: Appearance.windowBackground
        when: root.popover !== null && !root.isTranslucent
    }

    // An Instantiator rather than a Loader: Qt 6.4's Loader refuses bound
    // components.
    Instantiator {
        id: panelInstantiator
        active: root.isPanelLoaded
        TaskListView {
            parent: root
            anchors.fill: parent
            focus: true
            taskStore: root.taskStore
            taskList: root.taskList
            storeStatus: root.storeStatus
            cornerRadius: root.cornerRadius
            panelPreferences: root.panelPreferences
            loginItems: root.loginItems
            onQuitRequested: Qt.quit()
            onDismissRequested: root.popover?.closePopover()
        }
    }

    // Quick capture: the bottom bar in add mode, as Ctrl+N leaves it.
    function capture() {
        if (panel && !panel.isShowingDialog)
            panel.openAddField()
    }

    // "Keep Window Open" applies to the popover each time it shows and
    // whenever it changes.
    function updateWindowBehavior() {
        if (popover && panel)
            popover.updateWindowBehavior(panel.isPinned)
    }
    onPanelChanged: updateWindowBehavior()
    Connections {
        target: root.panel
        function onIsPinnedChanged() {
            root.updateWindowBehavior()
        }
    }
    Connections {
        target: root.popover
        function onVisibleChanged() {
            if (root.popover.visible)
                root.updateWindowBehavior()
        }
    }

    // The rim: a 0.8-point inner stroke, white fading from 12 % at the top
    // left to 4 % at the bottom right. Over the panel, which is built later.
    PanelRim {
        anchors.fill: parent
        z: 1
        radius: root.cornerRadius
        lineWidth: 0.8
        startOpacity: 0.12
        endOpacity: 0.04
    }
}
