#include "PopoverWindow.h"

#include "DesktopCompositor.h"
#include "PopoverPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPalette>
#include <QRegion>
#include <QScreen>

namespace {

constexpr int floatingLevel = 3;
constexpr int popUpMenuLevel = 101;
// A tray click that arrives this soon after the popover lost activation is
// the same click: it closed the popover and must not reopen it.
constexpr qint64 dismissalEchoMs = 300;

QRegion roundedRegion(const QSize &size, int radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), size), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

PopoverWindow::PopoverWindow()
{
    m_isTranslucent = DesktopCompositor::isActive();
    if (m_isTranslucent) {
        QSurfaceFormat surface = format();
        surface.setAlphaBufferSize(8);
        setFormat(surface);
        setColor(Qt::transparent);
    } else {
        setColor(QGuiApplication::palette().window().color());
    }
    setTitle(QStringLiteral("Ordlen"));
    setResizeMode(QQuickView::SizeRootObjectToView);
    fitInto(contentSize);
    applyFlags();

    connect(this, &QWindow::activeChanged, this, [this] {
        if (isActive())
            m_activeSinceShown = true;
        else if (m_activeSinceShown && isVisible() && closesOnOutsideClick()) {
            dismiss();
            m_sinceDeactivation.start();
        }
    });
    connect(this, &QQuickWindow::frameSwapped, this, [this] {
        if (m_framePending) {
            m_framePending = false;
            emit presented();
        }
    });
}

void PopoverWindow::setPresentation(Presentation presentation)
{
    if (m_presentation == presentation)
        return;
    const bool wasVisible = isVisible();
    dismiss();
    m_presentation = presentation;
    applyFlags();
    if (wasVisible && presentation == Presentation::Window)
        showAsWindow();
}

void PopoverWindow::updateWindowBehavior(bool pinned)
{
    setHidesOnDeactivate(!pinned);
    setLevel(pinned ? floatingLevel : popUpMenuLevel);
}

void PopoverWindow::setHidesOnDeactivate(bool hides)
{
    if (m_hidesOnDeactivate == hides)
        return;
    m_hidesOnDeactivate = hides;
    if (isVisible())
        applyActivation();
    emit hidesOnDeactivateChanged();
}

void PopoverWindow::setLevel(int level)
{
    if (m_level == level)
        return;
    m_level = level;
    // A popover is over the others at either level; only the ordinary
    // window's flags follow the level.
    if (m_presentation == Presentation::Window)
        applyFlags();
    emit levelChanged();
}

void PopoverWindow::showUnder(const QRect &iconGeometry)
{
    if (m_presentation != Presentation::Popover)
        return;
    const QPoint pointer = QCursor::pos();
    const bool iconKnown = iconGeometry.isValid() && !iconGeometry.isEmpty();
    QScreen *screen = QGuiApplication::screenAt(iconKnown ? iconGeometry.center() : pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    fitInto(screen->availableGeometry().size());
    setPosition(PopoverPlacement::topLeft(iconGeometry, pointer, size(), screen->availableGeometry()));
    if (!isVisible())
        m_activeSinceShown = false;
    m_framePending = true;
    show();
    raise();
    applyActivation();
}

void PopoverWindow::showAsWindow()
{
    if (m_presentation != Presentation::Window)
        return;
    if (!isVisible()) {
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            // Its frame too, once the window system has said how wide it is.
            create();
            const QRect area = screen->availableGeometry().marginsRemoved(frameMargins());
            fitInto(area.size());
            setPosition(area.center() - QPoint(width() / 2, height() / 2));
        }
        m_framePending = true;
    }
    show();
    raise();
    requestActivate();
}

void PopoverWindow::dismiss()
{
    m_wantsGrab = false;
    if (!isVisible())
        return;
    releaseGrab();
    hide();
}

void PopoverWindow::closePopover()
{
    if (m_presentation == Presentation::Popover)
        dismiss();
}

bool PopoverWindow::wasJustDeactivated() const
{
    return m_sinceDeactivation.isValid() && m_sinceDeactivation.elapsed() < dismissalEchoMs;
}

void PopoverWindow::exposeEvent(QExposeEvent *event)
{
    QQuickView::exposeEvent(event);
    // A pointer grab needs a mapped window, so it waits for the first expose.
    if (m_wantsGrab && isExposed())
        takeGrab();
}

void PopoverWindow::mousePressEvent(QMouseEvent *event)
{
    // While the pointer is grabbed, clicks anywhere on the screen land here.
    if (closesOnOutsideClick() && !QRect(QPoint(0, 0), size()).contains(event->position().toPoint())) {
        event->accept();
        dismiss();
        return;
    }
    QQuickView::mousePressEvent(event);
}

bool PopoverWindow::event(QEvent *event)
{
    if (event->type() != QEvent::Close)
        return QQuickView::event(event);
    // Closing the popover hides it; the app goes on in the tray.
    if (m_presentation == Presentation::Popover) {
        event->ignore();
        dismiss();
        return true;
    }
    const bool handled = QQuickView::event(event);
    emit windowClosed();
    return handled;
}

void PopoverWindow::applyFlags()
{
    Qt::WindowFlags flags;
    if (m_presentation == Presentation::Popover) {
        // A tool window stays out of the taskbar and the window switcher.
        flags = Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint | Qt::WindowStaysOnTopHint;
        // Without a compositor the corners would show as solid squares:
        // cut them off instead.
        setMask(m_isTranslucent ? QRegion() : roundedRegion(size(), cornerRadius));
    } else {
        flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                Qt::WindowCloseButtonHint;
        if (m_level == floatingLevel)
            flags |= Qt::WindowStaysOnTopHint;
        setMask(QRegion());
    }
    // The same flags again would still reach the window system; changing
    // the pin must not touch a window whose flags stay.
    if (flags != this->flags())
        setFlags(flags);
}

void PopoverWindow::fitInto(const QSize &room)
{
    // At a large scale factor the panel can be taller than the screen: it is
    // cut down to fit, and its list scrolls.
    const QSize fitted = contentSize.boundedTo(room);
    if (fitted == size() && fitted == minimumSize())
        return;
    setMinimumSize(fitted);
    setMaximumSize(fitted);
    resize(fitted);
    if (!mask().isEmpty())
        setMask(roundedRegion(fitted, cornerRadius));
}

void PopoverWindow::applyActivation()
{
    requestActivate();
    m_wantsGrab = closesOnOutsideClick();
    if (m_wantsGrab && isExposed())
        takeGrab();
    if (!closesOnOutsideClick())
        releaseGrab();
}

void PopoverWindow::takeGrab()
{
    // Wayland grants a grab only to pop-up windows, which this is not (it
    // takes the keyboard); losing the activation still closes it there.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_hasGrab = setMouseGrabEnabled(true);
    // Tried once per showing: if another client holds the pointer, losing
    // activation still closes the popover.
    m_wantsGrab = false;
}

void PopoverWindow::releaseGrab()
{
    if (m_hasGrab)
        setMouseGrabEnabled(false);
    m_hasGrab = false;
}

bool PopoverWindow::closesOnOutsideClick() const
{
    return m_presentation == Presentation::Popover && m_hidesOnDeactivate;
}
