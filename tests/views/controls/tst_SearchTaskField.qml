pragma ComponentBehavior: Bound
import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    id: testCase
    name: "SearchTaskField"

    Component { id: fieldComponent; SearchTaskField { width: 320; text: testCase.kept; onTextEdited: text => testCase.keep(text) } }
    SignalSpy { id: editSpy; signalName: "textEdited" }
    SignalSpy { id: cancelSpy; signalName: "cancelled" }

    function makeField(query) {
        kept = query
        const field = makeSpied(fieldComponent, {}, [editSpy, cancelSpy])
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
        compare([kept, findChild(field, "clearButton").visible, cancelSpy.count], [data.query, data.clearShown, 0])
        owner.forceActiveFocus()
        compare([kept, cancelSpy.count], [data.query, data.focusLossCancels])
        // Typing left the owner in charge: its next query shows.
        kept = "tea"
        compare(findChild(field, "searchInput").text, "tea")
    }

    // Both report an empty query and ask to be closed; the owner empties it.
    function test_escapeAndClearButtonReportEmptyAndCancel_data() {
        const rows = []
        for (const follows of [true, false]) {
            const owner = follows ? "" : ", owner ignores it"
            rows.push({ tag: "Escape" + owner, follows: follows, act: () => keyClick(Qt.Key_Escape) },
                      { tag: "clear button" + owner, follows: follows, act: field => mouseClick(findChild(field, "clearButton")) })
        }
        return rows
    }
    function test_escapeAndClearButtonReportEmptyAndCancel(data) {
        const field = makeField("milk")
        ownerFollows = data.follows
        data.act(field)
        const query = data.follows ? "" : "milk"
        compare([editSpy.signalArguments.map(args => args[0]), cancelSpy.count, escapesSeen], [[""], 1, 0])
        compare([kept, findChild(field, "searchInput").text, findChild(field, "clearButton").visible], [query, query, !data.follows])
    }
}
