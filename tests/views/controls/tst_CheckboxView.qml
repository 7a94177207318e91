import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    name: "CheckboxView"

    Component { id: checkboxComponent; CheckboxView {} }
    SignalSpy { id: toggleSpy; signalName: "toggle" }

    function makeCheckbox(completed) {
        const box = createTemporaryObject(checkboxComponent, owner, { isCompleted: completed })
        toggleSpy.target = box
        toggleSpy.clear()
        return box
    }

    function test_clicksReportOnceEachAfterThePress_data() {
        return [
            { tag: "open", completed: false, clicks: 1, drawn: true, rest: [1.15, 0], name: "Mark as incomplete" },
            { tag: "done", completed: true, clicks: 1, drawn: false, rest: [1.0, -5], name: "Mark as complete" },
            { tag: "two quick clicks", completed: false, clicks: 2, drawn: false, rest: [1.0, -5], name: "Mark as complete" }
        ]
    }
    function test_clicksReportOnceEachAfterThePress(data) {
        const box = makeCheckbox(data.completed)
        const button = findChild(box, "checkboxButton")
        for (let i = 0; i < data.clicks; ++i)
            mouseClick(box)
        // Drawn at once and pressed; the owner hears of it later.
        compare([box.visualCompleted, box.isPressed, toggleSpy.count, button.scale, button.rotation], [data.drawn, true, 0, 0.75, -15])
        passToggleDelay()
        // The owner kept the record as it was; the drawn state stays.
        compare([toggleSpy.count, box.visualCompleted, box.isPressed, button.scale, button.rotation],
                [data.clicks, data.drawn, false].concat(data.rest))
        compare([findChild(box, "checkmark").visible, box.Accessible.name], [data.drawn, data.name])
    }

    function test_neverToggles_data() {
        return [
            { tag: "appearing", act: () => {}, drawn: true },
            { tag: "click outside the circle", act: box => mouseClick(box, 1, 1), drawn: true },
            { tag: "record changes", act: box => { box.isCompleted = false }, drawn: false },
            // A delay of 1 ms: one of 0 ms would end before the deferred deletion.
            { tag: "destroyed during the delay",
              act: box => { OrdlenDesign.animation.durationScale = 1 / 80; mouseClick(box); box.destroy() } }
        ]
    }
    function test_neverToggles(data) {
        const box = makeCheckbox(true)
        data.act(box)
        passToggleDelay()
        compare(toggleSpy.count, 0)
        if (data.drawn !== undefined)
            compare([box.visualCompleted, findChild(box, "checkboxFill").scale], [data.drawn, data.drawn ? 1 : 0.001])
    }
}
