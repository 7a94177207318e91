import QtQuick
import QtQuick.Controls
import Ordlen

// One quiet line while nothing the user types is kept: the task file could
// not be opened and the tasks live in memory until the app quits. Pointing
// at it shows why. Hidden (and no height) while the store is saved.
Item {
    id: root

    property StoreStatus storeStatus
    readonly property bool isShown: storeStatus !== null && !storeStatus.isPersistent
    readonly property string text: "Not saved \u2014 the task file could not be opened"
    readonly property string problem: storeStatus ? storeStatus.problem : ""

    visible: isShown
    implicitWidth: row.implicitWidth
    implicitHeight: isShown ? row.implicitHeight : 0

    Accessible.role: Accessible.StaticText
    Accessible.name: text
    Accessible.description: problem

    ToolTip.text: problem
    ToolTip.visible: hover.hovered && problem.length > 0
    ToolTip.delay: OrdlenDesign.animation.scaled(600)

    HoverHandler {
        id: hover
    }

    Row {
        id: row
        width: Math.min(implicitWidth, root.width)
        spacing: 4

        Text {
            id: symbol
            Accessible.ignored: true
            // The warning sign in its text form, not the emoji.
            text: "\u26A0\uFE0E"
            font: OrdlenDesign.font.caption
            color: OrdlenDesign.color.textSecondary
        }
        Text {
            objectName: "noticeText"
            Accessible.ignored: true
            width: Math.min(implicitWidth, row.width - symbol.width - row.spacing)
            text: root.text
            font: OrdlenDesign.font.caption
            color: OrdlenDesign.color.textSecondary
            elide: Text.ElideRight
        }
    }
}
