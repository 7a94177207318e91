import QtQuick

Item {
    id: root
    implicitWidth: 408
    implicitHeight: 476
}
