import QtQuick
import Ordlen

// The bottom bar at rest: the "New Task" button, which shows its keyboard
// shortcut, and the search button. It only reports the taps.
Row {
    id: root

    property string shortcutText
    property string searchShortcutText
    signal newTaskTapped()
    signal searchTapped()

    spacing: 12

    PanelButton {
        id: newTaskButton
        objectName: "newTaskButton"
        anchors.verticalCenter: parent.verticalCenter
        width: root.width - searchButton.width - root.spacing
        height: label.implicitHeight + 16
        radius: 12
        color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.03)
        accessibleName: "New Task"
        shortcutText: root.shortcutText
        onActivated: root.newTaskTapped()

        Row {
            id: label
            x: 12
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "plus"
                pointSize: 11
                weight: Font.DemiBold
                color: OrdlenDesign.color.textSecondary
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "New Task"
                font.family: OrdlenDesign.font.taskTitle.family
                font.pointSize: OrdlenDesign.font.taskTitle.pointSize
                font.weight: Font.Medium
                color: OrdlenDesign.color.textSecondary
            }
            Text {
                objectName: "shortcutHint"
                anchors.verticalCenter: parent.verticalCenter
                leftPadding: 2
                text: root.shortcutText
                font: OrdlenDesign.font.caption
                color: OrdlenDesign.color.textTertiary
            }
        }
    }

    PanelButton {
        id: searchButton
        objectName: "searchButton"
        anchors.verticalCenter: parent.verticalCenter
        // A 20-point symbol frame, padded 10 across and 7 down.
        width: 20 + 20
        height: 20 + 14
        radius: 12
        color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.04)
        accessibleName: "Search"
        shortcutText: root.searchShortcutText
        onActivated: root.searchTapped()

        SymbolIcon {
            anchors.centerIn: parent
            name: "magnifyingglass"
            pointSize: 13
            weight: Font.Medium
            color: OrdlenDesign.color.textSecondary
        }
    }
}
