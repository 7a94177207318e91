import QtQuick
import QtQuick.Controls
import Ordlen

// The divider between groups of a PanelMenu.
MenuSeparator {
    topPadding: 4
    bottomPadding: 4
    contentItem: Rectangle {
        implicitHeight: 1
        color: OrdlenDesign.withOpacity(OrdlenDesign.color.textPrimary, 0.1)
    }
}
