import QtQuick
import Ordlen

// A label and the control it describes, side by side.
Row {
    id: sample

    property string label
    default property alias content: holder.data

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
