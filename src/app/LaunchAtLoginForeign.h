#pragma once

#include "LaunchAtLoginService.h"

#include <QtQml/qqml.h>

// The login-item service as a QML type, so the panel can take the app's
// shared instance as a property. The service itself knows nothing of QML.
struct LaunchAtLoginForeign
{
    Q_GADGET
    QML_FOREIGN(LaunchAtLoginService)
    QML_NAMED_ELEMENT(LaunchAtLoginService)
    QML_UNCREATABLE("The app shares one LaunchAtLoginService")
};
