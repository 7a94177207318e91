import QtQuick
import QtTest
import Ordlen

// The C++ side of the module as QML sees it.
TestCase {
    name: "OrdlenModule"

    function test_filterCasesAreReachable() {
        compare(TaskFilter.All, 0)
        compare(TaskFilter.Pending, 1)
        compare(TaskFilter.Done, 2)
    }
}
