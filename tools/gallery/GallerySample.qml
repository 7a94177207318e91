import QtQuick
import Ordlen

// One state of a control: its label and the control, side by side. Each
// sample becomes its own picture, named after the label.
Row {
    id: sample

    property string label
    default property alias content: holder.data
    readonly property string fileName: label.toLowerCase().replace(/[^a-z0-9]+/g, "-").replace(/^-|-$/g, "")

    // Emitted once the sheet is on screen and every field has taken its
    // focus: the moment to put the control in a state it can't start in.
    signal settled()

    objectName: "gallerySample"
    padding: 8
    spacing: 12

    Text {
        width: 130
        anchors.verticalCenter: parent.verticalCenter
        text: sample.label
        font.pixelSize: 10
        color: OrdlenDesign.color.textTertiary
        wrapMode: Text.WordWrap
    }
    Item {
        id: holder
        width: childrenRect.width
        height: childrenRect.height
    }
}
