#pragma once

#include <QObject>

// The video scoreboard output. Owned by the application object; reads its own settings.
class VideoScoreboard : public QObject
{
    Q_OBJECT

public:
    explicit VideoScoreboard(QObject *parent = nullptr);
};
