import QtQuick

// A fill clipped to a rounded rectangle of the given radius, used as the
// background of small labels. Continuous corners are drawn as plain circular
// ones; at these radii the difference is below a pixel.
Rectangle {
    antialiasing: true
}
