#pragma once

#include "StoreStatus.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

// For Quick tests: store statuses as the app makes them, owned by the fixture.
class StoreStatusFixture : public QObject
{
    Q_OBJECT
    QML_ELEMENT

public:
    using QObject::QObject;

    Q_INVOKABLE StoreStatus *status(bool isPersistent, const QString &problem)
    {
        return new StoreStatus(isPersistent, problem, this);
    }
};
