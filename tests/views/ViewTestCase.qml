import QtQuick
import QtTest
import Ordlen

// Shared by the view tests: a shown window, durations at 0 so changes land at
// once, the pointer in a corner, and an owner that counts unhandled Escapes
// and keeps what a control reports (as the store does) unless told not to.
TestCase {
    id: testCase

    property alias owner: keyOwner
    property int escapesSeen: 0
    property var kept
    property bool ownerFollows: true

    when: windowShown
    visible: true
    width: 420
    height: 400

    function init() {
        OrdlenDesign.animation.durationScale = 0
        escapesSeen = 0
        ownerFollows = true
        keyOwner.forceActiveFocus()
        mouseMove(testCase, 1, height - 1)
    }

    function keep(value) {
        if (ownerFollows)
            kept = value
    }

    // An object of component on the owner, with every spy of spies on it.
    function makeSpied(component, properties, spies) {
        const made = createTemporaryObject(component, owner, properties)
        spies.forEach(spy => { spy.target = made; spy.clear() })
        return made
    }

    function type(text) {
        for (const ch of text)
            keyClick(ch)
    }

    // Waits out every checkbox toggle already scheduled: a timer of the same
    // delay, started later, fires after them.
    function passToggleDelay() {
        laterTimer.start()
        laterSpy.wait()
    }

    function hover(row) {
        mouseMove(row, row.width / 2, Math.min(16, row.height / 2))
        tryCompare(row, "isHovered", true)
    }

    Timer { id: laterTimer; interval: OrdlenDesign.animation.toggleDelay }
    SignalSpy { id: laterSpy; target: laterTimer; signalName: "triggered" }
    Item { id: keyOwner; anchors.fill: parent; focus: true; Keys.onEscapePressed: ++testCase.escapesSeen }
}
