#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "fieldevents/fieldeventranking.h"
#include "fieldevents/rankingprinter.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

class TestRankingPrinter : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void horizontal_rankOrderWithEveryAttempt()
    {
        QList<Participation *> heat = HeatBuilder::heat(
            {"Zoë <Øvergård>: 6.10 X 6.35", "Ilse Varnholt: 6.50 - X", "Mara Quellenbach: X X X"}, QLatin1Char('H'));
        heat[0]->participants().first()->club()->name = QStringLiteral("IL Fjellrev");
        FieldEventRanking::rankHeat(heat, QLatin1Char('H'));
        const QString html =
            RankingPrinter::html(heat, QLatin1Char('H'), QStringLiteral("Long Jump - Final - 1"), 6, {});
        QVERIFY(html.contains(QStringLiteral("<h2>Long Jump - Final - 1</h2>")));
        // Names are escaped, ranks in order, unranked last.
        const int ilse = html.indexOf(QStringLiteral("Ilse Varnholt"));
        const int zoe = html.indexOf(QStringLiteral("Zoë &lt;Øvergård&gt;"));
        const int mara = html.indexOf(QStringLiteral("Mara Quellenbach"));
        QVERIFY(ilse > 0 && zoe > ilse && mara > zoe);
        QVERIFY(html.contains(QStringLiteral("IL Fjellrev")));
        QVERIFY(html.contains(QStringLiteral("<td>101</td>")));
        for (const char *mark : {">6.10<", ">X<", ">6.35<", ">6.50<", ">-<"})
            QVERIFY2(html.contains(QLatin1String(mark)), mark);
        QCOMPARE(html.count(QStringLiteral("<tr>")), 4);

        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("ranking.pdf"));
        QVERIFY(RankingPrinter::printToPdf(html, pdf));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        qDeleteAll(heat);
    }

    void vertical_heightsAndJumpOff()
    {
        QList<Participation *> heat = HeatBuilder::heat(
            {"A: 1.80 XO, 1.85 XXX, JO1 1.83 O", "B: 1.80 O, 1.85 XXX, JO1 1.83 X"}, QLatin1Char('V'));
        FieldEventRanking::rankHeat(heat, QLatin1Char('V'));
        const QString html = RankingPrinter::html(heat, QLatin1Char('V'), QStringLiteral("High Jump"), 6,
                                                  {{1.80, 0}, {1.85, 0}, {1.83, 1}});
        QVERIFY(html.contains(QStringLiteral("<th>1.80</th>")));
        QVERIFY(html.contains(QStringLiteral("<th>JO 1.83</th>")));
        QVERIFY(html.contains(QStringLiteral(">X0<")));
        QVERIFY(html.contains(QStringLiteral(">XXX<")));
        QVERIFY(html.indexOf(QStringLiteral("<td>A</td>")) < html.indexOf(QStringLiteral("<td>B</td>")));
        qDeleteAll(heat);
    }
};

STADIONIX_TEST_MAIN(TestRankingPrinter)
#include "tst_rankingprinter.moc"
