pragma ComponentBehavior: Bound
import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    id: testCase
    name: "FilterTabBar"

    Component { id: barComponent; FilterTabBar { selection: testCase.kept; onFilterChosen: filter => testCase.keep(filter) } }
    SignalSpy { id: chosenSpy; signalName: "filterChosen" }

    function makeBar(properties) {
        kept = TaskFilter.Pending
        return makeSpied(barComponent, properties, [chosenSpy])
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

    // Every tap is reported, even on the selected pill; the bar shows the
    // owner's filter, also when the owner changes it later or ignores a tap.
    function test_tapsReportTheOwnerDecides_data() {
        return [
            { tag: "owner takes it", taps: ["Done"], shown: "Done" },
            { tag: "selected pill again", taps: ["Pending", "Pending"], shown: "Pending" },
            { tag: "owner changes it afterwards", taps: ["Done"], ownerSets: TaskFilter.All, shown: "All" },
            { tag: "owner ignores it", follows: false, taps: ["Done"], shown: "Pending" }
        ]
    }
    function test_tapsReportTheOwnerDecides(data) {
        const bar = makeBar({ pendingCount: 3, doneCount: 2 })
        const highlight = findChild(bar, "tabHighlight")
        ownerFollows = data.follows !== false
        data.taps.forEach(name => mouseClick(pill(bar, name)))
        if (data.ownerSets !== undefined)
            kept = data.ownerSets
        compare(chosenSpy.signalArguments.map(args => args[0]), data.taps.map(name => TaskFilter[name]))
        compare([bar.selection, highlight.x, highlight.width], [TaskFilter[data.shown], pillX(bar, data.shown), pill(bar, data.shown).width])
        for (const other of ["All", "Pending", "Done"]) {
            compare(pill(bar, other).accessibilityValue, other === data.shown ? "Selected" : "Not selected")
            verify(Qt.colorEqual(pill(bar, other).tint, OrdlenDesign.color[other === data.shown ? "accent" : "textSecondary"]))
        }
    }
}
