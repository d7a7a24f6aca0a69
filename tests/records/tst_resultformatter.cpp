#include <QtTest>

#include <limits>

#include "records/resultformatter.h"
#include "records/resultmarks.h"
#include "support/testsupport.h"

class TestResultFormatter : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void fieldResult_data();
    void fieldResult();
    void trackResult_data();
    void trackResult();
    void decimals_data();
    void decimals();
    void typedMark_data();
    void typedMark();
    void jumpOffToken_data();
    void jumpOffToken();
};

void TestResultFormatter::fieldResult_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("metavalue");
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<QString>("expected");

    QTest::newRow("distance truncates to the centimetre") << 7.899 << 0.0 << "H"
                                                          << "7.89";
    QTest::newRow("stored 7.90 stays 7.90") << 7.9 << 0.0 << "H"
                                            << "7.90";
    QTest::newRow("binary 0.29 stays 0.29") << 0.29 << 0.0 << "H"
                                            << "0.29";
    QTest::newRow("whole metres get two decimals") << 21.0 << 0.0 << "H"
                                                   << "21.00";
    QTest::newRow("long throw") << 85.1299 << 0.0 << "H"
                                << "85.12";
    QTest::newRow("failed") << -1.0 << 0.0 << "H"
                            << "X";
    QTest::newRow("skipped") << -2.0 << 0.0 << "H"
                             << "-";
    QTest::newRow("retired") << -8.0 << 0.0 << "H"
                             << "r";
    QTest::newRow("removal shows nothing") << -7.0 << 0.0 << "H"
                                           << "";
    QTest::newRow("no mark shows nothing") << 0.0 << 0.0 << "H"
                                           << "";
    QTest::newRow("vertical clearance shows the height") << 1.0 << 1.85 << "V"
                                                         << "1.85";
    QTest::newRow("vertical failure shows the height") << -1.0 << 2.01 << "V"
                                                       << "2.01";
    QTest::newRow("vertical skip shows the height") << -2.0 << 4.6 << "V"
                                                    << "4.60";
    QTest::newRow("vertical retired keeps its mark") << -8.0 << 1.85 << "V"
                                                     << "r";
    QTest::newRow("vertical removal keeps its mark") << -7.0 << 1.85 << "V"
                                                     << "";
}

void TestResultFormatter::fieldResult()
{
    QFETCH(double, value);
    QFETCH(double, metavalue);
    QFETCH(QString, fieldType);
    QFETCH(QString, expected);
    QCOMPARE(ResultFormatter::fieldResult(value, metavalue, fieldType.at(0)), expected);
}

void TestResultFormatter::trackResult_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a thousandth rounds up to the next hundredth") << 10.001 << "TTB"
                                                                  << "10.01";
    QTest::newRow("exact hundredths stay") << 10.0 << "TTB"
                                           << "10.00";
    QTest::newRow("below a millionth is cut first") << 10.0000004 << "FST"
                                                    << "10.00";
    QTest::newRow("sprint") << 9.581 << "PHF"
                            << "9.59";
    QTest::newRow("hand timing in tenths") << 10.01 << "MNL"
                                           << "10.1";
    QTest::newRow("photo finish manual in tenths") << 11.0 << "PHM"
                                                   << "11.0";
    QTest::newRow("minutes with two-digit seconds") << 65.3 << "TTB"
                                                    << "1:05.30";
    QTest::newRow("rounding carries into the minute") << 59.999 << "TTB"
                                                      << "1:00.00";
    QTest::newRow("hours with two-digit minutes") << 3725.5 << "TTB"
                                                  << "1:02:05.50";
    QTest::newRow("negative time") << -1.5 << "TTB"
                                   << "-1.50";
    QTest::newRow("DNF") << -2.0 << "TTB"
                         << "DNF";
    QTest::newRow("DNS") << -3.0 << "TTB"
                         << "DNS";
    QTest::newRow("DQ") << -4.0 << "TTB"
                        << "DQ";
    QTest::newRow("RUP") << -5.0 << "TTB"
                         << "RUP";
    QTest::newRow("no reaction time") << -6.0 << "TTB"
                                      << "no reaction time";
    QTest::newRow("NR") << -7.0 << "TTB"
                        << "NR";
    // Values from outside that no clock measured show no time, instead of a
    // number that does not fit the count of hundredths.
    QTest::newRow("a century of hours still shows") << 3.2e9 << "TTB"
                                                    << "888888:53:20.00";
    QTest::newRow("beyond any duration shows no time") << 1e20 << "TTB"
                                                       << "";
    QTest::newRow("infinity shows no time") << std::numeric_limits<double>::infinity() << "TTB"
                                            << "";
    QTest::newRow("not a number shows no time") << std::numeric_limits<double>::quiet_NaN() << "MNL"
                                                << "";
}

