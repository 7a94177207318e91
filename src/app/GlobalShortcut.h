#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

class Preferences;
struct xcb_connection_t;

// The quick-capture key: one key combination grabbed on the X11 root
// window, so it reaches the app whichever window has the keyboard. It is
// read from the preferences (captureShortcut, Ctrl+Alt+Space when missing,
// empty for none). On another platform (Wayland has no global grabs) there
// is none; the desktop's own shortcut settings can run `ordlen capture`.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    static inline const QString preferenceKey = QStringLiteral("captureShortcut");
    static inline const QString defaultSequence = QStringLiteral("Ctrl+Alt+Space");

    explicit GlobalShortcut(QObject *parent = nullptr);
    ~GlobalShortcut() override;

    // Grabs the key the preferences name. A value that is not one key
    // combination, or a key another program holds, gets one line on
    // standard output and no shortcut.
    void grabFromPreferences(const Preferences &preferences);
    // The grab itself: false, with a line, when it could not be made.
    bool grab(const QKeySequence &sequence);
    bool isGrabbed() const { return !m_keycodes.isEmpty(); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void activated();

private:
    void ungrab();
    // Each combination is grabbed with and without Caps Lock and Num Lock.
    QList<quint16> lockVariants() const;

    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    QList<quint8> m_keycodes;
    quint16 m_modifiers = 0;
    quint16 m_numLock = 0;
};
