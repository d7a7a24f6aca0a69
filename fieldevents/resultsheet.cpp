#include "fieldevents/resultsheet.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

#include "fieldevents/fieldeventprogress.h"
#include "records/participation.h"
#include "records/result.h"

namespace {

constexpr double MarkPoints = 9;
constexpr double WindPoints = 6.5;
constexpr double SmallestPoints = 5.5;

QFont font(double points, bool bold = false)
{
    QFont f = QGuiApplication::font();
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString windText(double wind)
{
    return wind == 0 ? QStringLiteral("0.0") : QString::asprintf("%+.1f", wind);
}

// Lays cells out in one unit of the device: millimetres turned into pixels,
// texts set on one line, smaller when they do not fit.
class Layouter
{
public:
    Layouter(const QPaintDevice *device)
        : m_device(device)
        , m_dpi(device->logicalDpiX())
    {}

    double mm(double millimetres) const { return millimetres * m_dpi / 25.4; }
    double lineHeight(const QFont &f) const { return QFontMetricsF(f, m_device).height(); }
    double width(const QString &text, const QFont &f) const
    {
        return QFontMetricsF(f, m_device).horizontalAdvance(text);
    }

    ResultSheet::Cell cell(const QString &text, const QRectF &rect, const QFont &base, int alignment) const
    {
        const double room = rect.width() - mm(1.2);
        QFont f = base;
        while (width(text, f) > room && f.pointSizeF() > SmallestPoints)
            f.setPointSizeF(f.pointSizeF() - 0.5);
        QString shown = text;
        if (width(shown, f) > room)
            shown = QFontMetricsF(f, m_device).elidedText(text, Qt::ElideRight, room);
        // A little air on either side of left- and right-aligned texts.
        QRectF inner = rect;
        if (alignment & Qt::AlignLeft)
            inner.setLeft(rect.left() + mm(0.6));
        if (alignment & Qt::AlignRight)
            inner.setRight(rect.right() - mm(0.6));
        return {shown, inner, f, alignment | Qt::TextSingleLine};
    }

private:
    const QPaintDevice *m_device;
    double m_dpi;
};

} // namespace

ResultSheet::ResultSheet(const QList<Participation *> &heat, QChar fieldType, int numberOfAttempts,
                         const HeightColumns &heights, bool withWind, const Header &header)
    : m_vertical(fieldType == QLatin1Char('V'))
    , m_withWind(withWind && fieldType != QLatin1Char('V'))
    , m_header(header)
    , m_printed(QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat))
{
    if (m_vertical) {
        for (const HeightColumn &h : heights) {
            const QString height = QString::number(h.height, 'f', 2);
            m_columnTitles.append(h.isJumpOff() ? QStringLiteral("JO %1").arg(height) : height);
        }
    } else {
        for (int attempt = 1; attempt <= numberOfAttempts; ++attempt)
            m_columnTitles.append(QString::number(attempt));
    }
    for (Participation *p : FieldEventProgress::rankingOrder(heat)) {
        Row row;
        row.rank = p->current_order == 0 ? QString() : QString::number(p->current_order);
        row.bib = p->bib();
        row.name = p->displayName();
        row.club = p->clubName();
        row.clubShort = p->clubAbbreviation();
        if (m_vertical) {
            for (const HeightColumn &h : heights) {
                row.marks.append((h.isJumpOff() ? p->jumpOffMark(h.jumpOff) : p->attemptString(h.height)).trimmed());
                row.winds.append(QString());
            }
        } else {
            for (int attempt = 1; attempt <= numberOfAttempts; ++attempt) {
                const Result *result = p->resultOfAttempt(unsigned(attempt));
                row.marks.append(p->resultTextOfAttempt(unsigned(attempt)));
                row.winds.append(m_withWind && result && result->value > 0 ? windText(result->wind) : QString());
            }
        }
        const Result *best = p->bestResult();
        row.best = p->resultText(best);
        if (m_withWind && best && best->value > 0)
            row.bestWind = windText(best->wind);
        if (p->abandon)
            row.best += QStringLiteral(" ") + tr("(r)");
        m_rows.append(row);
    }
}

