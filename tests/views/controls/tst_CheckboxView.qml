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

    // Round, not a rounded square, at rest, ticked (scaled by 1.15) or open,
    // at either size: walked in from the edge, the first pixel that isn't
    // background lies as far out in every direction.
    function test_markIsRound_data() {
        return [{ tag: "task, ticked", size: CheckboxSize.Task, completed: true },
                { tag: "subtask, open", size: CheckboxSize.Subtask, completed: false }]
    }
    function test_markIsRound(data) {
        const box = createTemporaryObject(checkboxComponent, owner, { isCompleted: data.completed, size: data.size })
        waitForRendering(box)
        const image = grabImage(box)
        const c = image.width / 2
        const differs = (x, y) => ["red", "green", "blue"].reduce((sum, channel) => sum + Math.abs(image[channel](x, y) - image[channel](0, 0)), 0) > 60
        const reach = angle => {
            let d = c - 1
            while (d > 0 && !differs(Math.floor(c + Math.cos(angle) * d), Math.floor(c + Math.sin(angle) * d)))
                d -= 0.25
            return d
        }
        const reaches = [...Array(8).keys()].map(k => reach(k * Math.PI / 4))
        const radius = box.ringDiameter * (data.completed ? 1.15 : 1) / 2
        verify(Math.max(...reaches) - Math.min(...reaches) < 1, "reaches " + reaches)
        verify(Math.abs(Math.max(...reaches) - radius) <= 1, "radius " + radius + ", reaches " + reaches)
    }
}
