import QtQuick
import Ordlen

// OrdlenSpring for colours.
ColorAnimation {
    property real response: OrdlenDesign.animation.spring.response
    property real dampingFraction: OrdlenDesign.animation.spring.dampingFraction

    duration: OrdlenDesign.animation.springDuration(response, dampingFraction)
    easing.type: Easing.BezierSpline
    easing.bezierCurve: SpringCurve.curve(response, dampingFraction)
}
