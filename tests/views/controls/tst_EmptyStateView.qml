import QtQuick
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    name: "EmptyStateView"

    Component { id: viewComponent; EmptyStateView { width: 380 } }

    function test_textsFollowTheFilter_data() {
        return [
            { tag: "all", filter: TaskFilter.All, shown: ["checklist", "All clear", "Add your first task below"] },
            { tag: "pending", filter: TaskFilter.Pending, shown: ["tray", "No active tasks", "Take a break, or add a new one"] },
            { tag: "done", filter: TaskFilter.Done, shown: ["checkmark.seal.fill", "Not done yet", "Complete a task to see it here"] }
        ]
    }
    function test_textsFollowTheFilter(data) {
        const view = createTemporaryObject(viewComponent, owner, { filter: (data.filter + 1) % 3 })
        view.filter = data.filter
        compare([findChild(view, "badgeSymbol").name, findChild(view, "emptyTitle").text, findChild(view, "emptyHint").text], data.shown)
    }

    function test_badgeKeepsBreathingBetween58And68() {
        OrdlenDesign.animation.durationScale = 0.02
        const view = createTemporaryObject(viewComponent, owner)
        let smallest = 68, largest = 58, peaks = 0
        view.pulseDiameterChanged.connect(() => {
            smallest = Math.min(smallest, view.pulseDiameter)
            largest = Math.max(largest, view.pulseDiameter)
            peaks += view.pulseDiameter === 68 ? 1 : 0
        })
        tryVerify(() => peaks >= 2, 2000, "back up to 68 a second time")
        compare([smallest, largest], [58, 68])
    }
}
