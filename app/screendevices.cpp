#include "app/screendevices.h"

#include <QCoreApplication>

#include "app/stadionix.h"

ScreenDevices ScreenDevices::fromApplication()
{
    ScreenDevices devices;
    auto *app = qobject_cast<Stadionix *>(QCoreApplication::instance());
    if (!app)
        return devices;
    devices.scoreboard = app->scoreboard;
    devices.videoScoreboard = app->videoScoreboard;
    devices.windspeed = app->windspeed;
    devices.edmModel = app->edmModel;
    devices.countdownClock = app->countdownClock;
    devices.sounds = app->sounds();
    return devices;
}
