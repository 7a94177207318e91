#pragma once

#include <QStringList>
#include <optional>

class Preferences;

// The user's saved workspaces in the preferences, in menu order. "Personal"
// is built in and never part of the saved list.
class WorkspaceList
{
public:
    static inline const QString personal = QStringLiteral("Personal");
    static inline const QString savedKey = QStringLiteral("ordlen_custom_workspaces");
    static inline const QString legacyKey = QStringLiteral("zuvo_custom_workspaces");
    // A name holds at most this many characters (as a reader counts them).
    static constexpr int nameCharacterLimit = 10;
    // A new workspace is offered while at most this many names exist,
    // "Personal" included.
    static constexpr int namesOfferingNew = 9;

    explicit WorkspaceList(Preferences *preferences);

    // Read afresh every time: takes over the legacy key once, then cleans the
    // list (no "Personal", no repeats; first places kept). Reading writes
    // nothing but that one takeover; while the takeover can't be written,
    // the legacy list is shown as it is and the takeover is tried again on
    // the next read.
    QStringList saved() const;
    // Writes the whole list; false when the preferences could not be written.
    bool write(const QStringList &names) const;

    static QStringList cleaned(const QStringList &names);
    // "Personal", the saved names, then every other name in use (or selected)
    // by ascending code points.
    static QStringList available(const QStringList &saved, const QStringList &namesInUse,
                                 const QString &selected);

private:
    // The list found under the legacy key when it is not taken over (yet).
    std::optional<QStringList> takeOverLegacyList() const;

    Preferences *m_preferences;
};
