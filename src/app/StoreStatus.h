#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// Whether the tasks the user types are kept: not when the store file could
// not be opened and the app runs on a store in memory, which is lost at quit.
// `problem` says why, in the words of the error.
class StoreStatus : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The app tells how its store was opened")

    Q_PROPERTY(bool isPersistent READ isPersistent CONSTANT)
    Q_PROPERTY(QString problem READ problem CONSTANT)

public:
    StoreStatus(bool isPersistent, const QString &problem, QObject *parent = nullptr);

    bool isPersistent() const { return m_isPersistent; }
    QString problem() const { return m_problem; }

private:
    bool m_isPersistent;
    QString m_problem;
};
