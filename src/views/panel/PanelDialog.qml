pragma ComponentBehavior: Bound
import QtQuick
import Ordlen

// A dialog drawn inside the panel: a dimming layer over the whole panel that
// takes every tap, and over it a centred card whose content comes from
// `card`. Opening and closing fade the layer and scale the card from 0.96
// as they fade it, with the quick animation. It is built only while shown
// or on its way out, and takes the keyboard while shown.
FocusScope {
    id: root

    property bool shown: false
    property Component card
    property real cardWidth: 272
    // The corners of the panel under the dimming.
    property real dimRadius: 0
    // A tap on the dimmed panel outside the card.
    signal dimmedAreaTapped()

    // 0 closed, 1 open.
    property real progress: shown ? 1 : 0
    Behavior on progress {
        OrdlenQuick {}
    }
    readonly property bool isBuilt: shown || progress > 0

    anchors.fill: parent
    visible: isBuilt

    onShownChanged: {
        if (shown)
            forceActiveFocus()
    }

    Rectangle {
        objectName: "dimmingLayer"
        anchors.fill: parent
        radius: root.dimRadius
        color: "black"
        opacity: 0.35 * root.progress

        // Every tap, wheel and hover stops here: the panel under it is out of reach.
        MouseArea {
            anchors.fill: parent
            // Once closing, the panel is back in reach.
            enabled: root.shown
            hoverEnabled: true
            acceptedButtons: Qt.AllButtons
            onClicked: root.dimmedAreaTapped()
            onWheel: wheel => wheel.accepted = true
        }
    }

    // The card and its content exist only while shown or on their way out.
    Repeater {
        model: root.isBuilt ? 1 : 0
        Item {
            id: cardFrame
            objectName: "dialogCard"
            anchors.centerIn: parent
            width: root.cardWidth
            height: contentHolder.height + 2 * 20
            z: 100
            opacity: root.progress
            scale: 0.96 + 0.04 * root.progress

            SoftShadow { radius: 18; blur: 24; offsetY: 8; strength: 0.22 }
            SoftShadow { radius: 18; blur: 4; offsetY: 1; strength: 0.08 }

            // The card's material: the window's background, nearly opaque.
            ContinuousRoundedCorners {
                anchors.fill: parent
                radius: 18
                color: {
                    const base = Appearance.windowBackground
                    return Qt.rgba(base.r, base.g, base.b, 0.98)
                }
            }
            PanelRim {
                anchors.fill: parent
                radius: 18
                lineWidth: 0.8
                startOpacity: 0.18
                endOpacity: 0.05
            }

            // Taps on the card stay on the card.
            MouseArea {
                anchors.fill: parent
                enabled: root.shown
                acceptedButtons: Qt.AllButtons
            }

            Item {
                id: contentHolder
                x: 20
                y: 20
                width: parent.width - 2 * 20
                height: childrenRect.height

                Repeater {
                    model: 1
                    delegate: root.card
                }
            }
        }
    }
}
