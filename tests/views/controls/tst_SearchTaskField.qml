import QtQuick
import QtTest
import Ordlen

TestCase {
    id: testCase
    name: "SearchTaskField"
    when: windowShown
    visible: true
    width: 400
    height: 200

    Item {
        id: owner
        width: 400
        height: 200
        focus: true
        property int escapesSeen: 0
        // Plays the store: the query lives outside the field.
        property string query: ""
        Keys.onEscapePressed: ++escapesSeen
    }

    Component {
        id: fieldComponent
        SearchTaskField {
            width: 320
            text: owner.query
            onTextChanged: owner.query = text
        }
    }

    SignalSpy { id: cancelSpy; signalName: "cancel" }

    function makeField(query) {
        owner.query = query || ""
        owner.escapesSeen = 0
        const field = createTemporaryObject(fieldComponent, owner)
        verify(field)
        cancelSpy.clear()
        cancelSpy.target = field
        tryVerify(() => field.isFocused, 1000, "takes the focus once shown")
        return field
    }

    function test_placeholderAndTypingWritesTheQueryAtOnce() {
        const field = makeField()
        compare(field.input.placeholder, "Search tasks\u2026")
        keyClick("m")
        keyClick("i")
        compare(owner.query, "mi")
        compare(cancelSpy.count, 0)
        keyClick(Qt.Key_Return)
        compare(owner.query, "mi")
        compare(cancelSpy.count, 0)
    }

    function test_escapeEmptiesTheQueryCancelsAndIsConsumed() {
        const field = makeField("milk")
        keyClick(Qt.Key_Escape)
        compare(owner.query, "")
        compare(cancelSpy.count, 1)
        compare(owner.escapesSeen, 0)
    }

    function test_clearButtonEmptiesTheQueryAndCancels() {
        const field = makeField("milk")
        const clear = findChild(field, "clearButton")
        tryCompare(clear, "opacity", 1)
        mouseClick(clear)
        compare(owner.query, "")
        compare(cancelSpy.count, 1)
        tryCompare(clear, "visible", false)
    }

    function test_clearButtonShowsForAnyNonEmptyQuery_data() {
        return [
            { tag: "empty", query: "", shown: false },
            { tag: "one blank", query: " ", shown: true },
            { tag: "word", query: "milk", shown: true }
        ]
    }
    function test_clearButtonShowsForAnyNonEmptyQuery(data) {
        const field = makeField(data.query)
        compare(field.showsClearButton, data.shown)
        tryCompare(findChild(field, "clearButton"), "visible", data.shown)
    }

    function test_focusLossCancelsOnlyWhenEmpty_data() {
        return [
            { tag: "empty", query: "", cancels: 1 },
            { tag: "one blank", query: " ", cancels: 0 },
            { tag: "query", query: "milk", cancels: 0 }
        ]
    }
    function test_focusLossCancelsOnlyWhenEmpty(data) {
        const field = makeField(data.query)
        owner.forceActiveFocus()
        compare(cancelSpy.count, data.cancels)
        compare(owner.query, data.query)
        field.input.forceActiveFocus()
        compare(cancelSpy.count, data.cancels)
    }

    function test_withoutCancelHandlerEscapeOnlyEmpties() {
        owner.query = "milk"
        const field = createTemporaryObject(fieldComponent, owner)
        tryVerify(() => field.isFocused, 1000)
        keyClick(Qt.Key_Escape)
        compare(owner.query, "")
    }
}
