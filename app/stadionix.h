#pragma once

#include <QPointer>

#include "app/singleapplication.h"

class CountdownClock;
class EDM;
class EDMModel;
class InterfaceSounds;
class MainWindow;
class Scoreboard;
class ThirdPartyResult;
class VideoScoreboard;
class Windspeed;

// The application object: the one place from which screens reach the devices,
// the main window and the interface sounds.
class Stadionix : public SingleApplication
{
    Q_OBJECT

public:
    Stadionix(int &argc, char **argv);
    ~Stadionix() override;

    static Stadionix *instance();
    // The application font at 18 points, whatever the platform's default.
    static void applyApplicationFont();

    Scoreboard *scoreboard = nullptr;
    VideoScoreboard *videoScoreboard = nullptr;
    Windspeed *windspeed = nullptr;
    EDM *edm = nullptr;
    EDMModel *edmModel = nullptr;
    CountdownClock *countdownClock = nullptr;
    ThirdPartyResult *thirdPartyResult = nullptr;
    MainWindow *mainWindow = nullptr;

    // 0 click, 1 drop; other indexes play nothing.
    void playSound(int index);
    InterfaceSounds *sounds() const { return m_sounds; }

private:
    InterfaceSounds *m_sounds = nullptr;
};
