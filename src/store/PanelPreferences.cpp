#include "PanelPreferences.h"

#include "Preferences.h"

PanelPreferences::PanelPreferences(Preferences *preferences, QObject *parent)
    : QObject(parent), m_preferences(preferences), m_isPinned(preferences->boolValue(pinnedKey, false))
{}

void PanelPreferences::setIsPinned(bool pinned)
{
    if (pinned == m_isPinned)
        return;
    // A failed write has printed its line; the menu goes on showing the pin
    // as the file holds it.
    if (!m_preferences->setBool(pinnedKey, pinned))
        return;
    m_isPinned = pinned;
    emit isPinnedChanged();
}
