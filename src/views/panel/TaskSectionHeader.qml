import QtQuick
import Ordlen

// A workspace's heading in the grouped task list. The list's view builds
// one per section, in a context of its own (Qt 6.4 refuses bound components
// there), so the heading reads what it needs from that view. While pinned
// over rows that scroll under it, it takes the panel's background so they
// don't show through its text.
Item {
    id: header

    required property string section
    readonly property ListView view: ListView.view as ListView
    // The list's model gives the heading's text.
    readonly property string title: view ? view.model.sectionTitle(section) : ""
    readonly property bool isPinned: view !== null && view.contentY > -view.topMargin
                                     && y - view.contentY < 0.5

    objectName: "sectionHeader"
    width: view ? view.width : 0
    // The list's gap before the section's first row is the heading's.
    implicitHeight: label.implicitHeight + 8 + OrdlenDesign.metrics.rowSpacing

    Rectangle {
        anchors.fill: parent
        // Not quite opaque: Qt 6.4's software renderer then left stale rows
        // drawn where a heading had been pinned before the list scrolled.
        color: OrdlenDesign.withOpacity(Appearance.windowBackground, 0.99)
        visible: header.isPinned
    }

    Text {
        id: label
        objectName: "sectionTitle"
        x: OrdlenDesign.metrics.listInset + 14
        y: 4
        text: header.title
        font: OrdlenDesign.font.badge
        color: OrdlenDesign.color.textSecondary
    }
}
