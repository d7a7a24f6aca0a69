#pragma once

#include <QObject>

class QSoundEffect;

// The two short sounds of the keypad: a click for digits and a drop for the
// other buttons. Emits soundRequested for every sound asked for, so the
// choice can be checked where there is no audio device.
class InterfaceSounds : public QObject
{
    Q_OBJECT

public:
    enum Sound { Click = 0, Drop = 1 };

    explicit InterfaceSounds(QObject *parent = nullptr);
    ~InterfaceSounds() override;

    // 0 click, 1 drop; any other index plays nothing.
    void play(int index);

signals:
    void soundRequested(int index);

private:
    QSoundEffect *m_click;
    QSoundEffect *m_drop;
};
