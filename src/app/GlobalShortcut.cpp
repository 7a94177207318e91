#include "GlobalShortcut.h"

#include "DiagnosticLog.h"
#include "Preferences.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <X11/keysym.h>
#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

Q_LOGGING_CATEGORY(lcShortcut, "ordlen.shortcut")

constexpr quint8 badAccess = 10;

// Qt's keys outside Latin-1 that a shortcut is likely to use, as X keysyms.
constexpr std::array<std::pair<int, xcb_keysym_t>, 17> namedKeys{{
    {Qt::Key_Escape, XK_Escape},
    {Qt::Key_Tab, XK_Tab},
    {Qt::Key_Backspace, XK_BackSpace},
    {Qt::Key_Return, XK_Return},
    {Qt::Key_Enter, XK_KP_Enter},
    {Qt::Key_Insert, XK_Insert},
    {Qt::Key_Delete, XK_Delete},
    {Qt::Key_Pause, XK_Pause},
    {Qt::Key_Print, XK_Print},
    {Qt::Key_Home, XK_Home},
    {Qt::Key_End, XK_End},
    {Qt::Key_Left, XK_Left},
    {Qt::Key_Up, XK_Up},
    {Qt::Key_Right, XK_Right},
    {Qt::Key_Down, XK_Down},
    {Qt::Key_PageUp, XK_Page_Up},
    {Qt::Key_PageDown, XK_Page_Down},
}};

std::optional<xcb_keysym_t> keysymFor(int key)
{
    // Latin-1 keys are their own keysyms; letters by their small form.
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis)
        return xcb_keysym_t(QChar(key).toLower().unicode());
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return xcb_keysym_t(XK_F1 + (key - Qt::Key_F1));
    for (const auto &[qtKey, keysym] : namedKeys) {
        if (qtKey == key)
            return keysym;
    }
    return std::nullopt;
}

quint16 modifierMask(Qt::KeyboardModifiers modifiers)
{
    quint16 mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

template <typename T> using XcbPointer = std::unique_ptr<T, decltype(&std::free)>;

// The modifier bit Num Lock sets (usually Mod2), found in the keyboard map.
quint16 numLockMask(xcb_connection_t *connection, xcb_key_symbols_t *symbols)
{
    const XcbPointer<xcb_keycode_t> numLock(xcb_key_symbols_get_keycode(symbols, XK_Num_Lock), &std::free);
    const XcbPointer<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr),
        &std::free);
    if (!numLock || !mapping)
        return 0;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(mapping.get());
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < mapping->keycodes_per_modifier; ++i) {
            const xcb_keycode_t code = codes[modifier * mapping->keycodes_per_modifier + i];
            for (const xcb_keycode_t *k = numLock.get(); code != 0 && *k != XCB_NO_SYMBOL; ++k) {
                if (*k == code)
                    return quint16(1u << modifier);
            }
        }
    }
    return 0;
}

} // namespace

GlobalShortcut::GlobalShortcut(QObject *parent) : QObject(parent)
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        m_connection = x11->connection();
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        qGuiApp->installNativeEventFilter(this);
    }
}

GlobalShortcut::~GlobalShortcut()
{
    if (m_connection) {
        qGuiApp->removeNativeEventFilter(this);
        ungrab();
    }
}

void GlobalShortcut::grabFromPreferences(const Preferences &preferences)
{
    const QString text = preferences.text(preferenceKey).value_or(defaultSequence).trimmed();
    if (text.isEmpty())
        return;
    if (!m_connection) {
        qCInfo(lcShortcut).noquote() << "no global shortcut on" << QGuiApplication::platformName()
                                     << "- the desktop's shortcut settings can run 'ordlen capture'";
        return;
    }
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (sequence.count() != 1 || !keysymFor(sequence[0].key())) {
        DiagnosticLog::write(
            QStringLiteral("Ordlen: The capture shortcut '%1' (%2 in %3) is not one key combination; no "
                           "shortcut is set.")
                .arg(text, preferenceKey, preferences.filePath()));
        return;
    }
    grab(sequence);
}

QList<quint16> GlobalShortcut::lockVariants() const
{
    QList<quint16> variants{0, XCB_MOD_MASK_LOCK};
    if (m_numLock)
        variants << m_numLock << quint16(m_numLock | XCB_MOD_MASK_LOCK);
    return variants;
}

bool GlobalShortcut::grab(const QKeySequence &sequence)
{
    ungrab();
    const std::optional<xcb_keysym_t> keysym =
        sequence.isEmpty() ? std::nullopt : keysymFor(sequence[0].key());
    if (!m_connection || !keysym)
        return false;
    const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
        xcb_key_symbols_alloc(m_connection), &xcb_key_symbols_free);
    m_numLock = numLockMask(m_connection, symbols.get());
    m_modifiers = modifierMask(sequence[0].keyboardModifiers());
    const XcbPointer<xcb_keycode_t> codes(xcb_key_symbols_get_keycode(symbols.get(), *keysym), &std::free);
    for (const xcb_keycode_t *code = codes.get(); code && *code != XCB_NO_SYMBOL; ++code)
        m_keycodes << *code;

    quint8 error = 0;
    for (const quint8 code : std::as_const(m_keycodes)) {
        for (const quint16 locks : lockVariants()) {
            const XcbPointer<xcb_generic_error_t> failure(
                xcb_request_check(m_connection,
                                  xcb_grab_key_checked(m_connection, 1, m_root, m_modifiers | locks, code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)),
                &std::free);
            if (failure && !error)
                error = failure->error_code;
        }
    }
    if (error == 0 && !m_keycodes.isEmpty())
        return true;
    const QString name = sequence.toString(QKeySequence::PortableText);
    if (error == badAccess)
        DiagnosticLog::write(
            QStringLiteral(
                "Ordlen: The capture shortcut %1 is taken by another program; Ordlen runs without it.")
                .arg(name));
    else
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not grab the capture shortcut %1 (%2).")
                                 .arg(name, error ? QStringLiteral("X error %1").arg(error)
                                                  : QStringLiteral("no such key on this keyboard")));
    ungrab();
    return false;
}

void GlobalShortcut::ungrab()
{
    for (const quint8 code : std::as_const(m_keycodes)) {
        for (const quint16 locks : lockVariants())
            xcb_ungrab_key(m_connection, code, m_root, m_modifiers | locks);
    }
    if (!m_keycodes.isEmpty())
        xcb_flush(m_connection);
    m_keycodes.clear();
}

bool GlobalShortcut::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (m_keycodes.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    const quint16 held = press->state & ~(m_numLock | XCB_MOD_MASK_LOCK) & 0xff;
    if (press->event != m_root || !m_keycodes.contains(press->detail) || held != m_modifiers)
        return false;
    emit activated();
    return true;
}
