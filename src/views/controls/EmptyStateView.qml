import QtQuick
import Ordlen

// Shown in place of an empty list: a softly pulsing badge with the filter's
// symbol, a title and a hint.
Item {
    id: root

    property int filter: TaskFilter.Pending
    property bool isPulsing: false

    readonly property var content: filter === TaskFilter.All
        ? { symbol: "checklist", title: "All clear", hint: "Add your first task below" }
        : filter === TaskFilter.Done
          ? { symbol: "checkmark.seal.fill", title: "Not done yet", hint: "Complete a task to see it here" }
          : { symbol: "tray", title: "No active tasks", hint: "Take a break, or add a new one" }
    readonly property string symbolName: content.symbol
    readonly property string title: content.title
    readonly property string hint: content.hint
    readonly property alias pulseDiameter: pulse.width

    // Read as one text: the title, then the hint.
    Accessible.role: Accessible.StaticText
    Accessible.name: title
    Accessible.description: hint

    implicitWidth: column.implicitWidth
    implicitHeight: column.implicitHeight + 40

    Component.onCompleted: {
        isPulsing = true
        appear.start()
    }

    // Comes in with a fade and a slight scale, as the panel inserts it.
    ParallelAnimation {
        id: appear
        OrdlenQuick { target: root; property: "opacity"; from: 0; to: 1 }
        OrdlenQuick { target: root; property: "scale"; from: 0.96; to: 1 }
    }

    Column {
        id: column
        width: parent.width
        y: 20 - 10
        spacing: 14

        Item {
            id: badge
            anchors.horizontalCenter: parent.horizontalCenter
            width: 68
            height: 68

            Rectangle {
                id: pulse
                objectName: "pulseCircle"
                anchors.centerIn: parent
                width: 58
                height: width
                radius: width / 2
                color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.06)

            }
            // Breathes for as long as the view is shown.
            SequentialAnimation {
                running: root.isPulsing
                loops: Animation.Infinite
                NumberAnimation {
                    target: pulse; property: "width"; from: 58; to: 68
                    duration: OrdlenDesign.animation.pulse.duration
                    easing.type: Easing.BezierSpline; easing.bezierCurve: OrdlenDesign.animation.pulse.curve
                }
                NumberAnimation {
                    target: pulse; property: "width"; from: 68; to: 58
                    duration: OrdlenDesign.animation.pulse.duration
                    easing.type: Easing.BezierSpline; easing.bezierCurve: OrdlenDesign.animation.pulse.curve
                }
            }
            // Ring with an angular gradient, accent 35 % → 8 % → 35 %.
            Canvas {
                id: ring
                anchors.centerIn: parent
                width: 50
                height: 50
                readonly property color accent: OrdlenDesign.color.accent
                onAccentChanged: requestPaint()
                onPaint: {
                    const ctx = getContext("2d")
                    ctx.reset()
                    const g = ctx.createConicalGradient(width / 2, height / 2, 0)
                    g.addColorStop(0.0, OrdlenDesign.withOpacity(accent, 0.35))
                    g.addColorStop(0.5, OrdlenDesign.withOpacity(accent, 0.08))
                    g.addColorStop(1.0, OrdlenDesign.withOpacity(accent, 0.35))
                    ctx.strokeStyle = g
                    ctx.lineWidth = 1
                    ctx.beginPath()
                    ctx.arc(width / 2, height / 2, width / 2 - 0.5, 0, 2 * Math.PI)
                    ctx.stroke()
                }
            }
            Rectangle {
                anchors.centerIn: parent
                width: 44
                height: 44
                radius: 22
                color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.1)
            }
            SymbolIcon {
                objectName: "badgeSymbol"
                anchors.centerIn: parent
                name: root.symbolName
                pointSize: 18
                weight: Font.DemiBold
                color: OrdlenDesign.withOpacity(OrdlenDesign.color.accent, 0.75)
            }
        }

        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width
            spacing: 5

            Text {
                objectName: "emptyTitle"
                Accessible.ignored: true
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: root.title
                font: SystemFont.font(13, Font.DemiBold)
                color: OrdlenDesign.color.textPrimary
            }
            Text {
                objectName: "emptyHint"
                Accessible.ignored: true
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: root.hint
                font: SystemFont.font(11.5, Font.Normal)
                color: OrdlenDesign.color.textTertiary
            }
        }
    }
}
