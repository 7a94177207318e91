import QtQuick
import QtQuick.Shapes

// A circle filling the item, with an optional ring drawn inside its edge.
// A path, not a rounded Rectangle: the software renderer draws a Rectangle's
// corners from a picture cut at whole points, so a circle that is scaled or
// half a point wide comes out as a rounded square.
Shape {
    id: circle

    property color fillColor: "transparent"
    property color ringColor: "transparent"
    property real ringWidth: 0

    ShapePath {
        fillColor: circle.fillColor
        strokeColor: circle.ringWidth > 0 ? circle.ringColor : "transparent"
        strokeWidth: circle.ringWidth > 0 ? circle.ringWidth : -1
        PathAngleArc {
            centerX: circle.width / 2
            centerY: circle.height / 2
            radiusX: (circle.width - circle.ringWidth) / 2
            radiusY: (circle.height - circle.ringWidth) / 2
            startAngle: 0
            sweepAngle: 360
        }
    }
}