QPageLayout ResultSheet::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QList<ResultSheet::Page> ResultSheet::layout(const QRectF &area, const QPaintDevice *device) const
{
    const Layouter l(device);
    const QFont title = font(14, true);
    const QFont subtitle = font(11, true);
    const QFont small = font(8);
    const QFont headings = font(8, true);
    const QFont mark = font(MarkPoints);
    const QFont bold = font(MarkPoints, true);
    const QFont wind = font(WindPoints);

    // Fixed blocks, top to bottom.
    const double headerHeight = l.lineHeight(title) + l.lineHeight(subtitle) + l.lineHeight(small) + l.mm(3);
    const double tableHeaderHeight = l.lineHeight(headings) + l.mm(2);
    const double signatureHeight = l.mm(18);
    const double footerHeight = l.lineHeight(small) + l.mm(1);
    const double rowsHeight = area.height() - headerHeight - tableHeaderHeight - signatureHeight - footerHeight;
    // Sixteen rows share the room; the texts sit in the middle of theirs.
    const int rowsPerPage = RowsPerPage;
    const double rowHeight = rowsHeight / RowsPerPage;

    // Columns: the fixed ones, the marks, and what is left for name and club.
    const double rankWidth = l.mm(11);
    const double bibWidth = l.mm(14);
    const double bestWidth = std::max(l.mm(20), l.width(tr("Best"), headings) + l.mm(2));
    const double nameMinimum = l.mm(48);
    const double clubMinimum = l.mm(32);
    double markWidth = l.mm(m_vertical ? 9.5 : 16);
    for (const QString &columnTitle : m_columnTitles)
        markWidth = std::max(markWidth, l.width(columnTitle, headings) + l.mm(2));
    for (const Row &row : m_rows) {
        for (const QString &text : row.marks)
            markWidth = std::max(markWidth, l.width(text, mark) + l.mm(2));
    }
    const double fixedWidth = rankWidth + bibWidth + bestWidth;
    const int perBand =
        std::max(1, int(std::floor((area.width() - fixedWidth - nameMinimum - clubMinimum) / markWidth)));
    QList<QList<int>> bands;
    for (int column = 0; column < m_columnTitles.size(); column += perBand) {
        QList<int> band;
        for (int c = column; c < std::min<int>(column + perBand, m_columnTitles.size()); ++c)
            band.append(c);
        bands.append(band);
    }
    if (bands.isEmpty())
        bands.append(QList<int>());

    const int rowPages = std::max(1, int((m_rows.size() + rowsPerPage - 1) / rowsPerPage));
    const int pageCount = int(bands.size()) * rowPages;
    QList<Page> pages;
    // The name takes what it needs of what is left, the club the rest.
    double nameNeed = l.width(tr("Name"), headings);
    for (const Row &row : m_rows)
        nameNeed = std::max(nameNeed, l.width(row.name, mark));
    for (int b = 0; b < bands.size(); ++b) {
        const QList<int> &band = bands.at(b);
        const double left = area.width() - fixedWidth - markWidth * band.size();
        const double nameWidth = std::clamp(nameNeed + l.mm(2), nameMinimum, left - clubMinimum);
        const double clubWidth = left - nameWidth;
        // Left edges of the columns: rank, bib, name, club, marks..., best.
        QList<double> edges{area.left()};
        const auto add = [&edges](double w) { edges.append(edges.last() + w); };
        add(rankWidth);
        add(bibWidth);
        add(nameWidth);
        add(clubWidth);
        for (int i = 0; i < band.size(); ++i)
            add(markWidth);
        add(bestWidth);
        const int bestColumn = 4 + int(band.size());
        const auto column = [&edges](int i, double top, double height) {
            return QRectF(edges.at(i), top, edges.at(i + 1) - edges.at(i), height);
        };

        for (int rowPage = 0; rowPage < rowPages; ++rowPage) {
            Page page;
            const int number = int(pages.size()) + 1;
            double y = area.top();
            // Header, on every page.
            page.cells.append(l.cell(m_header.competition,
                                     QRectF(area.left(), y, area.width() * 0.75, l.lineHeight(title)), title,
                                     Qt::AlignLeft | Qt::AlignVCenter));
            page.cells.append(
                l.cell(tr("Page %1 of %2").arg(number).arg(pageCount),
                       QRectF(area.left() + area.width() * 0.75, y, area.width() * 0.25, l.lineHeight(title)), small,
                       Qt::AlignRight | Qt::AlignVCenter));
            y += l.lineHeight(title);
            QStringList eventLine{m_header.event.trimmed()};
            if (!m_header.round.trimmed().isEmpty() && m_header.round != QLatin1String("*"))
                eventLine.append(m_header.round.trimmed());
            if (!m_header.heat.isEmpty())
                eventLine.append(tr("heat %1").arg(m_header.heat));
            eventLine.removeAll(QString());
            page.cells.append(l.cell(eventLine.join(QStringLiteral(" \u2013 ")),
                                     QRectF(area.left(), y, area.width(), l.lineHeight(subtitle)), subtitle,
                                     Qt::AlignLeft | Qt::AlignVCenter));
            y += l.lineHeight(subtitle);
            QString dateLine = m_header.date;
            if (bands.size() > 1)
                dateLine += QStringLiteral("    ") + tr("Heights %1 to %2")
                                                         .arg(m_columnTitles.value(band.isEmpty() ? 0 : band.first()),
                                                              m_columnTitles.value(band.isEmpty() ? 0 : band.last()));
            page.cells.append(l.cell(dateLine, QRectF(area.left(), y, area.width(), l.lineHeight(small)), small,
                                     Qt::AlignLeft | Qt::AlignVCenter));
            y = area.top() + headerHeight;

            // Table header.
            const QStringList fixedTitles{tr("Rank"), tr("Bib"), tr("Name"), tr("Club")};
            for (int i = 0; i < fixedTitles.size(); ++i)
                page.cells.append(l.cell(fixedTitles.at(i), column(i, y, tableHeaderHeight), headings,
                                         (i >= 2 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter));
            for (int i = 0; i < band.size(); ++i)
                page.cells.append(l.cell(m_columnTitles.at(band.at(i)), column(4 + i, y, tableHeaderHeight), headings,
                                         Qt::AlignCenter));
            page.cells.append(l.cell(tr("Best"), column(bestColumn, y, tableHeaderHeight), headings, Qt::AlignCenter));
            page.lines.append(QLineF(area.left(), y, edges.last(), y));
            y += tableHeaderHeight;
            page.lines.append(QLineF(area.left(), y, edges.last(), y));

            // Athletes.
            const int first = rowPage * rowsPerPage;
            const int last = std::min<int>(first + rowsPerPage, m_rows.size());
            for (int r = first; r < last; ++r) {
                const Row &row = m_rows.at(r);
                // A club too long for its column goes by its abbreviation.
                const bool clubFits = l.width(row.club, font(7)) <= clubWidth - l.mm(1.2);
                const QStringList fixed{row.rank, row.bib, row.name,
                                        clubFits || row.clubShort.isEmpty() ? row.club : row.clubShort};
                for (int i = 0; i < fixed.size(); ++i)
                    page.cells.append(l.cell(fixed.at(i), column(i, y, rowHeight), mark,
                                             (i >= 2 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter));
                const auto markCell = [&](int columnIndex, const QString &text, const QString &windOfMark,
                                          const QFont &markFont) {
                    if (windOfMark.isEmpty()) {
                        page.cells.append(l.cell(text, column(columnIndex, y, rowHeight), markFont, Qt::AlignCenter));
                        return;
                    }
                    // The mark above the middle of the row, its wind below.
                    const double middle = y + rowHeight / 2 + l.lineHeight(markFont) / 2 - l.lineHeight(wind) / 2;
                    page.cells.append(
                        l.cell(text, column(columnIndex, y, middle - y), markFont, Qt::AlignHCenter | Qt::AlignBottom));
                    page.cells.append(l.cell(windOfMark, column(columnIndex, middle, l.lineHeight(wind)), wind,
                                             Qt::AlignHCenter | Qt::AlignTop));
                };
                for (int i = 0; i < band.size(); ++i)
                    markCell(4 + i, row.marks.value(band.at(i)), row.winds.value(band.at(i)), mark);
                markCell(bestColumn, row.best, row.bestWind, bold);
                y += rowHeight;
                page.lines.append(QLineF(area.left(), y, edges.last(), y));
            }
            // Column rules from the header down to the last line.
            const double tableTop = area.top() + headerHeight;
            for (double x : std::as_const(edges))
                page.lines.append(QLineF(x, tableTop, x, y));

            // Signatures, at the foot of every page.
            const double signatureTop = area.bottom() - footerHeight - signatureHeight;
            const QStringList signers{tr("Referee"), tr("Judge"), tr("Judge")};
            const double boxWidth = area.width() / signers.size();
            for (int i = 0; i < signers.size(); ++i) {
                const double x = area.left() + i * boxWidth;
                const double lineY = signatureTop + signatureHeight - l.lineHeight(small) - l.mm(2);
                page.lines.append(QLineF(x + l.mm(4), lineY, x + boxWidth - l.mm(8), lineY));
                page.cells.append(l.cell(
                    signers.at(i), QRectF(x + l.mm(4), lineY + l.mm(0.5), boxWidth - l.mm(12), l.lineHeight(small)),
                    small, Qt::AlignLeft | Qt::AlignTop));
            }
            page.cells.append(l.cell(tr("Printed %1").arg(m_printed),
                                     QRectF(area.left(), area.bottom() - footerHeight, area.width(), footerHeight),
                                     small, Qt::AlignLeft | Qt::AlignBottom));
            pages.append(page);
        }
    }
    return pages;
}

void ResultSheet::paint(QPainter *painter, const Page &page)
{
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, painter->device()->logicalDpiX() * 0.15 / 25.4));
    painter->setPen(pen);
    for (const QLineF &line : page.lines)
        painter->drawLine(line);
    for (const Cell &cell : page.cells) {
        painter->setFont(cell.font);
        painter->drawText(cell.rect, cell.alignment, cell.text);
    }
}

