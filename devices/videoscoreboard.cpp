#include "devices/videoscoreboard.h"

VideoScoreboard::VideoScoreboard(QObject *parent)
    : QObject(parent)
{
}
