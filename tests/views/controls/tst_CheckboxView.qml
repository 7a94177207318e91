import QtQuick
import QtTest
import Ordlen

TestCase {
    id: testCase
    name: "CheckboxView"
    when: windowShown
    visible: true
    width: 200
    height: 200

    Component {
        id: checkboxComponent
        CheckboxView {}
    }

    SignalSpy {
        id: toggleSpy
        signalName: "toggle"
    }

    function makeCheckbox(properties) {
        const box = createTemporaryObject(checkboxComponent, testCase, properties || {})
        verify(box)
        toggleSpy.clear()
        toggleSpy.target = box
        return box
    }

    function test_sizes_data() {
        return [
            { tag: "task", size: CheckboxSize.Task, hit: 24, ring: 16, line: 1.5, glyph: 8.8 },
            { tag: "subtask", size: CheckboxSize.Subtask, hit: 21.5, ring: 13.5, line: 1.3, glyph: 6.75 }
        ]
    }
    function test_sizes(data) {
        const box = makeCheckbox({ size: data.size })
        compare(box.implicitWidth, data.hit)
        compare(box.ringDiameter, data.ring)
        compare(findChild(box, "checkboxRing").border.width, data.line)
        compare(findChild(box, "checkmark").pointSize, data.glyph)
    }

    function test_singleClickTogglesOnceAfterTheDelay() {
        const box = makeCheckbox({ isCompleted: false })
        const clickedAt = Date.now()
        mouseClick(box)
        // The drawn state flips at once and the box is pressed, but the owner
        // has not been told yet.
        verify(box.visualCompleted)
        verify(box.isPressed)
        compare(toggleSpy.count, 0)
        compare(box.Accessible.name, "Mark as incomplete")
        tryCompare(toggleSpy, "count", 1, 1000)
        verify(Date.now() - clickedAt >= 70, "toggle came after " + (Date.now() - clickedAt) + " ms")
        verify(!box.isPressed)
        wait(200)
        compare(toggleSpy.count, 1)
    }

    function test_pressShrinksAndTiltsThenSettles_data() {
        return [
            { tag: "unchecked", completed: false, restScale: 1.15, restRotation: 0 },
            { tag: "checked", completed: true, restScale: 1.0, restRotation: -5 }
        ]
    }
    function test_pressShrinksAndTiltsThenSettles(data) {
        const box = makeCheckbox({ isCompleted: data.completed })
        const button = findChild(box, "checkboxButton")
        const startScale = data.completed ? 1.15 : 1.0
        tryVerify(() => Math.abs(button.scale - startScale) < 0.01, 2000)
        mouseClick(box)
        // The press pulls towards 0.75 and -15 degrees before the release.
        tryVerify(() => button.scale < startScale - 0.08, 500)
        tryVerify(() => button.rotation < -5.5, 500)
        tryCompare(toggleSpy, "count", 1)
        tryVerify(() => Math.abs(button.scale - data.restScale) < 0.01, 2000)
        tryVerify(() => Math.abs(button.rotation - data.restRotation) < 0.1, 2000)
    }

    function test_twoQuickClicksToggleTwiceAndEndWhereTheyStarted() {
        const box = makeCheckbox({ isCompleted: false })
        mouseClick(box)
        wait(40)
        mouseClick(box)
        // Both clicks are still pending: the second did not cancel the first.
        verify(toggleSpy.count <= 1)
        tryCompare(toggleSpy, "count", 2, 1000)
        verify(!box.visualCompleted)
        compare(box.Accessible.name, "Mark as complete")
        wait(200)
        compare(toggleSpy.count, 2)
    }

    function test_appearingNeverToggles() {
        const box = makeCheckbox({ isCompleted: true })
        verify(box.visualCompleted)
        verify(!box.isPressed)
        wait(200)
        compare(toggleSpy.count, 0)
        const button = findChild(box, "checkboxButton")
        tryVerify(() => Math.abs(button.scale - 1.15) < 0.01, 2000)
        compare(button.rotation, 0)
        tryCompare(findChild(box, "checkmark"), "opacity", 1, 2000)
    }

    function test_recordChangeIsFollowed() {
        const box = makeCheckbox({ isCompleted: false })
        box.isCompleted = true
        verify(box.visualCompleted)
        compare(box.Accessible.name, "Mark as incomplete")
        tryCompare(findChild(box, "checkboxFill"), "scale", 1, 2000)
        box.isCompleted = false
        verify(!box.visualCompleted)
        tryCompare(findChild(box, "checkmark"), "visible", false, 1000)
        compare(toggleSpy.count, 0)
    }

    function test_callbackThatKeepsTheRecordKeepsTheFlippedState() {
        const box = makeCheckbox({ isCompleted: false })
        mouseClick(box)
        tryCompare(toggleSpy, "count", 1)
        verify(box.visualCompleted)
    }

    function test_clickOutsideTheCircleIsIgnored() {
        const box = makeCheckbox({ isCompleted: false })
        mouseClick(box, 1, 1)
        wait(150)
        compare(toggleSpy.count, 0)
        verify(!box.visualCompleted)
    }

    function test_destroyedBeforeTheDelayNeverToggles() {
        const box = makeCheckbox({ isCompleted: false })
        let called = 0
        box.toggle.connect(() => ++called)
        mouseClick(box)
        box.destroy()
        wait(200)
        compare(called, 0)
    }
}
