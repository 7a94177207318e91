import QtQuick
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    name: "AddTaskField"

    Component { id: fieldComponent; AddTaskField { width: 320 } }
    SignalSpy { id: submitSpy; signalName: "submit" }
    SignalSpy { id: cancelSpy; signalName: "cancel" }

    function makeField() {
        const field = makeSpied(fieldComponent, {}, [submitSpy, cancelSpy])
        tryVerify(() => field.isFocused, 1000, "takes the focus once shown")
        return field
    }

    function test_submitOrCancel_data() {
        const press = key => () => keyClick(key)
        return [
            { tag: "Return", text: "Buy milk", act: press(Qt.Key_Return), submitted: "Buy milk" },
            { tag: "keypad Enter, blanks around", text: "  Buy milk \n", act: press(Qt.Key_Enter), submitted: "Buy milk" },
            { tag: "Return, empty", text: "", act: press(Qt.Key_Return) },
            { tag: "keypad Enter, only blanks", text: " \n\u2003", act: press(Qt.Key_Enter) },
            { tag: "Escape", text: "Draft", act: press(Qt.Key_Escape) },
            { tag: "focus moves away", text: "Draft", act: () => owner.forceActiveFocus() }
        ]
    }
    function test_submitOrCancel(data) {
        const field = makeField()
        field.input.text = data.text
        data.act()
        if (data.submitted)
            owner.forceActiveFocus() // the focus loss after a submission is no cancel
        compare([field.text, submitSpy.count, cancelSpy.count, escapesSeen], ["", data.submitted ? 1 : 0, data.submitted ? 0 : 1, 0])
        if (data.submitted)
            compare(submitSpy.signalArguments[0][0], data.submitted)
    }
}
