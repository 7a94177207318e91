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
}
