#include "app/applogging.h"

Q_LOGGING_CATEGORY(lcApp, "stadionix.app", QtInfoMsg)
