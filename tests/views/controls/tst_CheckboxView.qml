import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    name: "CheckboxView"

    Component { id: checkboxComponent; CheckboxView {} }
    SignalSpy { id: toggleSpy; signalName: "toggle" }

    function test_clicksReportOnceEachAfterThePress_data() {
        return [
            { tag: "open", completed: false, clicks: 1, drawn: true, rest: [1.15, 0] },
            { tag: "done", completed: true, clicks: 1, drawn: false, rest: [1.0, -5] },
            { tag: "two quick clicks", completed: false, clicks: 2, drawn: false, rest: [1.0, -5] }
        ]
    }
    function test_clicksReportOnceEachAfterThePress(data) {
        const box = makeSpied(checkboxComponent, { isCompleted: data.completed }, [toggleSpy])
        const button = findChild(box, "checkboxButton")
        for (let i = 0; i < data.clicks; ++i)
            mouseClick(box)
        // Drawn (and read as checked) at once and pressed; the owner hears of it later.
        compare([box.visualCompleted, box.Accessible.checked, box.isPressed, toggleSpy.count, button.scale, button.rotation],
                [data.drawn, data.drawn, true, 0, 0.75, -15])
        passToggleDelay()
        // The owner kept the record as it was; the drawn state stays.
        compare([toggleSpy.count, box.visualCompleted, box.isPressed, button.scale, button.rotation],
                [data.clicks, data.drawn, false].concat(data.rest))
        compare(findChild(box, "checkmark").visible, data.drawn)
    }

    function test_neverToggles_data() {
        return [
            { tag: "click outside the circle", act: box => mouseClick(box, 1, 1), drawn: true },
            { tag: "record changes", act: box => { box.isCompleted = false }, drawn: false },
            // A delay of 1 ms: one of 0 ms would end before the deferred deletion.
            { tag: "destroyed during the delay",
              act: box => { OrdlenDesign.animation.durationScale = 1 / 80; mouseClick(box); box.destroy() } }
        ]
    }
    function test_neverToggles(data) {
        const box = makeSpied(checkboxComponent, { isCompleted: true }, [toggleSpy])
        const fill = findChild(box, "checkboxFill")
        data.act(box)
        passToggleDelay()
        compare(toggleSpy.count, 0)
        // An unticked fill shrinks away and turns clear.
        if (data.drawn !== undefined)
            compare([box.visualCompleted, fill.scale, fill.fillColor.a], [data.drawn, data.drawn ? 1 : 0.001, data.drawn ? 1 : 0])
    }
}
