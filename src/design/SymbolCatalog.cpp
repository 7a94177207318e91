#include "SymbolCatalog.h"

#include <array>

namespace {

struct Entry
{
    const char *name;
    const char *icon;
    bool filled;
};

// One row per symbol name used by the views. The ".fill" names draw the
// outline shape filled, with the inner strokes cut out as the filled system
// symbols do.
constexpr std::array entries{
    Entry{"arrow.down", "arrow-down", false},
    Entry{"arrow.turn.down.right", "corner-down-right", false},
    Entry{"arrow.up", "arrow-up", false},
    Entry{"checklist", "list-checks", false},
    Entry{"checkmark", "check", false},
    Entry{"checkmark.circle.fill", "circle-check", true},
    Entry{"checkmark.seal.fill", "badge-check", true},
    Entry{"circle", "circle", false},
    Entry{"folder", "folder", false},
    Entry{"folder.fill", "folder", true},
    Entry{"gearshape", "settings", false},
    Entry{"magnifyingglass", "search", false},
    Entry{"pencil", "pencil", false},
    Entry{"plus", "plus", false},
    Entry{"plus.circle", "circle-plus", false},
    Entry{"plus.rectangle.on.folder", "folder-plus", false},
    Entry{"trash", "trash", false},
    Entry{"tray", "inbox", false},
    Entry{"tray.full", "archive", false},
    Entry{"xmark", "x", false},
    Entry{"xmark.circle.fill", "circle-x", true},
};

} // namespace

std::optional<SymbolCatalog::Symbol> SymbolCatalog::lookup(const QString &name)
{
    for (const Entry &entry : entries) {
        if (name == QLatin1String(entry.name))
            return Symbol{QStringLiteral(":/icons/lucide/%1.svg").arg(QLatin1String(entry.icon)),
                          entry.filled};
    }
    return std::nullopt;
}

QStringList SymbolCatalog::names()
{
    QStringList result;
    for (const Entry &entry : entries)
        result << QLatin1String(entry.name);
    return result;
}
