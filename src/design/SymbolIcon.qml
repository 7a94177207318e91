import QtQuick
import Ordlen

// A system symbol by name (see SymbolCatalog) at a point size, weight and
// colour. The glyph is about pointSize tall, like a symbol set in a font of
// that size.
Item {
    id: root

    property string name
    property real pointSize: 13
    property int weight: Font.Normal
    property color color: OrdlenDesign.color.textPrimary

    readonly property real edge: pointSize * 1.2
    // Stroke width in the icon's 24-unit grid per font weight.
    readonly property real strokeWidth: weight >= Font.Bold ? 2.9 : weight >= Font.DemiBold ? 2.5
                                        : weight >= Font.Medium ? 2.25 : 2.0

    implicitWidth: edge
    implicitHeight: edge

    Image {
        id: image
        anchors.centerIn: parent
        width: root.edge
        height: root.edge
        sourceSize.width: Math.ceil(root.edge * 2)
        sourceSize.height: Math.ceil(root.edge * 2)
        smooth: true
        source: root.name.length > 0
                ? "image://symbol/" + root.name + "?color=" + encodeURIComponent(root.color.toString())
                  + "&weight=" + root.strokeWidth
                : ""
    }
}
