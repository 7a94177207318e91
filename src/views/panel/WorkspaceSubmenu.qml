pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// One workspace in the workspace menu: "Select", and for every workspace
// but the built-in one, moving, renaming and deleting it.
PanelMenu {
    id: root

    property string name
    property bool isBuiltIn: false

    signal selectChosen()
    signal moveUpChosen()
    signal moveDownChosen()
    signal renameChosen()
    signal deleteChosen()

    title: name

    PanelMenuItem {
        text: "Select"
        symbol: "checkmark"
        onTriggered: root.selectChosen()
    }
    PanelMenuSeparator {}
    PanelMenuItem {
        text: "Move Up"
        symbol: "arrow.up"
        onTriggered: root.moveUpChosen()
    }
    PanelMenuItem {
        text: "Move Down"
        symbol: "arrow.down"
        onTriggered: root.moveDownChosen()
    }
    PanelMenuSeparator {}
    PanelMenuItem {
        text: "Rename..."
        symbol: "pencil"
        onTriggered: root.renameChosen()
    }
    PanelMenuItem {
        text: "Delete"
        symbol: "trash"
        destructive: true
        onTriggered: root.deleteChosen()
    }

    // The built-in workspace's menu holds only "Select".
    Component.onCompleted: {
        if (isBuiltIn) {
            while (count > 1)
                removeItem(itemAt(1))
        }
    }
}
