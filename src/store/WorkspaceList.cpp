#include "WorkspaceList.h"

#include "Preferences.h"

#include <QSet>
#include <algorithm>

WorkspaceList::WorkspaceList(Preferences *preferences) : m_preferences(preferences) {}

std::optional<QStringList> WorkspaceList::takeOverLegacyList() const
{
    const auto legacy = m_preferences->stringArray(legacyKey);
    if (!legacy || m_preferences->stringArray(savedKey))
        return std::nullopt;
    // The legacy key goes only once its list is safely under the new key.
    if (!m_preferences->setStringArray(savedKey, *legacy))
        return legacy;
    m_preferences->remove(legacyKey);
    return std::nullopt;
}

QStringList WorkspaceList::saved() const
{
    if (const auto untaken = takeOverLegacyList())
        return cleaned(*untaken);
    return cleaned(m_preferences->stringArray(savedKey).value_or(QStringList()));
}

bool WorkspaceList::write(const QStringList &names) const
{
    return m_preferences->setStringArray(savedKey, names);
}

QStringList WorkspaceList::cleaned(const QStringList &names)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString &name : names) {
        if (name == personal || seen.contains(name))
            continue;
        seen.insert(name);
        result.append(name);
    }
    return result;
}

QStringList WorkspaceList::available(const QStringList &saved, const QStringList &namesInUse,
                                     const QString &selected)
{
    QStringList result{personal};
    result.append(saved);

    QSet<QString> others(namesInUse.cbegin(), namesInUse.cend());
    if (!selected.isEmpty())
        others.insert(selected);
    others.remove(personal);
    for (const QString &name : saved)
        others.remove(name);

    QStringList unsaved(others.cbegin(), others.cend());
    // QString's operator< compares UTF-16 code units, which orders surrogate
    // pairs below U+E000..U+FFFF; compare code points instead.
    std::sort(unsaved.begin(), unsaved.end(), [](const QString &a, const QString &b) {
        const QList<uint> left = a.toUcs4();
        const QList<uint> right = b.toUcs4();
        return std::lexicographical_compare(left.cbegin(), left.cend(), right.cbegin(), right.cend());
    });
    result.append(unsaved);
    return result;
}
