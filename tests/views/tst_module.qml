import QtQuick
import QtTest
import Ordlen

TestCase {
    name: "OrdlenModule"

    Component {
        id: menuBarView
        MenuBarView {}
    }

    function test_rootViewHasPanelSize() {
        const view = createTemporaryObject(menuBarView, this)
        verify(view)
        compare(view.implicitWidth, 408)
    }
}
