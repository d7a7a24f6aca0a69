#pragma once

#include <QLoggingCategory>

// Diagnostics of the server connection, its protocol, discovery and the
// results service. Debug lines are off unless switched on (README).
Q_DECLARE_LOGGING_CATEGORY(lcSync)
