#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "fieldevents/heightcolumn.h"

class Participation;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The result sheet of a field event heat that the officials sign: landscape
// A4, the competition, event, round and date at the top of every page, one
// line per athlete in rank order (rank, bib, name, club, every attempt with
// its wind where winds are measured, or every height with its tries, and the
// best mark), and lines for the referee's and the judges' signatures. Sizes
// come from the page: 16 athletes fit on a page, more continue on the next;
// heights that do not fit across continue on further pages. Nothing is ever
// wrapped: a name too long for its column is set smaller, a club too long
// for its column is given by its abbreviation.
class ResultSheet
{
    Q_DECLARE_TR_FUNCTIONS(ResultSheet)

public:
    struct Header
    {
        QString competition;
        QString event;
        QString round;
        QString heat;
        QString date;
    };

    // What the layout puts where: the pages are drawn from these, and tests
    // read them.
    struct Cell
    {
        QString text;
        QRectF rect;
        QFont font;
        int alignment = 0;
    };
    struct Page
    {
        QList<Cell> cells;
        QList<QLineF> lines;
    };

    // Every page holds this many athletes (fewer on the last).
    static constexpr int RowsPerPage = 16;

    ResultSheet(const QList<Participation *> &heat, QChar fieldType, int numberOfAttempts, const HeightColumns &heights,
                bool withWind, const Header &header);

    // A4 landscape with margins of 10 mm.
    static QPageLayout pageLayout();

    // The pages laid out on the printable area (in the device's pixels),
    // measured with the device's fonts.
    QList<Page> layout(const QRectF &area, const QPaintDevice *device) const;
    static void paint(QPainter *painter, const Page &page);

    // Every page on a printer or PDF writer (its page layout is set here).
    bool print(QPagedPaintDevice *device) const;
    bool writePdf(const QString &path) const;
    // One page as a picture, for the documentation.
    QImage pageImage(int page, int dotsPerInch) const;

private:
    struct Row
    {
        QString rank;
        QString bib;
        QString name;
        QString club;
        QString clubShort;
        QStringList marks;
        QStringList winds;
        QString best;
        QString bestWind;
    };

    QList<Row> m_rows;
    QStringList m_columnTitles;
    bool m_vertical = false;
    bool m_withWind = false;
    Header m_header;
    QString m_printed;
};
