import QtQuick
import Ordlen

// The samples of one control, stacked on the panel's background.
Rectangle {
    id: sheet

    property string name
    default property alias samples: column.data

    width: Math.max(420, column.implicitWidth + 16)
    height: column.implicitHeight + 16
    color: Appearance.windowBackground

    function sampleItems(): list<Item> {
        const found = []
        for (let i = 0; i < column.children.length; ++i) {
            if (column.children[i].objectName === "gallerySample")
                found.push(column.children[i])
        }
        return found
    }

    Column {
        id: column
        x: 8
        y: 8
    }
}
