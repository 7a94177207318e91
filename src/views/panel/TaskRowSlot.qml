import QtQuick
import Ordlen

// A place in the panel's list: the row of one task, with the gap below it.
Item {
    property TaskRowView row
}
