#pragma once

#include <QObject>

// The wind gauge. Owned by the application object; reads its own settings.
class Windspeed : public QObject
{
    Q_OBJECT

public:
    explicit Windspeed(QObject *parent = nullptr);
};
