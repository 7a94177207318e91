import QtQuick

// Tells a screen reader what just happened without showing anything: an
// alert that appears anew with each message, which the accessibility bus
// passes on as it appears.
Item {
    id: root

    property string message: ""

    function announce(text: string) {
        visible = false
        message = text
        visible = true
    }

    width: 1
    height: 1
    visible: false
    Accessible.role: Accessible.AlertMessage
    Accessible.name: message
}
