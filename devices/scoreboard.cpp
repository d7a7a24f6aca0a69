#include "devices/scoreboard.h"

Scoreboard::Scoreboard(QObject *parent)
    : QObject(parent)
{
}
