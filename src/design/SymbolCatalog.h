#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Maps the system symbol names the views use ("checkmark.circle.fill", …) to
// the vendored Lucide icons under resources/icons/lucide.
class SymbolCatalog
{
public:
    struct Symbol
    {
        QString file; // resource path of the SVG
        bool filled;  // first shape filled, the shapes over it cut out of the fill
    };

    static std::optional<Symbol> lookup(const QString &name);
    static QStringList names();
};
