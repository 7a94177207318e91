import QtQuick
import QtTest
import Ordlen

TestCase {
    id: testCase
    name: "EmptyStateView"
    when: windowShown
    visible: true
    width: 400
    height: 300

    Component {
        id: viewComponent
        EmptyStateView { width: 380 }
    }

    function test_textsPerFilter_data() {
        return [
            { tag: "all", filter: TaskFilter.All, symbol: "checklist", title: "All clear", hint: "Add your first task below" },
            { tag: "pending", filter: TaskFilter.Pending, symbol: "tray", title: "No active tasks", hint: "Take a break, or add a new one" },
            { tag: "done", filter: TaskFilter.Done, symbol: "checkmark.seal.fill", title: "Not done yet", hint: "Complete a task to see it here" }
        ]
    }
    function test_textsPerFilter(data) {
        const view = createTemporaryObject(viewComponent, testCase, { filter: data.filter })
        compare(findChild(view, "badgeSymbol").name, data.symbol)
        compare(findChild(view, "emptyTitle").text, data.title)
        compare(findChild(view, "emptyHint").text, data.hint)
    }

    function test_switchingTheFilterChangesEverythingAtOnce() {
        const view = createTemporaryObject(viewComponent, testCase, { filter: TaskFilter.Pending })
        view.filter = TaskFilter.Done
        compare(findChild(view, "badgeSymbol").name, "checkmark.seal.fill")
        compare(findChild(view, "emptyTitle").text, "Not done yet")
        compare(findChild(view, "emptyHint").text, "Complete a task to see it here")
    }

    function test_badgeKeepsPulsingBetween58And68() {
        const view = createTemporaryObject(viewComponent, testCase)
        verify(view.isPulsing)
        // 2.2 s each way: up to 68, back down to 58, and up again.
        tryVerify(() => view.pulseDiameter > 67.5, 3000)
        tryVerify(() => view.pulseDiameter < 58.5, 3000)
        tryVerify(() => view.pulseDiameter > 67.5, 3000)
        verify(view.pulseDiameter <= 68 && view.pulseDiameter >= 58)
    }

    function test_longHintWrapsCentred() {
        const view = createTemporaryObject(viewComponent, testCase, { width: 120 })
        const hint = findChild(view, "emptyHint")
        verify(hint.lineCount > 1)
        compare(hint.horizontalAlignment, Text.AlignHCenter)
    }
}
