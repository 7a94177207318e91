#include "QmlEngineSetup.h"

#include "SymbolImageProvider.h"

#include <QQmlEngine>

namespace QmlEngineSetup {

void configure(QQmlEngine &engine)
{
    // The module is compiled into the binary; its qmldir lives at qrc:/Ordlen.
    engine.addImportPath(QStringLiteral("qrc:/"));
    // SymbolIcon draws system symbols through image://symbol/<name>.
    engine.addImageProvider(SymbolImageProvider::providerId, new SymbolImageProvider);
}

} // namespace QmlEngineSetup
