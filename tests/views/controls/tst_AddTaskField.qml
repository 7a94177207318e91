import QtQuick
import QtTest
import Ordlen

TestCase {
    id: testCase
    name: "AddTaskField"
    when: windowShown
    visible: true
    width: 400
    height: 200

    // Stands in for the owner: records what reaches it, including keys that
    // the field should have consumed.
    Item {
        id: owner
        width: 400
        height: 200
        focus: true
        property int escapesSeen: 0
        Keys.onEscapePressed: ++escapesSeen
    }

    Component {
        id: fieldComponent
        AddTaskField {
            width: 320
            placeholder: "New task\u2026"
        }
    }
    Component {
        id: fieldWithoutCancel
        AddTaskField {
            width: 320
            placeholder: "New task\u2026"
            // Only submit is connected; cancel has no handler.
        }
    }

    SignalSpy { id: submitSpy; signalName: "submit" }
    SignalSpy { id: cancelSpy; signalName: "cancel" }

    function makeField(properties) {
        const field = createTemporaryObject(fieldComponent, owner, properties || {})
        verify(field)
        submitSpy.clear()
        cancelSpy.clear()
        submitSpy.target = field
        cancelSpy.target = field
        owner.escapesSeen = 0
        tryVerify(() => field.isFocused, 1000, "takes the focus once shown")
        return field
    }

    function type(text) {
        for (const ch of text)
            keyClick(ch)
    }

    function test_takesFocusShortlyAfterAppearing() {
        const field = createTemporaryObject(fieldComponent, owner)
        verify(!field.isFocused)
        tryVerify(() => field.isFocused, 1000)
    }

    function test_variants_data() {
        return [
            { tag: "task", isSubtask: false, height: 32, font: "input", icon: "plus" },
            { tag: "subtask", isSubtask: true, height: 28, font: "subtask", icon: "arrow.turn.down.right" }
        ]
    }
    function test_variants(data) {
        const field = makeField({ isSubtask: data.isSubtask })
        compare(field.height, data.height)
        compare(field.input.font.pointSize, OrdlenDesign.font[data.font].pointSize)
    }

    function test_returnSubmitsTrimmedText_data() {
        return [
            { tag: "plain", typed: "Buy milk", expected: "Buy milk" },
            { tag: "blanks around and a line break", set: "  Buy milk \n", expected: "Buy milk" },
            { tag: "tabs and unicode spaces", set: "\t\u2003Call Anna\u00a0", expected: "Call Anna" }
        ]
    }
    function test_returnSubmitsTrimmedText(data) {
        const field = makeField()
        if (data.typed)
            type(data.typed)
        else
            field.input.text = data.set
        keyClick(Qt.Key_Return)
        compare(submitSpy.count, 1)
        compare(submitSpy.signalArguments[0][0], data.expected)
        compare(field.text, "")
        // The focus loss that follows a submission is not a cancel.
        owner.forceActiveFocus()
        verify(!field.isFocused)
        compare(cancelSpy.count, 0)
    }

    function test_returnOnBlankCancels_data() {
        return [ { tag: "empty", text: "" }, { tag: "spaces", text: "   " }, { tag: "line break", text: " \n " } ]
    }
    function test_returnOnBlankCancels(data) {
        const field = makeField()
        field.input.text = data.text
        keyClick(Qt.Key_Return)
        compare(submitSpy.count, 0)
        compare(cancelSpy.count, 1)
        compare(field.text, "")
    }

    function test_escapeClearsCancelsAndIsConsumed() {
        const field = makeField()
        type("Draft")
        keyClick(Qt.Key_Escape)
        compare(field.text, "")
        compare(cancelSpy.count, 1)
        compare(submitSpy.count, 0)
        compare(owner.escapesSeen, 0)
    }

    function test_focusLossWithoutSubmitDiscardsAndCancels() {
        const field = makeField()
        type("Half a thought")
        owner.forceActiveFocus()
        compare(field.text, "")
        compare(cancelSpy.count, 1)
        // Gaining the focus again does not cancel.
        field.input.forceActiveFocus()
        compare(cancelSpy.count, 1)
    }

    function test_returnHintOnlyForNonBlankText() {
        const field = makeField()
        const hint = findChild(field, "returnHint")
        compare(hint.text, "\u21A9")
        verify(!field.showsReturnHint)
        keyClick(Qt.Key_Space)
        verify(!field.showsReturnHint)
        tryCompare(hint, "visible", false)
        keyClick("a")
        verify(field.showsReturnHint)
        tryCompare(hint, "opacity", 1)
        keyClick(Qt.Key_Backspace)
        verify(!field.showsReturnHint)
        tryCompare(hint, "visible", false)
    }

    function test_withoutCancelHandlerEveryCancelPathOnlyClears() {
        const field = createTemporaryObject(fieldWithoutCancel, owner)
        tryVerify(() => field.isFocused, 1000)
        field.input.text = "one"
        keyClick(Qt.Key_Escape)
        compare(field.text, "")
        field.input.text = "   "
        keyClick(Qt.Key_Return)
        compare(field.text, "")
        field.input.text = "two"
        owner.forceActiveFocus()
        compare(field.text, "")
    }

    function test_borderFollowsFocus() {
        const field = makeField()
        tryVerify(() => Math.abs(field.children[0].border.color.a - 0.35) < 0.02, 1000)
        owner.forceActiveFocus()
        tryVerify(() => field.children[0].border.color.a < 0.1, 1000)
    }
}
