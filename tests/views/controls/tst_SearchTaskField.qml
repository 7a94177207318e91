pragma ComponentBehavior: Bound
import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    id: testCase
    name: "SearchTaskField"

    property string query // kept by the owner, as the store keeps it
    Component { id: fieldComponent; SearchTaskField { width: 320; text: testCase.query; onTextChanged: testCase.query = text } }
    SignalSpy { id: cancelSpy; signalName: "cancel" }

    function makeField(query) {
        testCase.query = query
        const field = createTemporaryObject(fieldComponent, owner)
        cancelSpy.target = field
        cancelSpy.clear()
        tryVerify(() => field.isFocused, 1000, "takes the focus once shown")
        return field
    }

    function test_typedQueryClearButtonAndFocusLoss_data() {
        return [
            { tag: "empty", query: "", clearShown: false, focusLossCancels: 1 },
            { tag: "one blank", query: " ", clearShown: true, focusLossCancels: 0 },
            { tag: "word", query: "mi", clearShown: true, focusLossCancels: 0 }
        ]
    }
    function test_typedQueryClearButtonAndFocusLoss(data) {
        const field = makeField("")
        type(data.query)
        keyClick(Qt.Key_Return)
        compare([query, findChild(field, "clearButton").visible, cancelSpy.count], [data.query, data.clearShown, 0])
        owner.forceActiveFocus()
        compare([query, cancelSpy.count], [data.query, data.focusLossCancels])
    }

    function test_escapeAndClearButtonEmptyAndCancel_data() {
        return [
            { tag: "Escape", act: () => keyClick(Qt.Key_Escape) },
            { tag: "clear button", act: field => mouseClick(findChild(field, "clearButton")) }
        ]
    }
    function test_escapeAndClearButtonEmptyAndCancel(data) {
        const field = makeField("milk")
        data.act(field)
        compare([query, cancelSpy.count, escapesSeen, findChild(field, "clearButton").visible], ["", 1, 0, false])
    }
}
