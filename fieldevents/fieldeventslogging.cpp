#include "fieldevents/fieldeventslogging.h"

Q_LOGGING_CATEGORY(lcFieldEvents, "stadionix.fieldevents", QtInfoMsg)
