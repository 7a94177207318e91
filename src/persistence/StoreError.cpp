#include "StoreError.h"

StoreError::StoreError(const QString &description)
    : std::runtime_error(description.toStdString()), m_description(description)
{}
