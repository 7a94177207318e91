#pragma once

#include <QElapsedTimer>
#include <QQuickView>
#include <QtQml/qqmlregistration.h>

// The window that shows the panel. As a popover it is frameless, opens under
// the tray icon, takes the keyboard and closes when the user clicks anywhere
// outside it or it loses activation. On a desktop without a tray it is an
// ordinary window instead, so the app never runs invisibly. One window is
// created and reused for every showing.
class PopoverWindow : public QQuickView
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The popover is created by the AppDelegate")

    // Whether it closes on losing activation or a click outside it.
    Q_PROPERTY(bool hidesOnDeactivate READ hidesOnDeactivate WRITE setHidesOnDeactivate NOTIFY
                   hidesOnDeactivateChanged)
    // Window level as the panel's pin uses it: 3 floating, 101 pop-up menu.
    Q_PROPERTY(int level READ level WRITE setLevel NOTIFY levelChanged)
    Q_PROPERTY(bool isTranslucent READ isTranslucent CONSTANT)

public:
    enum class Presentation
    {
        Popover,
        Window
    };

    static inline constexpr QSize contentSize{408, 476};
    static inline constexpr int cornerRadius = 20;

    PopoverWindow();

    Presentation presentation() const { return m_presentation; }
    void setPresentation(Presentation presentation);

    // "Keep Window Open": pinned, it stays when another window takes the
    // activation and floats over the others; unpinned, it closes then and
    // sits at the pop-up menu level.
    Q_INVOKABLE void updateWindowBehavior(bool pinned);

    bool hidesOnDeactivate() const { return m_hidesOnDeactivate; }
    void setHidesOnDeactivate(bool hides);
    int level() const { return m_level; }
    void setLevel(int level);
    // Whether the desktop composites windows, so the panel's rounded,
    // see-through background can show; decided when the window is made.
    bool isTranslucent() const { return m_isTranslucent; }

    // Opens the popover under the icon (or near the pointer when the icon's
    // place is unknown) and gives it the keyboard.
    void showUnder(const QRect &iconGeometry);
    // Shows the ordinary window, or raises it when it is already shown.
    void showAsWindow();
    void dismiss();
    // Closes the popover (Escape in the panel); an ordinary window stays.
    Q_INVOKABLE void closePopover();
    // Whether it closed on losing activation a moment ago: the click on the
    // tray icon that took the activation away must not open it again.
    bool wasJustDeactivated() const;

signals:
    void hidesOnDeactivateChanged();
    void levelChanged();
    // Shown and painted: the first frame after a show.
    void presented();
    // The user closed the ordinary window.
    void windowClosed();

protected:
    void exposeEvent(QExposeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void applyFlags();
    // The panel's size, or less where the room on the screen is smaller.
    void fitInto(const QSize &room);
    void applyActivation();
    bool closesOnOutsideClick() const;
    void takeGrab();
    void releaseGrab();

    Presentation m_presentation = Presentation::Popover;
    bool m_hidesOnDeactivate = true;
    int m_level = 101;
    bool m_isTranslucent = false;
    bool m_wantsGrab = false;
    bool m_hasGrab = false;
    bool m_framePending = false;
    // Only a showing that was active can be left: the window system may tell
    // of the last showing's deactivation after the next one has begun.
    bool m_activeSinceShown = false;
    QElapsedTimer m_sinceDeactivation;
};
