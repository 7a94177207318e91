#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQuickItem;
Q_MOC_INCLUDE(<QQuickItem>)

// Saves what an item shows, cut from a grab of its whole window, so the
// picture has the window's real device pixel ratio (2 under
// QT_SCALE_FACTOR=2) rather than an item rendered on its own at a size.
class WindowCapture : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    Q_INVOKABLE bool save(QQuickItem *item, const QString &path) const;
};
