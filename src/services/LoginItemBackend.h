#pragma once

#include <QString>

// The system's registry of programs started at login, as seen by one program.
// Only Status::Enabled means the program will be started.
class LoginItemBackend
{
public:
    enum class Status
    {
        NotRegistered,
        Enabled,
        RequiresApproval,
        NotFound
    };

    virtual ~LoginItemBackend() = default;

    virtual Status status() const = 0;
    // Each returns false and fills errorText when the system refused.
    virtual bool registerItem(QString &errorText) = 0;
    virtual bool unregisterItem(QString &errorText) = 0;
};
