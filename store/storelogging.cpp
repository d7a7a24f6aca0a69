#include "store/storelogging.h"

Q_LOGGING_CATEGORY(lcStore, "stadionix.store", QtInfoMsg)
