import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    name: "FilterTabBar"

    Component { id: barComponent; FilterTabBar {} }
    SignalSpy { id: tapSpy; signalName: "filterTapped" }

    function makeBar(properties) {
        const bar = createTemporaryObject(barComponent, owner, properties)
        tapSpy.target = bar
        tapSpy.clear()
        return bar
    }

    function pill(bar, name) { return findChild(bar, "pill" + name) }
    function pillX(bar, name) { return pill(bar, name).mapToItem(bar, 0, 0).x }

    function test_pillsInOrderWithCounts_data() {
        return [
            { tag: "no tasks", pending: 0, done: 0, shown: ["", "", ""] },
            { tag: "3 pending, 2 done", pending: 3, done: 2, shown: ["5", "3", "2"] },
            { tag: "none done", pending: 4, done: 0, shown: ["4", "4", ""] }
        ]
    }
    function test_pillsInOrderWithCounts(data) {
        const bar = makeBar({ pendingCount: data.pending, doneCount: data.done })
        const capsules = ["All", "Pending", "Done"].map(name => findChild(pill(bar, name), "countCapsule"))
        compare(capsules.map(capsule => capsule.visible ? findChild(capsule, "countText").text : ""), data.shown)
        verify(pillX(bar, "All") < pillX(bar, "Pending") && pillX(bar, "Pending") < pillX(bar, "Done"))
    }

    // Every tap writes the selection and reports it, even on the selected pill.
    function test_tapsSelectReportAndMoveTheHighlight() {
        const bar = makeBar({ selection: TaskFilter.Pending, pendingCount: 3, doneCount: 2 })
        const highlight = findChild(bar, "tabHighlight")
        for (const [name, filter] of [["Done", TaskFilter.Done], ["Done", TaskFilter.Done], ["All", TaskFilter.All]]) {
            mouseClick(pill(bar, name))
            compare([bar.selection, tapSpy.signalArguments[tapSpy.count - 1][0]], [filter, filter])
            compare([highlight.x, highlight.width], [pillX(bar, name), pill(bar, name).width])
            for (const other of ["All", "Pending", "Done"]) {
                compare(pill(bar, other).accessibilityValue, other === name ? "Selected" : "Not selected")
                verify(Qt.colorEqual(pill(bar, other).tint, OrdlenDesign.color[other === name ? "accent" : "textSecondary"]))
            }
        }
        compare(tapSpy.count, 3)
    }
}
