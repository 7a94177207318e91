import QtQuick
import Ordlen

// The search input of the bottom bar. `text` is the query; the owner keeps
// it in step with the store (text: store.searchText; onTextChanged:
// store.searchText = text). Escape and the clear button empty the query and
// ask to be closed; losing the focus asks to be closed only when empty.
Item {
    id: root

    property string text
    signal cancel()

    readonly property bool isFocused: input.activeFocus
    readonly property bool showsClearButton: text.length > 0
    property alias input: input

    implicitWidth: 240
    implicitHeight: Math.max(32, row.implicitHeight)

    function clear() {
        root.text = ""
        root.cancel()
    }

    InputFieldFrame {
        isFocused: root.isFocused
    }

    Row {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        spacing: 10

        Item {
            width: 16
            height: parent.height
            SymbolIcon {
                anchors.centerIn: parent
                name: "magnifyingglass"
                pointSize: 12
                weight: Font.DemiBold
                color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.8)
            }
        }

        PlainTextInput {
            id: input
            objectName: "searchInput"
            width: row.width - x - (clearButton.visible ? clearButton.width + row.spacing : 0)
            height: parent.height
            placeholder: "Search tasks\u2026"
            font: OrdlenDesign.font.input
            text: root.text
            onTextEdited: root.text = text

            Keys.onEscapePressed: event => {
                root.clear()
                event.accepted = true
            }
            onActiveFocusChanged: {
                if (!activeFocus && root.text.length === 0) {
                    root.text = ""
                    root.cancel()
                }
            }
        }

        SymbolIcon {
            id: clearButton
            objectName: "clearButton"
            anchors.verticalCenter: parent.verticalCenter
            name: "xmark.circle.fill"
            pointSize: 12.5
            color: OrdlenDesign.color.textTertiary
            opacity: root.showsClearButton ? 1 : 0
            scale: root.showsClearButton ? 1 : 0.8
            visible: opacity > 0
            Behavior on opacity {
                OrdlenQuick {}
            }
            Behavior on scale {
                OrdlenQuick {}
            }
            Accessible.role: Accessible.Button
            Accessible.name: "Clear"

            MouseArea {
                anchors.fill: parent
                enabled: root.showsClearButton
                onClicked: root.clear()
            }
        }
    }

    Timer {
        interval: OrdlenDesign.animation.focusDelay
        running: true
        onTriggered: input.forceActiveFocus()
    }
}
