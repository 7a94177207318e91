import QtQuick
import Ordlen

// A single-line text input without border or background, with a placeholder
// shown while it is empty. Each use names it for assistive technologies
// (Accessible.name) by what it is for.
TextInput {
    id: input

    property string placeholder

    Accessible.role: Accessible.EditableText

    color: OrdlenDesign.color.textPrimary
    selectionColor: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.35)
    selectedTextColor: OrdlenDesign.color.textPrimary
    clip: true
    verticalAlignment: TextInput.AlignVCenter
    selectByMouse: true

    Text {
        Accessible.ignored: true
        anchors.fill: parent
        verticalAlignment: Text.AlignVCenter
        text: input.placeholder
        font: input.font
        color: OrdlenDesign.color.textTertiary
        elide: Text.ElideRight
        visible: input.text.length === 0 && input.preeditText.length === 0
    }
}
