#include "trackevents/trackeventslogging.h"

Q_LOGGING_CATEGORY(lcTrackEvents, "stadionix.trackevents", QtInfoMsg)
