pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Ordlen

// The segmented All / Pending / Done control of the panel's header. One
// raised highlight slides to the selected pill with a 0.28 / 0.68 spring.
// `selection` is the owner's filter, which the bar only shows: every tap,
// even on the selected pill, is reported through filterChosen() and the
// owner decides (selection: store.activeFilter; onFilterChosen: ...).
// One stop of the Tab chain: Left and Right choose the neighbouring filter.
Item {
    id: root

    property int selection: TaskFilter.Pending
    property int pendingCount: 0
    property int doneCount: 0
    // The keys that choose each filter from anywhere, in the order of the
    // pills, for their tooltips.
    property var shortcutTexts: []
    signal filterChosen(int filter)

    readonly property var pills: [
        { filter: TaskFilter.All, name: "All", symbol: "tray.full" },
        { filter: TaskFilter.Pending, name: "Pending", symbol: "circle" },
        { filter: TaskFilter.Done, name: "Done", symbol: "checkmark.circle.fill" }
    ]

    function countFor(filter) {
        if (filter === TaskFilter.All)
            return pendingCount + doneCount
        return filter === TaskFilter.Pending ? pendingCount : doneCount
    }

    function pillFor(filter) {
        for (let i = 0; i < repeater.count; ++i) {
            const pill = repeater.itemAt(i)
            if (pill && pill.filter === filter)
                return pill
        }
        return null
    }

    Accessible.role: Accessible.Grouping
    Accessible.name: "Task filter"

    activeFocusOnTab: true
    function chooseNeighbour(step: int) {
        const index = pills.findIndex(pill => pill.filter === selection) + step
        if (index >= 0 && index < pills.length)
            filterChosen(pills[index].filter)
    }
    Keys.onLeftPressed: chooseNeighbour(-1)
    Keys.onRightPressed: chooseNeighbour(+1)

    FocusRing {
        anchors.fill: parent
        anchors.margins: -2
        radius: 14
        visible: root.activeFocus
        z: 1
    }

    implicitWidth: row.implicitWidth + 5
    implicitHeight: row.implicitHeight + 5

    Rectangle {
        anchors.fill: parent
        radius: 12
        antialiasing: true
        color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.07)
    }

    // The highlight, a single tile that follows the selected pill.
    Item {
        id: highlight
        objectName: "tabHighlight"
        readonly property Item target: root.pillFor(root.selection)
        x: target ? row.x + target.x : 0
        y: row.y
        width: target ? target.width : 0
        height: row.height
        visible: target !== null

        Behavior on x {
            OrdlenSpring { response: 0.28; dampingFraction: 0.68 }
        }
        Behavior on width {
            OrdlenSpring { response: 0.28; dampingFraction: 0.68 }
        }

        // Soft drop shadow (black 12 %, radius 5, 1.5 down) built from a few
        // widening translucent outlines, since no blur runs on every backend.
        Repeater {
            model: 4
            Rectangle {
                required property int index
                anchors.fill: parent
                anchors.margins: -index * 1.25
                anchors.topMargin: -index * 1.25 + 1.5
                anchors.bottomMargin: -index * 1.25 - 1.5
                radius: 8 + index * 1.25
                color: Qt.rgba(0, 0, 0, 0.12 / (index + 2))
            }
        }
        Rectangle {
            anchors.fill: parent
            radius: 8
            antialiasing: true
            color: Appearance.windowBackground
        }
    }

    Row {
        id: row
        x: 2.5
        y: 2.5
        spacing: 1

        Repeater {
            id: repeater
            model: root.pills

            Item {
                id: pill
                required property var modelData
                required property int index
                readonly property int filter: modelData.filter
                readonly property string name: modelData.name
                readonly property bool isSelected: root.selection === filter
                readonly property int count: root.countFor(filter)
                readonly property string accessibilityValue: isSelected ? "Selected" : "Not selected"
                readonly property string accessibilityHint: "Show " + name.toLowerCase() + " tasks"
                readonly property color tint: isSelected ? OrdlenDesign.color.accent : OrdlenDesign.color.textSecondary

                objectName: "pill" + name
                implicitWidth: label.implicitWidth + 18
                implicitHeight: label.implicitHeight + 8
                width: implicitWidth
                height: implicitHeight

                Accessible.role: Accessible.Button
                Accessible.name: name
                Accessible.description: accessibilityHint
                Accessible.checkable: true
                Accessible.checked: isSelected
                Accessible.onPressAction: root.filterChosen(filter)

                Row {
                    id: label
                    anchors.centerIn: parent
                    spacing: 4

                    SymbolIcon {
                        anchors.verticalCenter: parent.verticalCenter
                        name: pill.modelData.symbol
                        pointSize: 9.5
                        weight: Font.DemiBold
                        color: pill.tint
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: pill.name
                        font: OrdlenDesign.font.header
                        color: pill.tint
                    }
                    Rectangle {
                        objectName: "countCapsule"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: pill.count >= 1
                        width: countText.implicitWidth + 9
                        height: countText.implicitHeight + 2
                        radius: height / 2
                        antialiasing: true
                        color: pill.isSelected ? OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.18)
                                               : OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.08)
                        Text {
                            id: countText
                            objectName: "countText"
                            anchors.centerIn: parent
                            text: String(pill.count)
                            font: OrdlenDesign.font.badge
                            color: pill.isSelected ? OrdlenDesign.color.accent : OrdlenDesign.color.textTertiary
                        }
                    }
                }

                MouseArea {
                    id: pillArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: root.filterChosen(pill.filter)
                }
                ToolTip.text: pill.name + " (" + root.shortcutTexts[pill.index] + ")"
                ToolTip.visible: pillArea.containsMouse && pill.index < root.shortcutTexts.length
                ToolTip.delay: 700
            }
        }
    }
}
