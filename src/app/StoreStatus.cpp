#include "StoreStatus.h"

StoreStatus::StoreStatus(bool isPersistent, const QString &problem, QObject *parent)
    : QObject(parent), m_isPersistent(isPersistent), m_problem(problem)
{}
