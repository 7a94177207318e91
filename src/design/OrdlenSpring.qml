import QtQuick
import Ordlen

// A number animation that moves like a spring of the given response and
// damping fraction (default: the design's spring).
NumberAnimation {
    property real response: OrdlenDesign.animation.spring.response
    property real dampingFraction: OrdlenDesign.animation.spring.dampingFraction

    duration: OrdlenDesign.animation.springDuration(response, dampingFraction)
    easing.type: Easing.BezierSpline
    easing.bezierCurve: SpringCurve.curve(response, dampingFraction)
}
