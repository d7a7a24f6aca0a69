#include <QImage>
#include <QPainter>
#include <QtTest>

#include "heatmaps.h"
#include "schedule/raceslistview.h"
#include "schedule/racesmodel.h"
#include "schedule/scheduletablestyleditemdelegate.h"
#include "support/testsupport.h"

using HeatMaps::heat;

namespace {

constexpr int CardWidth = 420;

QFont itemFont(qreal pointSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    return font;
}

// True when some pixel of the area differs from the background.
bool drawnIn(const QImage &image, const QRect &area, const QColor &background)
{
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y) != background)
                return true;
        }
    }
    return false;
}

} // namespace

class TestScheduleTableStyledItemDelegate : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void card_backgroundFollowsStatus_data();
    void card_backgroundFollowsStatus();
    void card_bottomLine_data();
    void card_bottomLine();
    void card_layoutOfNameIconsAndTexts_data();
    void card_layoutOfNameIconsAndTexts();
    void sizeHint_followsTheFonts_data();
    void sizeHint_followsTheFonts();

private:
    QImage paintCard(int row, bool selected, const QFont &font = itemFont(12));

    RacesModel m_model;
    RacesListView m_view; // for its palette
    ScheduleTableStyledItemDelegate m_delegate;
};

QImage TestScheduleTableStyledItemDelegate::paintCard(int row, bool selected, const QFont &font)
{
    QStyleOptionViewItem option;
    option.font = font;
    option.palette = m_view.palette();
    option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
    option.rect = QRect(0, 0, CardWidth, 0);
    const QModelIndex index = m_model.index(row, 0);
    option.rect.setHeight(m_delegate.sizeHint(option, index).height());

    QImage image(option.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_delegate.paint(&painter, option, index);
    return image;
}

void TestScheduleTableStyledItemDelegate::card_backgroundFollowsStatus_data()
{
    QTest::addColumn<unsigned>("status");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("colour");

    const QColor light(255, 255, 255);
    const QColor highlight(226, 228, 229);
    QTest::newRow("6 is red") << 6u << false << QColor(Qt::red);
    QTest::newRow("6 is red when selected too") << 6u << true << QColor(Qt::red);
    QTest::newRow("5 is green") << 5u << false << QColor(Qt::green);
    QTest::newRow("0 is the light palette colour") << 0u << false << light;
    QTest::newRow("1 selected is the highlight colour") << 1u << true << highlight;
    QTest::newRow("2 is the light palette colour") << 2u << false << light;
    QTest::newRow("3 is gray") << 3u << false << QColor(Qt::gray);
    QTest::newRow("99 is gray") << 99u << true << QColor(Qt::gray);
}

void TestScheduleTableStyledItemDelegate::card_backgroundFollowsStatus()
{
    QFETCH(unsigned, status);
    QFETCH(bool, selected);
    QFETCH(QColor, colour);

    m_model.heatEventsReceived({heat("1", "Triple Jump Men", "1015", "9", "H", status)});
    const QImage card = paintCard(0, selected);
    // Corners of the margin, where nothing is drawn over the background.
    QCOMPARE(card.pixelColor(CardWidth - 2, 1), colour);
    QCOMPARE(card.pixelColor(CardWidth - 2, card.height() / 2), colour);
    QCOMPARE(card.pixelColor(2, card.height() / 2), colour);
}

void TestScheduleTableStyledItemDelegate::card_bottomLine_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("fromTheLeftEdge");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("middle row: mid line after the margin") << 0 << false << QColor(197, 201, 203);
    QTest::newRow("last row: dark line across") << 1 << true << QColor(154, 160, 164);
}

void TestScheduleTableStyledItemDelegate::card_bottomLine()
{
    QFETCH(int, row);
    QFETCH(bool, fromTheLeftEdge);
    QFETCH(QColor, colour);

    m_model.heatEventsReceived({heat("1", "Javelin Women"), heat("2", "Javelin Men")});
    const QImage card = paintCard(row, false);
    const int bottom = card.height() - 1;
    QCOMPARE(card.pixelColor(CardWidth / 2, bottom), colour);
    QCOMPARE(card.pixelColor(CardWidth - 1, bottom), colour);
    QCOMPARE(card.pixelColor(ScheduleTableStyledItemDelegate::Margin, bottom), colour);
    QCOMPARE(card.pixelColor(2, bottom), fromTheLeftEdge ? colour : QColor(255, 255, 255));
    QCOMPARE(card.pixelColor(CardWidth / 2, bottom - 1), QColor(255, 255, 255));
}

