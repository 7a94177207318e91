#include "QmlEngineSetup.h"

#include <QQmlEngine>

namespace QmlEngineSetup {

void configure(QQmlEngine &engine)
{
    // The module is compiled into the binary; its qmldir lives at qrc:/Ordlen.
    engine.addImportPath(QStringLiteral("qrc:/"));
}

} // namespace QmlEngineSetup
