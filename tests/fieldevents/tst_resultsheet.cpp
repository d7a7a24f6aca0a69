// The printed result sheet, laid out on a real PDF writer: pages, what each
// line holds, and that every text stands whole on one line.
#include <QFile>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "fieldevents/fieldeventranking.h"
#include "fieldevents/resultsheet.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

namespace {

const QStringList LongNames{
    "Sigrún Dąbrowel-Øvergård van der Heijden",
    "Maximiliane Szczęśniak-Wolkenstein",
    "Anna-Lena Oppenheimer-Quellenbach",
    "Jóhanna Þórðardóttir-Brynjólfsdóttir",
    "Zoë Christodoulopoulou",
    "Bernadette de la Fontaine-Rochefort",
};

// A heat of n athletes with long names and long clubs: six attempts each
// (horizontal, some retire) or their tries up to the height at which they
// go out (vertical).
QList<Participation *> longHeat(int athletes, QChar fieldType, int heights)
{
    QStringList cards;
    for (int i = 0; i < athletes; ++i) {
        QString card = LongNames.at(i % LongNames.size()) + QStringLiteral(" %1:").arg(i + 1);
        if (fieldType == QLatin1Char('H')) {
            card += QStringLiteral(" 6.%1 X 5.9%2 - %3").arg(10 + i).arg(i % 10).arg(i % 5 ? "6.02 X" : "r .");
        } else {
            QStringList tries;
            const int out = heights - i % 6;
            for (int h = 0; h < out; ++h) {
                const QString marks = h == out - 1 ? "XXX" : (h + i) % 4 == 0 ? "XO" : (h + i) % 7 == 0 ? "-" : "O";
                tries << QStringLiteral("%1 %2").arg(1.50 + 0.03 * h, 0, 'f', 2).arg(marks);
            }
            card += QLatin1Char(' ') + tries.join(QStringLiteral(", "));
        }
        cards << card;
    }
    QList<Participation *> heat = HeatBuilder::heat(cards, fieldType);
    for (Participation *p : heat) {
        p->participants().first()->club()->name = QStringLiteral("Athletics Club Oosterhout-Zevenbergschen Hoek");
        p->participants().first()->club()->abbreviation = QStringLiteral("AC OZH");
        if (Result *first = p->resultOfAttempt(1))
            first->wind = p->initial_order % 2 ? 1.4 : -0.3;
        p->abandon = fieldType == QLatin1Char('H') && p->resultTextOfAttempt(5) == QLatin1String("r");
    }
    FieldEventRanking::rankHeat(heat, fieldType);
    return heat;
}

HeightColumns heightColumns(int count)
{
    HeightColumns columns;
    for (int h = 0; h < count; ++h)
        columns.append({std::round((1.50 + 0.03 * h) * 100) / 100, 0});
    return columns;
}

ResultSheet::Header header(const QString &event = QStringLiteral("Long Jump"))
{
    return {"Northern Lakes Open 2026", event, "Final", "1", "Saturday, 13 June 2026"};
}

QStringList texts(const ResultSheet::Page &page)
{
    QStringList list;
    for (const ResultSheet::Cell &cell : page.cells)
        list << cell.text;
    return list;
}

} // namespace

class TestResultSheet : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void pages_everyTextWholeOnOneLine_data();
    void pages_everyTextWholeOnOneLine();
    void horizontal_rankOrderMarksAndWinds();
    void vertical_heightsWithTheirTries();
};

void TestResultSheet::pages_everyTextWholeOnOneLine_data()
{
    QTest::addColumn<QChar>("fieldType");
    QTest::addColumn<int>("athletes");
    QTest::addColumn<int>("heights");
    QTest::addColumn<int>("pages");
    QTest::newRow("16 long jumpers fit on one page") << QChar('H') << 16 << 0 << 1;
    QTest::newRow("a 17th goes on a second page") << QChar('H') << 17 << 0 << 2;
    QTest::newRow("33 long jumpers on three pages") << QChar('H') << 33 << 0 << 3;
    QTest::newRow("16 high jumpers, 12 heights") << QChar('V') << 16 << 12 << 1;
    QTest::newRow("16 pole vaulters, 30 heights across two pages") << QChar('V') << 16 << 30 << 2;
}

