#pragma once

#include <QStringList>

class Preferences;

// The user's saved workspaces in the preferences, in menu order. "Personal"
// is built in and never part of the saved list.
class WorkspaceList
{
public:
    explicit WorkspaceList(Preferences *preferences);

    // Read afresh every time: takes over the legacy key once, then cleans the
    // list (no "Personal", no repeats; first places kept). Reading writes
    // nothing but that one takeover.
    QStringList saved() const;
    // Writes the whole list; false when the preferences could not be written.
    bool write(const QStringList &names) const;

    static QStringList cleaned(const QStringList &names);
    // "Personal", the saved names, then every other name in use (or selected)
    // by ascending code points.
    static QStringList available(const QStringList &saved, const QStringList &namesInUse,
                                 const QString &selected);

private:
    void takeOverLegacyList() const;

    Preferences *m_preferences;
};
