#pragma once

#include <QObject>

// The LED scoreboard output. Owned by the application object; reads its own settings.
class Scoreboard : public QObject
{
    Q_OBJECT

public:
    explicit Scoreboard(QObject *parent = nullptr);
};
