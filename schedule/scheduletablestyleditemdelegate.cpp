#include "schedule/scheduletablestyleditemdelegate.h"

#include <QFontMetrics>
#include <QPainter>

#include "schedule/racesmodel.h"

namespace {

QPixmap loadIcon(const QString &path)
{
    return QPixmap(path).scaled(ScheduleTableStyledItemDelegate::IconSize, ScheduleTableStyledItemDelegate::IconSize,
                                Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A text's box: its advance width by the font height, with two pixels of room
// to the right and below so that no glyph is cut.
QRect smallTextRect(const QFontMetrics &metrics, const QString &text, int x, int y)
{
    return QRect(x, y, metrics.horizontalAdvance(text), metrics.height()).adjusted(0, 0, 2, 2);
}

} // namespace

ScheduleTableStyledItemDelegate::ScheduleTableStyledItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_timeIcon(loadIcon(QStringLiteral(":/custom/outline_schedule_black")))
    , m_participantsIcon(loadIcon(QStringLiteral(":/custom/outline_people_black")))
    , m_cachedIcon(loadIcon(QStringLiteral(":/custom/outline_cached_black")))
{}

QFont ScheduleTableStyledItemDelegate::smallFont(const QFont &itemFont)
{
    QFont font(itemFont);
    if (itemFont.pointSizeF() > 0)
        font.setPointSizeF(itemFont.pointSizeF() * SmallFontFactor);
    else if (itemFont.pixelSize() > 0)
        font.setPixelSize(qMax(1, qRound(itemFont.pixelSize() * SmallFontFactor)));
    return font;
}

QColor ScheduleTableStyledItemDelegate::statusColour(unsigned status, const QColor &neutral)
{
    switch (status) {
    case 6:
        return QColor(Qt::red);
    case 5:
        return QColor(Qt::green);
    case 0:
    case 1:
    case 2:
        return neutral;
    default:
        return QColor(Qt::gray);
    }
}

void ScheduleTableStyledItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    const QRect item = option.rect;
    const QRect content = item.adjusted(Margin, Margin, -Margin, -Margin);
    const QPalette &palette = option.palette;
    const QModelIndex row = index.siblingAtColumn(RacesModel::IdColumn);
    auto column = [&row](int number) { return row.siblingAtColumn(number).data(); };

    painter->save();
    painter->setClipRect(item);

    const QColor background =
        (option.state & QStyle::State_Selected) ? palette.color(QPalette::Highlight) : palette.color(QPalette::Light);
    painter->fillRect(item, background);
    painter->fillRect(item, statusColour(column(RacesModel::StatusColumn).toUInt(), background));

    const bool lastRow = index.model() && index.row() == index.model()->rowCount(index.parent()) - 1;
    if (lastRow) {
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(item.left(), item.bottom(), item.right(), item.bottom());
    } else {
        painter->setPen(palette.color(QPalette::Mid));
        painter->drawLine(item.left() + Margin, item.bottom(), item.right(), item.bottom());
    }

    // First line: the name, and the cached mark when the heat's participants
    // are already in the local store.
    const QFont nameFont = option.font;
    const QFontMetrics nameMetrics(nameFont);
    const QString name = column(RacesModel::NameColumn).toString();
    const QRect nameRect(content.left(), content.top(), nameMetrics.horizontalAdvance(name) + 3,
                         nameMetrics.height() + 2);
    painter->setFont(nameFont);
    painter->setPen(palette.color(QPalette::WindowText));
    painter->drawText(nameRect, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, name);
    if (column(RacesModel::ParticipantsCachedColumn).toBool())
        painter->drawPixmap(item.left() + nameRect.width() + Spacing + Margin, nameRect.top(), m_cachedIcon);

    // Second line: start time and number of participants, each after its icon.
    const QFont small = smallFont(option.font);
    const QFontMetrics smallMetrics(small);
    const int lineTop = nameRect.top() + nameRect.height() + LineGap;
    const int left = item.left() + Margin;
    const QString time = column(RacesModel::TimeColumn).toString();
    const QString participants = column(RacesModel::ParticipantsColumn).toString();
    const int textTop = lineTop + (IconSize - (smallMetrics.height() + 2)) / 2;
    const QRect timeRect = smallTextRect(smallMetrics, time, left + IconSize + Spacing, textTop);
    const QRect participantsRect =
        smallTextRect(smallMetrics, participants, left + 3 * Spacing + timeRect.width() + 2 * IconSize, textTop);

    painter->drawPixmap(left, lineTop, m_timeIcon);
    painter->drawPixmap(left + 2 * Spacing + timeRect.width() + IconSize, lineTop, m_participantsIcon);
    painter->setFont(small);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(timeRect, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, time);
    painter->drawText(participantsRect, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, participants);

    painter->restore();
}

QSize ScheduleTableStyledItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(index)
    const int nameLine = QFontMetrics(option.font).height() + 2;
    const int smallText = QFontMetrics(smallFont(option.font)).height();
    return QSize(option.rect.width(), Margin + Margin + qMax(IconSize, smallText) + LineGap + nameLine);
}
