#pragma once

#include <QColor>
#include <QJsonObject>
#include <QList>
#include <QSize>
#include <QStringList>

#include "devices/boardcommand.h"

// What an LED board shows after the commands it has taken: its size, the
// texts in their boxes (a later text hides what lay under its box, as on
// the board), its brightness, and whether it has been cleared since the last
// text. Plain value: the virtual scoreboard keeps one, the tests compare
// them, BoardPainter draws one.
class BoardState
{
public:
    // Board sizes a command may set; beyond this a size is not believed.
    static constexpr int MaximumSide = 4096;

    explicit BoardState(const QSize &size = QSize());

    void apply(const BoardCommand &command);
    void apply(const QList<BoardCommand> &commands);

    QSize size() const { return m_size; }
    void setSize(const QSize &size);
    const QList<BoardItem> &items() const { return m_items; }
    bool isCleared() const { return m_items.isEmpty(); }
    int clearCount() const { return m_clears; }
    // As a share of the brightest (1 until a brightness command came).
    double brightness() const { return m_brightness; }
    QString brightnessLevel() const { return m_brightnessLevel; }
    QColor color() const { return m_color; }

    // The texts shown, top to bottom and left to right, trimmed.
    QStringList texts() const;
    // The item whose box holds the point (the one on top); null when none.
    const BoardItem *itemAt(const QPoint &point) const;
    // For the viewer's state line and the tests' messages.
    QJsonObject toJson() const;

private:
    QSize m_size;
    QList<BoardItem> m_items;
    int m_clears = 0;
    double m_brightness = 1;
    QString m_brightnessLevel;
    QColor m_color;
};
