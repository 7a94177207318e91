import QtQuick
import QtTest
import Ordlen

TestCase {
    id: testCase
    name: "FilterTabBar"
    when: windowShown
    visible: true
    width: 400
    height: 100

    Component {
        id: barComponent
        FilterTabBar {}
    }

    SignalSpy { id: tapSpy; signalName: "filterTapped" }

    function makeBar(properties) {
        const bar = createTemporaryObject(barComponent, testCase, properties)
        verify(bar)
        tapSpy.clear()
        tapSpy.target = bar
        return bar
    }

    function pill(bar, name) {
        return findChild(bar, "pill" + name)
    }

    function shownCount(bar, name) {
        const capsule = findChild(pill(bar, name), "countCapsule")
        return capsule.visible ? findChild(capsule, "countText").text : ""
    }

    function test_pillsInFilterOrderWithCounts_data() {
        return [
            { tag: "no tasks", pending: 0, done: 0, all: "", pendingShown: "", doneShown: "" },
            { tag: "3 pending 2 done", pending: 3, done: 2, all: "5", pendingShown: "3", doneShown: "2" },
            { tag: "0 done", pending: 4, done: 0, all: "4", pendingShown: "4", doneShown: "" }
        ]
    }
    function test_pillsInFilterOrderWithCounts(data) {
        const bar = makeBar({ pendingCount: data.pending, doneCount: data.done, selection: TaskFilter.Done })
        const names = ["All", "Pending", "Done"]
        for (let i = 0; i < names.length; ++i) {
            const p = pill(bar, names[i])
            verify(p, names[i])
            if (i > 0)
                verify(p.x > pill(bar, names[i - 1]).x, "pills run All, Pending, Done")
        }
        compare(shownCount(bar, "All"), data.all)
        compare(shownCount(bar, "Pending"), data.pendingShown)
        compare(shownCount(bar, "Done"), data.doneShown)
    }

    function test_tapWritesTheSelectionEveryTime() {
        const bar = makeBar({ selection: TaskFilter.Pending, pendingCount: 1, doneCount: 1 })
        mouseClick(pill(bar, "Done"))
        compare(bar.selection, TaskFilter.Done)
        mouseClick(pill(bar, "Done"))
        compare(bar.selection, TaskFilter.Done)
        compare(tapSpy.count, 2)
        compare(tapSpy.signalArguments[1][0], TaskFilter.Done)
        mouseClick(pill(bar, "All"))
        compare(bar.selection, TaskFilter.All)
    }

    function test_highlightSlidesToTheSelectedPill() {
        const bar = makeBar({ selection: TaskFilter.All, pendingCount: 3, doneCount: 2 })
        const highlight = findChild(bar, "tabHighlight")
        const done = pill(bar, "Done")
        tryVerify(() => Math.abs(highlight.x - (done.parent.x + pill(bar, "All").x)) < 0.5)
        mouseClick(done)
        // It moves, rather than jumping, and comes to rest on the Done pill.
        verify(highlight.x < done.parent.x + done.x - 1)
        tryVerify(() => Math.abs(highlight.x - (done.parent.x + done.x)) < 0.5, 2000)
        tryVerify(() => Math.abs(highlight.width - done.width) < 0.5, 2000)
    }

    // Text keeps its colour in 8 bits per channel.
    function sameColour(a, b) {
        return Math.abs(a.r - b.r) < 0.01 && Math.abs(a.g - b.g) < 0.01 && Math.abs(a.b - b.b) < 0.01
                && Math.abs(a.a - b.a) < 0.01
    }

    function test_colourFollowsSelection() {
        const bar = makeBar({ selection: TaskFilter.Pending, pendingCount: 3, doneCount: 2 })
        verify(sameColour(pill(bar, "Pending").tint, OrdlenDesign.color.accent))
        verify(sameColour(pill(bar, "Done").tint, OrdlenDesign.color.textSecondary))
        verify(sameColour(findChild(pill(bar, "Pending"), "countText").color, OrdlenDesign.color.accent))
        verify(sameColour(findChild(pill(bar, "Done"), "countText").color, OrdlenDesign.color.textTertiary))
        mouseClick(pill(bar, "Done"))
        verify(sameColour(pill(bar, "Pending").tint, OrdlenDesign.color.textSecondary))
        verify(sameColour(findChild(pill(bar, "Done"), "countText").color, OrdlenDesign.color.accent))
    }

    function test_accessibility_data() {
        return [
            { tag: "All", selected: true, hint: "Show all tasks" },
            { tag: "Pending", selected: false, hint: "Show pending tasks" },
            { tag: "Done", selected: false, hint: "Show done tasks" }
        ]
    }
    function test_accessibility(data) {
        const bar = makeBar({ selection: TaskFilter.All })
        const p = pill(bar, data.tag)
        compare(p.Accessible.name, data.tag)
        compare(p.accessibilityValue, data.selected ? "Selected" : "Not selected")
        compare(p.accessibilityHint, data.hint)
        compare(p.Accessible.description, data.hint)
    }
}