void TestResultFormatter::trackResult()
{
    QFETCH(double, value);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QCOMPARE(ResultFormatter::trackResult(value, type), expected);
}

void TestResultFormatter::decimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("rounding");
    QTest::addColumn<QString>("expected");

    const int truncate = int(ResultFormatter::Rounding::Truncate);
    const int up = int(ResultFormatter::Rounding::Up);
    const int nearest = int(ResultFormatter::Rounding::Nearest);
    QTest::newRow("no decimals truncated") << 7.99 << 0 << truncate << "7";
    QTest::newRow("one decimal truncated") << 7.99 << 1 << truncate << "7.9";
    QTest::newRow("three decimals truncated") << 12.8924 << 3 << truncate << "12.892";
    QTest::newRow("rounding up") << 7.801 << 2 << up << "7.81";
    QTest::newRow("rounding up keeps exact values") << 7.8 << 2 << up << "7.80";
    QTest::newRow("rounding to nearest down") << 7.804 << 2 << nearest << "7.80";
    QTest::newRow("rounding to nearest up") << 7.806 << 2 << nearest << "7.81";
    QTest::newRow("negative truncates towards zero") << -7.899 << 2 << truncate << "-7.89";
}

void TestResultFormatter::decimals()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(int, rounding);
    QFETCH(QString, expected);
    QCOMPARE(ResultFormatter::formatDecimal(value, decimals, ResultFormatter::Rounding(rounding)), expected);
}

void TestResultFormatter::typedMark_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty removes") << "" << -7.0;
    QTest::newRow("X fails") << "X" << -1.0;
    QTest::newRow("0 clears") << "0" << 1.0;
    QTest::newRow("dash skips") << "-" << -2.0;
    QTest::newRow("DNS") << "DNS" << -3.0;
    QTest::newRow("DQ") << "DQ" << -4.0;
    QTest::newRow("r retires") << "r" << -8.0;
    QTest::newRow("decimal point") << "7.45" << 7.45;
    QTest::newRow("decimal comma") << "7,45" << 7.45;
    QTest::newRow("no number reads as 0") << "abc" << 0.0;
}

void TestResultFormatter::typedMark()
{
    QFETCH(QString, typed);
    QFETCH(double, expected);
    QCOMPARE(ResultMarks::parseTyped(typed), expected);
}

void TestResultFormatter::jumpOffToken_data()
{
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("jumpOff");
    QTest::addColumn<uint>("number");

    QTest::newRow("JO2") << "JO2" << true << 2u;
    QTest::newRow("among other tokens") << "wind JO12 late" << true << 12u;
    QTest::newRow("JO inside a token gives no number") << "XJO3" << true << 0u;
    QTest::newRow("JO without number") << "JO" << true << 0u;
    QTest::newRow("nothing") << "" << false << 0u;
    QTest::newRow("other info") << "Q" << false << 0u;
}

void TestResultFormatter::jumpOffToken()
{
    QFETCH(QString, info);
    QFETCH(bool, jumpOff);
    QFETCH(uint, number);
    QCOMPARE(ResultMarks::isJumpOff(info), jumpOff);
    QCOMPARE(ResultMarks::jumpOffNumber(info), number);
}

STADIONIX_TEST_MAIN(TestResultFormatter)
#include "tst_resultformatter.moc"
