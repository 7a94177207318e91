pragma ComponentBehavior: Bound
import QtQuick

// A soft shadow under a rounded rectangle of the parent's size. The software
// renderer has no blur, so rings of growing size, each faint, stand in for
// one: together they reach `strength` under the shape and fade out over
// `blur` points around it.
Item {
    id: root

    property real radius
    property real blur
    property real offsetY
    property real strength
    property color color: "black"

    // One ring per two points of blur: fewer show as bands.
    readonly property int rings: Math.max(1, Math.min(12, Math.round(blur / 2)))
    // The opacity of one ring, so that all of them stacked give strength.
    readonly property real ringOpacity: 1 - Math.pow(1 - strength, 1 / rings)

    anchors.fill: parent

    Repeater {
        model: root.rings
        Rectangle {
            required property int index
            // From a quarter of the blur inside the shape to three quarters outside.
            readonly property real spread: root.blur * ((index + 0.5) / root.rings - 0.25)
            x: -spread
            y: root.offsetY - spread
            width: root.width + 2 * spread
            height: root.height + 2 * spread
            radius: Math.max(0, root.radius + spread)
            antialiasing: true
            color: Qt.rgba(root.color.r, root.color.g, root.color.b, root.ringOpacity)
        }
    }
}
