#include "QmlEngineSetup.h"

#include <QObject>
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine) { QmlEngineSetup::configure(*engine); }
};

QUICK_TEST_MAIN_WITH_SETUP(ordlen_qml, Setup)

#include "qmltest_main.moc"
