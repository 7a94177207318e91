pragma ComponentBehavior: Bound
import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    id: testCase
    name: "SearchTaskField"

    // Kept by the owner, as the store keeps it; an owner that doesn't follow
    // ignores what the field reports.
    property string query
    property bool ownerFollows: true
    Component {
        id: fieldComponent
        SearchTaskField {
            width: 320
            text: testCase.query
            onTextEdited: text => {
                if (testCase.ownerFollows)
                    testCase.query = text
            }
        }
    }
    SignalSpy { id: editSpy; signalName: "textEdited" }
    SignalSpy { id: cancelSpy; signalName: "cancelled" }

    function makeField(query) {
        testCase.query = query
        ownerFollows = true
        const field = createTemporaryObject(fieldComponent, owner)
        editSpy.target = cancelSpy.target = field
        editSpy.clear()
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
        // Typing left the owner in charge: its next query shows.
        query = "tea"
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
        const kept = data.follows ? "" : "milk"
        compare([editSpy.signalArguments.map(args => args[0]), cancelSpy.count, escapesSeen], [[""], 1, 0])
        compare([query, findChild(field, "searchInput").text, findChild(field, "clearButton").visible], [kept, kept, !data.follows])
    }
}