bool ResultSheet::print(QPagedPaintDevice *device) const
{
    device->setPageLayout(pageLayout());
    const QRectF area(QPointF(0, 0), device->pageLayout().paintRectPixels(device->logicalDpiX()).size());
    const QList<Page> pages = layout(area, device);
    QPainter painter;
    if (!painter.begin(device))
        return false;
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device->newPage();
        paint(&painter, pages.at(i));
    }
    return painter.end();
}

bool ResultSheet::writePdf(const QString &path) const
{
    {
        QPdfWriter writer(path);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Stadionix"));
        writer.setTitle(m_header.event);
        if (!print(&writer))
            return false;
    }
    return QFileInfo(path).size() > 0;
}

QImage ResultSheet::pageImage(int page, int dotsPerInch) const
{
    const QPageLayout pageLayout = ResultSheet::pageLayout();
    QImage image(pageLayout.fullRectPixels(dotsPerInch).size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dotsPerInch / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dotsPerInch / 0.0254)));
    image.fill(Qt::white);
    const QRectF area = pageLayout.paintRectPixels(dotsPerInch);
    const QList<Page> pages = layout(QRectF(QPointF(0, 0), area.size()), &image);
    if (page < 0 || page >= pages.size())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(area.topLeft());
    paint(&painter, pages.at(page));
    return image;
}
