import QtQuick
import Ordlen

// Marks what has the keyboard: an accent outline. Its owner places it and
// shows it while the keyboard is there.
Rectangle {
    color: "transparent"
    border.width: 1.5
    border.color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.6)
}