void TestResultSheet::pages_everyTextWholeOnOneLine()
{
    QFETCH(QChar, fieldType);
    QFETCH(int, athletes);
    QFETCH(int, heights);
    QFETCH(int, pages);
    QList<Participation *> heat = longHeat(athletes, fieldType, heights);
    const QString event = fieldType == QLatin1Char('H') ? QStringLiteral("Long Jump") : QStringLiteral("High Jump");
    const ResultSheet sheet(heat, fieldType, 6, heightColumns(heights), fieldType == QLatin1Char('H'), header(event));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setPageLayout(ResultSheet::pageLayout());
    QCOMPARE(writer.pageLayout().orientation(), QPageLayout::Landscape);
    const QRectF area(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
    const QList<ResultSheet::Page> laidOut = sheet.layout(area, &writer);
    QCOMPARE(laidOut.size(), pages);

    QStringList names;
    for (int p = 0; p < laidOut.size(); ++p) {
        const ResultSheet::Page &page = laidOut.at(p);
        for (const ResultSheet::Cell &cell : page.cells) {
            // One line, whole, inside the page: nothing wraps, nothing is cut.
            const QFontMetricsF metrics(cell.font, &writer);
            QVERIFY2(metrics.horizontalAdvance(cell.text) <= cell.rect.width() + 1,
                     qPrintable(QStringLiteral("%1 does not fit %2").arg(cell.text).arg(cell.rect.width())));
            QVERIFY2(!cell.text.contains(QChar(0x2026)), qPrintable(cell.text));
            QVERIFY(cell.alignment & Qt::TextSingleLine);
            QVERIFY(area.contains(cell.rect.adjusted(1, 1, -1, -1)));
            QVERIFY2(cell.font.pointSizeF() >= 5.5, qPrintable(cell.text));
        }
        // Every page carries the header, its number and the signatures.
        const QStringList shown = texts(page);
        QVERIFY(shown.contains(QStringLiteral("Northern Lakes Open 2026")));
        QVERIFY(shown.contains(event + QStringLiteral(" \u2013 Final \u2013 heat 1")));
        QVERIFY(shown.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
        QCOMPARE(shown.count(QStringLiteral("Judge")), 2);
        QCOMPARE(shown.count(QStringLiteral("Referee")), 1);
        for (const QString &text : shown) {
            if (std::any_of(LongNames.cbegin(), LongNames.cend(),
                            [&text](const QString &name) { return text.startsWith(name); }))
                names << text;
        }
    }
    // Every athlete appears with the whole name, once per band of heights.
    const int bands = pages / std::max(1, (athletes + 15) / 16);
    QCOMPARE(names.size(), athletes * bands);
    for (const Participation *p : heat)
        QVERIFY2(names.contains(p->displayName()), qPrintable(p->displayName()));

    // The PDF has those pages.
    QVERIFY(sheet.print(&writer));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QCOMPARE(int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")))), pages);

    // The picture of the sheet in the documentation.
    const QString docs = qEnvironmentVariable("STADIONIX_DOCS_DIR");
    if (!docs.isEmpty() && athletes == 16 && heights <= 12) {
        const QString name = fieldType == QLatin1Char('H') ? QStringLiteral("resultsheet-longjump.png")
                                                           : QStringLiteral("resultsheet-highjump.png");
        QVERIFY(sheet.pageImage(0, 110).save(QDir(docs).filePath(name)));
    }
    qDeleteAll(heat);
}

void TestResultSheet::horizontal_rankOrderMarksAndWinds()
{
    QList<Participation *> heat = HeatBuilder::heat(
        {"Zoë <Øvergård>: 6.10 X 6.35", "Ilse Varnholt: 6.50 - X", "Mara Quellenbach: X X X", "Ona Retired: 5.10 r"},
        QLatin1Char('H'));
    heat[0]->participants().first()->club()->name = QStringLiteral("IL Fjellrev");
    heat[0]->resultOfAttempt(3)->wind = 1.4;
    heat[1]->resultOfAttempt(1)->wind = -0.3;
    heat[3]->abandon = true;
    FieldEventRanking::rankHeat(heat, QLatin1Char('H'));

    for (const bool withWind : {true, false}) {
        const ResultSheet sheet(heat, QLatin1Char('H'), 6, {}, withWind, header());
        QImage device(100, 100, QImage::Format_RGB32);
        const QList<ResultSheet::Page> pages = sheet.layout(QRectF(0, 0, 1100, 760), &device);
        QCOMPARE(pages.size(), 1);
        const QStringList shown = texts(pages.first());
        // Rank order, unranked last; names as they are, nothing escaped.
        const auto at = [&shown](const char *text) { return shown.indexOf(QString::fromUtf8(text)); };
        QVERIFY(at("Ilse Varnholt") > 0);
        QVERIFY(at("Zoë <Øvergård>") > at("Ilse Varnholt"));
        QVERIFY(at("Ona Retired") > at("Zoë <Øvergård>"));
        QVERIFY(at("Mara Quellenbach") > at("Ona Retired"));
        QVERIFY(shown.contains(QStringLiteral("IL Fjellrev")));
        QVERIFY(shown.contains(QStringLiteral("101")));
        QVERIFY(shown.contains(QStringLiteral("6.35")));
        QVERIFY(shown.contains(QStringLiteral("5.10 (r)")));
        // A wind under each distance of a heat that measures it, none
        // under a fail; none at all otherwise.
        QCOMPARE(shown.count(QStringLiteral("+1.4")), withWind ? 2 : 0); // the attempt and the best mark
        QCOMPARE(shown.count(QStringLiteral("-0.3")), withWind ? 2 : 0);
        QCOMPARE(shown.contains(QStringLiteral("0.0")), withWind);
        for (const char *title : {"Rank", "Bib", "Name", "Club", "1", "6", "Best"})
            QVERIFY2(shown.contains(QLatin1String(title)), title);
    }
    qDeleteAll(heat);
}

void TestResultSheet::vertical_heightsWithTheirTries()
{
    QList<Participation *> heat =
        HeatBuilder::heat({"A: 1.80 XO, 1.85 XXX, JO1 1.83 O", "B: 1.80 O, 1.85 XXX, JO1 1.83 X"}, QLatin1Char('V'));
    FieldEventRanking::rankHeat(heat, QLatin1Char('V'));
    const ResultSheet sheet(heat, QLatin1Char('V'), 6, {{1.80, 0}, {1.85, 0}, {1.83, 1}}, true, header());
    QImage device(100, 100, QImage::Format_RGB32);
    const QStringList shown = texts(sheet.layout(QRectF(0, 0, 1100, 760), &device).first());
    for (const char *text : {"1.80", "1.85", "JO 1.83", "X0", "XXX", "0", "X"})
        QVERIFY2(shown.contains(QLatin1String(text)), text);
    QVERIFY(shown.indexOf(QStringLiteral("A")) < shown.indexOf(QStringLiteral("B")));
    // Heights carry no wind.
    QVERIFY(!shown.contains(QStringLiteral("0.0")));
    qDeleteAll(heat);
}

STADIONIX_TEST_MAIN(TestResultSheet)
#include "tst_resultsheet.moc"
