// The scoreboard's bytes: encoding one text command with each driver plug-in
// (loaded from the build's "scoreboarddrivers"), and decoding a whole ranking
// page (clear, event line, four rows of rank, name and result) back into the
// board's state, as the virtual scoreboard does.
#include <QJsonObject>
#include <QtTest>

#include "devices/boarddecoder.h"
#include "devices/boardstate.h"
#include "devices/scoreboarddriverinterface.h"
#include "devices/scoreboarddriverloader.h"

class BenchScoreboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void encodeTextCommand_data();
    void encodeTextCommand();
    void decodeRankingPage_data();
    void decodeRankingPage();

private:
    ScoreboardDriverInterface *driver(const QString &name) const;

    QList<ScoreboardDriverInterface *> m_drivers;
};

namespace {

QJsonObject item(int x, int y, int width, int height, int font, const QString &color, const QString &alignment,
                 const QString &text)
{
    return QJsonObject{{"x", x},
                       {"y", y},
                       {"width", width},
                       {"height", height},
                       {"fontsize", font},
                       {"color", color},
                       {"alignment", alignment},
                       {"dataSource", QJsonObject{{"prefix", ""}, {"value", text}, {"suffix", ""}}}};
}

} // namespace

void BenchScoreboard::initTestCase()
{
    m_drivers = ScoreboardDriverLoader::load(QStringLiteral(STADIONIX_BUILD_DIR) + "/scoreboarddrivers");
    QCOMPARE(m_drivers.size(), 2);
}

ScoreboardDriverInterface *BenchScoreboard::driver(const QString &name) const
{
    for (ScoreboardDriverInterface *d : m_drivers) {
        if (d->name() == name)
            return d;
    }
    return nullptr;
}

void BenchScoreboard::encodeTextCommand_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Changhong") << "Changhong";
    QTest::newRow("C-Power") << "C-Power";
}

void BenchScoreboard::encodeTextCommand()
{
    QFETCH(QString, name);
    ScoreboardDriverInterface *d = driver(name);
    const QJsonObject name16 = item(45, 0, 144, 16, name == "C-Power" ? 16 : 12, "#FFFF00", "left", "K. LEFÈVRIER");
    QByteArray bytes;
    QBENCHMARK
    {
        bytes = d->textCommand(name16, 1);
    }
    QVERIFY(!bytes.isEmpty());
}

void BenchScoreboard::decodeRankingPage_data()
{
    encodeTextCommand_data();
}

void BenchScoreboard::decodeRankingPage()
{
    QFETCH(QString, name);
    ScoreboardDriverInterface *d = driver(name);
    const int font = name == "C-Power" ? 12 : 9;
    QByteArray page = d->clearCommand(1, 192, 64);
    page += d->textCommand(item(0, 0, 192, 16, font, "#FFFF00", "center", "Women's Long Jump - Final - 1"), 1);
    const QStringList names{"K. LEFÈVRIER", "Æ. HÜTTLINGER", "N. ÉLANCOURT", "I. DÉSORMEAUX"};
    for (int row = 0; row < 4; ++row) {
        const int y = 16 + row * 12;
        page += d->textCommand(item(0, y, 18, 12, font, "#FFFFFF", "right", QString::number(row + 1)), 1);
        page += d->textCommand(item(24, y, 138, 12, font, "#FFFFFF", "left", names.at(row)), 1);
        page += d->textCommand(item(162, y, 30, 12, font, "#FFFFFF", "right", QString::number(7.8 - row * 0.1)), 1);
    }
    BoardState state;
    QBENCHMARK
    {
        auto decoder = BoardDecoder::forController(name);
        state = BoardState(QSize(192, 64));
        state.apply(decoder->feed(page));
    }
    QCOMPARE(state.items().size(), 13);
}

QTEST_GUILESS_MAIN(BenchScoreboard)
#include "bench_scoreboard.moc"
