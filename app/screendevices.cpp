#include "app/screendevices.h"

#include <QCoreApplication>

#include "app/stadionix.h"
#include "devices/deviceset.h"

ScreenDevices ScreenDevices::fromApplication()
{
    ScreenDevices devices;
    auto *app = qobject_cast<Stadionix *>(QCoreApplication::instance());
    if (!app)
        return devices;
    if (const DeviceSet *set = app->devices()) {
        devices.scoreboard = set->scoreboard();
        devices.videoScoreboard = set->videoScoreboard();
        devices.thirdPartyResult = set->thirdPartyResult();
        devices.windspeed = set->windspeed();
        devices.edmModel = set->edmModel();
        devices.countdownClock = set->countdownClock();
    }
    devices.sounds = app->sounds();
    return devices;
}
