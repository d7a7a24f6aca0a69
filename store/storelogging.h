#pragma once

#include <QLoggingCategory>

// Diagnostics of the local database and the stores on its connection.
// Debug lines are off unless switched on (README).
Q_DECLARE_LOGGING_CATEGORY(lcStore)
