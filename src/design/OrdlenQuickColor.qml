import QtQuick
import Ordlen

// OrdlenQuick for colours.
ColorAnimation {
    duration: OrdlenDesign.animation.quick.duration
    easing.type: Easing.BezierSpline
    easing.bezierCurve: OrdlenDesign.animation.quick.curve
}
