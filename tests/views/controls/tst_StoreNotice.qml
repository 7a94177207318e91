import QtQuick
import QtQuick.Controls
import QtTest
import Ordlen
import OrdlenTestSupport

ViewTestCase {
    name: "StoreNotice"

    Component { id: noticeComponent; StoreNotice { width: 380 } }
    TaskStoreFixture { id: statuses }

    // Shown, with the reason on pointing at it, only while nothing is saved.
    function test_showsOnlyWhileNotSaved_data() {
        return [
            { tag: "no status yet", status: () => null, shown: false },
            { tag: "saved", status: () => statuses.status(true, ""), shown: false },
            { tag: "in memory", status: () => statuses.status(false, "file is not a database"), shown: true }
        ]
    }
    function test_showsOnlyWhileNotSaved(data) {
        const notice = createTemporaryObject(noticeComponent, owner, { storeStatus: data.status() })
        compare([notice.visible, notice.height > 0], [data.shown, data.shown])
        if (!data.shown)
            return
        compare([findChild(notice, "noticeText").text, notice.Accessible.description],
                ["Not saved \u2014 the task file could not be opened", "file is not a database"])
        mouseMove(notice, 10, notice.height / 2)
        tryVerify(() => notice.ToolTip.toolTip.visible, 1000, "the reason shows on pointing at it")
        compare(notice.ToolTip.toolTip.text, "file is not a database")
    }
}
