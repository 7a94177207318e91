import QtQuick
import Ordlen

// The design's quick animation: ease-in-out over 0.18 s.
NumberAnimation {
    duration: OrdlenDesign.animation.quick.duration
    easing.type: Easing.BezierSpline
    easing.bezierCurve: OrdlenDesign.animation.quick.curve
}
