import QtQuick

// The floor for scrolling: a list of plain text lines and nothing else.
ListView {
    width: 408
    height: 476
    model: 10000
    delegate: Text {
        required property int index
        width: 408
        height: 36
        text: "Task " + index + ": tidy the garden shed"
    }
}
