#include "schedule/schedulelogging.h"

Q_LOGGING_CATEGORY(lcSchedule, "stadionix.schedule", QtInfoMsg)
