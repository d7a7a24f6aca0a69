#pragma once

#include <QLoggingCategory>

// Diagnostics of the port transports and of the device objects' ports.
Q_DECLARE_LOGGING_CATEGORY(lcTransport)
