#include "devices/transport/transportlogging.h"

Q_LOGGING_CATEGORY(lcTransport, "stadionix.devices", QtInfoMsg)
