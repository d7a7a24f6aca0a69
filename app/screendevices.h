#pragma once

class CountdownClock;
class EDMModel;
class InterfaceSounds;
class Scoreboard;
class ThirdPartyResult;
class VideoScoreboard;
class Windspeed;

// The devices a screen reports to. Screens take them from the application
// object's DeviceSet; tests hand in their own. Any of them may be missing.
struct ScreenDevices
{
    Scoreboard *scoreboard = nullptr;
    VideoScoreboard *videoScoreboard = nullptr;
    ThirdPartyResult *thirdPartyResult = nullptr;
    Windspeed *windspeed = nullptr;
    EDMModel *edmModel = nullptr;
    CountdownClock *countdownClock = nullptr;
    InterfaceSounds *sounds = nullptr;

    // The application object's devices, or none when the running
    // application is not the program's own (tests, tools).
    static ScreenDevices fromApplication();
};
