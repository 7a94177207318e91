pragma Singleton
import QtQuick
import Ordlen

// The named colours, fonts and timings of the panel. Adaptive colours
// follow Appearance; the hue colours are the same in light and dark.
QtObject {
    id: design

    // The colour at the given opacity, multiplied into its own alpha.
    function withOpacity(base, opacity) {
        return design.color.withOpacity(base, opacity)
    }

    readonly property Colors color: Colors {}
    readonly property Fonts font: Fonts {}
    readonly property Animations animation: Animations {}
    readonly property Metrics metrics: Metrics {}

    // The token groups are inline types so tools can follow them by name.
    component Colors: QtObject {
        id: colors

        // HSB definitions stored as RGB, so tokens compare equal to colours
        // derived from them.
        function fromHsb(hue, saturation, brightness) {
            const c = Qt.hsva(hue, saturation, brightness, 1.0)
            return Qt.rgba(c.r, c.g, c.b, 1.0)
        }

        function withOpacity(base, opacity) {
            return Qt.rgba(base.r, base.g, base.b, base.a * opacity)
        }

        readonly property color accent: colors.fromHsb(0.58, 0.7, 0.95)
        readonly property color success: colors.fromHsb(0.37, 0.6, 0.72)
        readonly property color destructive: colors.fromHsb(0.02, 0.65, 0.8)
        readonly property color textPrimary: Appearance.primaryLabel
        readonly property color textSecondary: Appearance.secondaryLabel
        readonly property color textTertiary: Qt.rgba(0.55, 0.55, 0.55, 1.0)
        readonly property color separator: colors.withOpacity(Appearance.primaryLabel, 0.07)
        readonly property color rowHover: colors.withOpacity(Appearance.primaryLabel, 0.05)
        readonly property color textCompleted: colors.withOpacity(Appearance.secondaryLabel, 0.5)
    }

    // Sizes in layout points.
    component Fonts: QtObject {
        readonly property font header: SystemFont.font(11, Font.Medium)
        readonly property font taskTitle: SystemFont.font(12.5, Font.Normal)
        readonly property font subtask: SystemFont.font(11.5, Font.Normal)
        readonly property font caption: SystemFont.font(10, Font.Normal)
        readonly property font badge: SystemFont.monospaced(10, Font.DemiBold)
        readonly property font input: SystemFont.font(12.5, Font.Normal)
    }

    // Spacing of the panel's task list, shared by its rows and headings.
    component Metrics: QtObject {
        // From the panel's sides to the rows.
        readonly property real listInset: 18
        // Between rows, and between a heading and its first row.
        readonly property real rowSpacing: 4
    }

    // Every duration and delay of the panel. Tests and the gallery set
    // durationScale to 0 so each change lands at once.
    component Animations: QtObject {
        id: animations

        property real durationScale: 1.0

        function scaled(milliseconds: real): int {
            return Math.round(milliseconds * animations.durationScale)
        }

        // What OrdlenSpring and OrdlenSpringColor play for a spring.
        function springDuration(response: real, dampingFraction: real): int {
            return animations.scaled(SpringCurve.durationMs(response, dampingFraction))
        }

        readonly property SpringParameters spring: SpringParameters {
            response: 0.3
            dampingFraction: 0.7
        }
        // OrdlenQuick and OrdlenQuickColor.
        readonly property CurveParameters quick: CurveParameters {
            duration: animations.scaled(180)
            // ease-in-out as a cubic Bézier (0.42, 0, 0.58, 1)
            curve: [0.42, 0.0, 0.58, 1.0, 1.0, 1.0]
        }
        // The checkmark leaving an unticked checkbox: ease-in.
        readonly property CurveParameters fadeOut: CurveParameters {
            duration: animations.scaled(100)
            curve: [0.42, 0.0, 1.0, 1.0, 1.0, 1.0]
        }
        // One breath of the empty state's badge, each way.
        readonly property CurveParameters pulse: CurveParameters {
            duration: animations.scaled(2200)
            curve: animations.quick.curve
        }
        // The checkbox reports a click once its press has been seen.
        readonly property int toggleDelay: animations.scaled(80)
        // Fields take the keyboard focus once they are on screen.
        readonly property int focusDelay: animations.scaled(50)
        // How long the notice after a deletion offers to take it back.
        readonly property int undoNoticeDuration: animations.scaled(5000)
    }

    // A spring given by response (seconds) and damping fraction.
    component SpringParameters: QtObject {
        property real response
        property real dampingFraction
    }

    // A timed animation: duration in milliseconds and a Bézier easing curve.
    component CurveParameters: QtObject {
        property int duration
        property var curve
    }
}
