#pragma once

#include <QObject>
#include <QtQmlIntegration/qqmlintegration.h>

class Preferences;

// The panel's own preferences, kept in the preferences file beside the
// workspaces. A value reads what the file holds: a write that fails leaves
// it (and the file) as it was.
class PanelPreferences : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The app creates the panel's preferences over its preferences file")

    // "Keep Window Open": the popover stays when another window takes over.
    Q_PROPERTY(bool isPinned READ isPinned WRITE setIsPinned NOTIFY isPinnedChanged)

public:
    static inline const QString pinnedKey = QStringLiteral("isPinned");

    explicit PanelPreferences(Preferences *preferences, QObject *parent = nullptr);

    bool isPinned() const { return m_isPinned; }
    void setIsPinned(bool pinned);

signals:
    void isPinnedChanged();

private:
    Preferences *m_preferences;
    bool m_isPinned;
};
