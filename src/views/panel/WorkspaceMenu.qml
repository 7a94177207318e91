pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// The header's workspace menu: its label shows the selected workspace (or
// "All"); its menu chooses, orders, renames and deletes workspaces and
// starts a new one. It holds no state: the owner hands it the names and the
// selection and carries out what it reports.
HeaderMenuButton {
    id: root

    // Empty while every workspace is shown.
    property string selectedWorkspace
    // The names to offer, in menu order.
    property var workspaces: []
    property bool offersNewWorkspace: true
    // The one workspace that can't be moved, renamed or deleted.
    property string builtInWorkspace: "Personal"

    readonly property bool hasSelection: selectedWorkspace.length > 0

    signal allChosen()
    signal workspaceChosen(string name)
    signal moveUpChosen(string name)
    signal moveDownChosen(string name)
    signal renameChosen(string name)
    signal deleteChosen(string name)
    signal newWorkspaceChosen()

    toolTip: "Switch Workspace"
    implicitHeight: badge.height

    ContinuousRoundedCorners {
        id: badge
        objectName: "workspaceBadge"
        anchors.centerIn: parent
        width: Math.min(parent.width, column.implicitWidth + 2 * 8)
        height: column.implicitHeight + 2 * 4
        radius: 8
        color: root.hasSelection ? OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.1) : "transparent"

        Column {
            id: column
            anchors.centerIn: parent
            width: Math.min(implicitWidth, root.width - 2 * 8)
            spacing: 2

            SymbolIcon {
                anchors.horizontalCenter: parent.horizontalCenter
                name: root.hasSelection ? "folder.fill" : "folder"
                pointSize: 13
                weight: Font.Medium
                color: nameLabel.color
            }
            Text {
                id: nameLabel
                objectName: "workspaceName"
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, root.width - 2 * 8)
                text: root.hasSelection ? root.selectedWorkspace : "All"
                textFormat: Text.PlainText
                font.family: OrdlenDesign.font.header.family
                font.pointSize: 9
                font.weight: Font.DemiBold
                // Shrinks to 80 % before it is cut at the end.
                fontSizeMode: Text.HorizontalFit
                minimumPointSize: 9 * 0.8
                elide: Text.ElideRight
                maximumLineCount: 1
                horizontalAlignment: Text.AlignHCenter
                color: root.hasSelection ? OrdlenDesign.color.accent : OrdlenDesign.color.textSecondary
            }
        }
    }

    menuComponent: PanelMenu {
        id: menu

        // The names follow the owner's only while the menu is closed: a
        // choice that changes them must not rebuild the submenus under the
        // closing menu.
        property var shownWorkspaces: []
        Binding on shownWorkspaces {
            value: root.workspaces
            when: !menu.visible
            restoreMode: Binding.RestoreNone
        }

        PanelMenuItem {
            objectName: "allWorkspacesItem"
            text: "All Workspaces"
            isMarked: !root.hasSelection
            onTriggered: root.allChosen()
        }
        PanelMenuSeparator {}
        // One submenu per workspace, between the two separators.
        Instantiator {
            model: menu.shownWorkspaces
            delegate: WorkspaceSubmenu {
                required property string modelData
                name: modelData
                isMarked: root.selectedWorkspace === modelData
                isBuiltIn: modelData === root.builtInWorkspace
                onSelectChosen: root.workspaceChosen(name)
                onMoveUpChosen: root.moveUpChosen(name)
                onMoveDownChosen: root.moveDownChosen(name)
                onRenameChosen: root.renameChosen(name)
                onDeleteChosen: root.deleteChosen(name)
            }
            onObjectAdded: (index, object) => menu.insertMenu(2 + index, object as WorkspaceSubmenu)
            onObjectRemoved: (index, object) => menu.removeMenu(object as WorkspaceSubmenu)
        }
        PanelMenuSeparator {}
        PanelMenuItem {
            objectName: "newWorkspaceItem"
            text: "New Workspace..."
            symbol: "plus.rectangle.on.folder"
            // Left out rather than disabled, and so skipped by the arrows.
            visible: root.offersNewWorkspace
            enabled: root.offersNewWorkspace
            height: root.offersNewWorkspace ? implicitHeight : 0
            onTriggered: root.newWorkspaceChosen()
        }
    }
}
