#pragma once

#include <QLoggingCategory>

// Diagnostics of the devices ("stadionix.devices"): the port transports and
// the device objects' ports, the scoreboard drivers and layouts.
Q_DECLARE_LOGGING_CATEGORY(lcTransport)
