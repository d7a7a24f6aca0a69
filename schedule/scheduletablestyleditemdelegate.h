#pragma once

#include <QFont>
#include <QPixmap>
#include <QStyledItemDelegate>

// Draws a heat of the schedule as a card: the name on the first line, the
// start time and the number of participants below it, the background coloured
// by the event's status.
class ScheduleTableStyledItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int Margin = 8;
    static constexpr int IconSize = 24;
    static constexpr int Spacing = 10;
    static constexpr int LineGap = 4;
    static constexpr qreal SmallFontFactor = 0.85;

    explicit ScheduleTableStyledItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static QFont smallFont(const QFont &itemFont);
    // The card's background for a status; the palette colour for the
    // statuses the server uses for events not yet under way.
    static QColor statusColour(unsigned status, const QColor &neutral);

private:
    QPixmap m_timeIcon;
    QPixmap m_participantsIcon;
    QPixmap m_cachedIcon;
};
