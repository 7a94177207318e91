import QtQuick
import Ordlen

// The search input of the bottom bar. `text` is the owner's query, which
// the field only shows; every change the user makes is reported through
// textEdited() for the owner to write (text: store.searchText;
// onTextEdited: ...). Escape and the clear button report an empty query
// and ask to be closed; losing the focus asks to be closed only when empty.
Item {
    id: root

    property string text
    signal textEdited(string text)
    signal cancelled()

    readonly property bool isFocused: input.activeFocus
    readonly property bool showsClearButton: text.length > 0
    property alias input: input

    implicitWidth: 240
    implicitHeight: Math.max(32, row.implicitHeight)

    function clear() {
        root.textEdited("")
        root.cancelled()
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
            Accessible.name: "Search tasks"
            font: OrdlenDesign.font.input
            // Typing leaves this binding in place: the owner's next value
            // still shows.
            text: root.text
            onTextEdited: root.textEdited(text)

            Keys.onEscapePressed: event => {
                root.clear()
                event.accepted = true
            }
            onActiveFocusChanged: {
                if (!activeFocus && root.text.length === 0)
                    root.cancelled()
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
            Accessible.name: "Clear search"
            Accessible.onPressAction: root.clear()

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
