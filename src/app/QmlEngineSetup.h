#pragma once

class QQmlEngine;

// What every engine that loads the Ordlen module needs: the app's and the
// tests' engines are set up the same way.
namespace QmlEngineSetup {

void configure(QQmlEngine &engine);

} // namespace QmlEngineSetup
