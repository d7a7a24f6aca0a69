#pragma once

#include <QLoggingCategory>

// Diagnostics of the field event screen and its progress through the
// attempts. Debug lines are off unless switched on (README).
Q_DECLARE_LOGGING_CATEGORY(lcFieldEvents)
