#pragma once

#include <QPointer>

#include "app/singleapplication.h"

class DeviceSet;
class InterfaceSounds;
class MainWindow;

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

    // The devices, built from the settings at start-up.
    DeviceSet *devices() const { return m_devices; }
    MainWindow *mainWindow = nullptr;

    // 0 click, 1 drop; other indexes play nothing.
    void playSound(int index);
    InterfaceSounds *sounds() const { return m_sounds; }

private:
    DeviceSet *m_devices = nullptr;
    InterfaceSounds *m_sounds = nullptr;
};
