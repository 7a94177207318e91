#pragma once

#include <QString>
#include <stdexcept>

// An error of the object store: it always carries a text a person can read,
// because that text ends up verbatim in the app's diagnostic lines.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &description);

    QString description() const { return m_description; }

private:
    QString m_description;
};