void TestScheduleTableStyledItemDelegate::card_layoutOfNameIconsAndTexts_data()
{
    QTest::addColumn<bool>("cached");
    QTest::newRow("participants cached") << true;
    QTest::newRow("participants not cached") << false;
}

void TestScheduleTableStyledItemDelegate::card_layoutOfNameIconsAndTexts()
{
    QFETCH(bool, cached);

    const QString name = QStringLiteral("Shot Put Women");
    m_model.heatEventsReceived({heat("1", name, "1345", "14", "H", 0, cached)});
    const QFont font = itemFont(12);
    const QImage card = paintCard(0, false, font);
    const QColor white(255, 255, 255);

    const int margin = 8, icon = 24, spacing = 10;
    const QFontMetrics nameMetrics(font);
    QFont small(font);
    small.setPointSizeF(font.pointSizeF() * 0.85);
    const QFontMetrics smallMetrics(small);
    const int nameWidth = nameMetrics.horizontalAdvance(name) + 3;
    const int nameHeight = nameMetrics.height() + 2;
    const int lineTop = margin + nameHeight + 4;
    const int timeWidth = smallMetrics.horizontalAdvance(QStringLiteral("13:45")) + 2;

    QVERIFY(drawnIn(card, QRect(margin, margin, nameWidth, nameHeight), white));
    QCOMPARE(drawnIn(card, QRect(margin + nameWidth + spacing, margin, icon, icon), white), cached);
    // Nothing between the name and where the cached icon would be.
    QVERIFY(!drawnIn(card, QRect(margin + nameWidth, margin, spacing - 1, nameHeight), white));

    QVERIFY(drawnIn(card, QRect(margin, lineTop, icon, icon), white));                       // time icon
    QVERIFY(drawnIn(card, QRect(margin + icon + spacing, lineTop, timeWidth, icon), white)); // time
    const int peopleLeft = margin + 2 * spacing + timeWidth + icon;
    QVERIFY(!drawnIn(card, QRect(margin + icon + spacing + timeWidth, lineTop, spacing - 1, icon), white));
    QVERIFY(drawnIn(card, QRect(peopleLeft, lineTop, icon, icon), white)); // participants icon
    const int countLeft = margin + 3 * spacing + timeWidth + 2 * icon;
    const int countWidth = smallMetrics.horizontalAdvance(QStringLiteral("14")) + 2;
    QVERIFY(drawnIn(card, QRect(countLeft, lineTop, countWidth, icon), white)); // count
    // Right of the count the card is empty.
    QVERIFY(!drawnIn(card, QRect(countLeft + countWidth + 1, lineTop, CardWidth - countLeft - countWidth - 2, icon),
                     white));
}

void TestScheduleTableStyledItemDelegate::sizeHint_followsTheFonts_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::newRow("small font: icon height rules") << 9.0;
    QTest::newRow("the program's 18 points") << 18.0;
    QTest::newRow("large font: text height rules") << 40.0;
}

void TestScheduleTableStyledItemDelegate::sizeHint_followsTheFonts()
{
    QFETCH(qreal, pointSize);

    m_model.heatEventsReceived({heat("1", "Pole Vault Men")});
    QStyleOptionViewItem option;
    option.font = itemFont(pointSize);
    option.rect = QRect(0, 0, 517, 10);

    QFont small(option.font);
    small.setPointSizeF(pointSize * 0.85);
    const int smallHeight = QFontMetrics(small).height();
    const int nameLine = QFontMetrics(option.font).height() + 2;
    const QSize expected(517, 8 + 8 + qMax(24, smallHeight) + 4 + nameLine);
    QCOMPARE(m_delegate.sizeHint(option, m_model.index(0, 0)), expected);
}

STADIONIX_TEST_MAIN(TestScheduleTableStyledItemDelegate)
#include "tst_scheduletablestyleditemdelegate.moc"
