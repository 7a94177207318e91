#pragma once

#include <QLoggingCategory>

// Diagnostics of the store file and of the preferences file, beyond the
// one-line failures the app prints for its user.
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcPrefs)
