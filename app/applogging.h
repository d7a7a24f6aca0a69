#pragma once

#include <QLoggingCategory>

// Diagnostics of the application shell: start-up, the single instance, the
// main window. Debug lines are off unless switched on (README).
Q_DECLARE_LOGGING_CATEGORY(lcApp)
