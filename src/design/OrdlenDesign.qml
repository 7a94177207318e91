pragma Singleton
import QtQuick
import Ordlen

// The named colours, fonts and animations of the panel. Adaptive colours
// follow Appearance; the hue colours are the same in light and dark.
QtObject {
    id: design

    // HSB definitions stored as RGB, so tokens compare equal to colours
    // derived from them.
    function fromHsb(hue, saturation, brightness) {
        const c = Qt.hsva(hue, saturation, brightness, 1.0)
        return Qt.rgba(c.r, c.g, c.b, 1.0)
    }

    function withOpacity(base, opacity) {
        return Qt.rgba(base.r, base.g, base.b, base.a * opacity)
    }

    readonly property QtObject color: QtObject {
        readonly property color accent: design.fromHsb(0.58, 0.7, 0.95)
        readonly property color success: design.fromHsb(0.37, 0.6, 0.72)
        readonly property color destructive: design.fromHsb(0.02, 0.65, 0.8)
        readonly property color textPrimary: Appearance.primaryLabel
        readonly property color textSecondary: Appearance.secondaryLabel
        readonly property color textTertiary: Qt.rgba(0.55, 0.55, 0.55, 1.0)
        readonly property color separator: design.withOpacity(Appearance.primaryLabel, 0.07)
        readonly property color rowHover: design.withOpacity(Appearance.primaryLabel, 0.05)
        readonly property color textCompleted: design.withOpacity(Appearance.secondaryLabel, 0.5)
    }

    readonly property QtObject font: QtObject {
        readonly property font header: SystemFont.font(11, Font.Medium)
        readonly property font taskTitle: SystemFont.font(12.5, Font.Normal)
        readonly property font subtask: SystemFont.font(11.5, Font.Normal)
        readonly property font caption: SystemFont.font(10, Font.Normal)
        readonly property font badge: SystemFont.monospaced(10, Font.DemiBold)
        readonly property font input: SystemFont.font(12.5, Font.Normal)
    }

    // Animations are parameters here; OrdlenSpring / OrdlenQuick (and their
    // colour twins) play them.
    readonly property QtObject animation: QtObject {
        readonly property QtObject spring: QtObject {
            readonly property real response: 0.3
            readonly property real dampingFraction: 0.7
        }
        readonly property QtObject quick: QtObject {
            readonly property int duration: 180
            // ease-in-out as a cubic Bézier (0.42, 0, 0.58, 1)
            readonly property var curve: [0.42, 0.0, 0.58, 1.0, 1.0, 1.0]
        }
    }
}
