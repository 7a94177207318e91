import QtQuick
import Ordlen

// One picture of the gallery: a titled column of labelled samples on the
// panel's background.
Rectangle {
    id: sheet

    property string title
    default property alias samples: column.data

    width: Math.max(420, column.implicitWidth + 32)
    height: column.implicitHeight + 56
    color: Appearance.windowBackground

    Text {
        x: 16
        y: 12
        text: sheet.title + (Appearance.dark ? " — dark" : " — light")
        font.pixelSize: 12
        font.bold: true
        color: OrdlenDesign.color.textSecondary
    }

    Column {
        id: column
        x: 16
        y: 40
        spacing: 12
    }
}
