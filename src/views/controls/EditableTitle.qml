import QtQuick
import Ordlen

// A row's title that a double-click turns into a one-line edit field.
// Return hands the trimmed text to committed() when it is not blank and
// always ends editing; Escape ends editing without saving. Losing the focus
// alone does not end it.
Item {
    id: root

    property string title
    property bool isCompleted: false
    property font font
    property string placeholder
    // What the edit field is, for assistive technologies.
    property string fieldName
    signal committed(string title)

    property bool isEditing: false
    property bool animates: true
    property string editText: ""
    readonly property alias titleText: label
    readonly property alias field: input

    implicitHeight: isEditing ? input.implicitHeight : label.implicitHeight
    implicitWidth: label.implicitWidth

    function startEdit() {
        editText = title
        input.text = editText
        isEditing = true
        input.forceActiveFocus()
    }

    // From the keyboard: the whole title selected, ready to be typed over.
    function startEditSelectingAll() {
        startEdit()
        input.selectAll()
    }

    function commitEdit() {
        const trimmed = editText.trim()
        if (trimmed.length > 0)
            root.committed(trimmed)
        isEditing = false
    }

    Text {
        id: label
        objectName: "titleText"
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        visible: !root.isEditing
        text: root.title
        font.family: root.font.family
        font.pointSize: root.font.pointSize
        font.weight: root.font.weight
        font.strikeout: root.isCompleted
        color: root.isCompleted ? OrdlenDesign.color.textCompleted : OrdlenDesign.color.textPrimary
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight

        Behavior on color {
            enabled: root.animates
            OrdlenQuickColor {}
        }
    }

    PlainTextInput {
        id: input
        objectName: "titleField"
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        visible: root.isEditing
        enabled: root.isEditing
        placeholder: root.placeholder
        Accessible.name: root.fieldName
        font: root.font
        onTextEdited: root.editText = text

        Keys.onReturnPressed: root.commitEdit()
        Keys.onEnterPressed: root.commitEdit()
        Keys.onEscapePressed: event => {
            root.isEditing = false
            event.accepted = true
        }
    }
}
