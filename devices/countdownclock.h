#pragma once

#include <QObject>

// The countdown clock for the attempt time. Owned by the application object; reads its own settings.
class CountdownClock : public QObject
{
    Q_OBJECT

public:
    explicit CountdownClock(QObject *parent = nullptr);
};
