#include "StoreLogging.h"

Q_LOGGING_CATEGORY(lcStore, "ordlen.store")
Q_LOGGING_CATEGORY(lcPrefs, "ordlen.prefs")
