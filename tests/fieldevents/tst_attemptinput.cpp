#include <QtTest>

#include "fieldevents/attemptinput.h"
#include "support/testsupport.h"

Q_DECLARE_METATYPE(AttemptInput::Refusal)

// Keys are written as one character each: digits, "," comma, "X" fail,
// "-" skip, "O" pass, "r" retired, "<" back.
static void press(AttemptInput &input, const QString &keys)
{
    for (const QChar key : keys) {
        if (key.isDigit())
            input.pressDigit(key.digitValue());
        else if (key == QLatin1Char(','))
            input.pressComma();
        else if (key == QLatin1Char('X'))
            input.pressFail();
        else if (key == QLatin1Char('-'))
            input.pressSkip();
        else if (key == QLatin1Char('O'))
            input.pressPass();
        else if (key == QLatin1Char('<'))
            input.pressBack();
        else if (key == QLatin1Char('r'))
            input.pressRetired();
    }
}

class TestAttemptInput : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void horizontal_data();
    void horizontal();
    void vertical_data();
    void vertical();
    void keyboard_onlyWhileKeyEnabled();
    void storedText_changeAndRemoval();
    void confirmable_data();
    void confirmable();
    void refusedKey_saysWhyAndKeepsTheMark_data();
    void refusedKey_saysWhyAndKeepsTheMark();
    void distanceAndCeiling_data();
    void distanceAndCeiling();
};

void TestAttemptInput::horizontal_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("commaEnabled");

    QTest::newRow("7 , 8 9 9 shows 7.89") << "7,899"
                                          << "7.89" << 7.89 << false;
    QTest::newRow("comma first gives 0.") << ",5"
                                          << "0.5" << 0.5 << false;
    QTest::newRow("second comma ignored") << "7,,5"
                                          << "7.5" << 7.5 << false;
    QTest::newRow("fail") << "X"
                          << "X" << -1.0 << true;
    QTest::newRow("back on X clears") << "X<"
                                      << "" << -7.0 << true;
    QTest::newRow("skip") << "-"
                          << "-" << -2.0 << true;
    QTest::newRow("back removes the last digit") << "7,45<"
                                                 << "7.4" << 7.4 << false;
    QTest::newRow("digit after a fail replaces it") << "X6"
                                                    << "6" << 6.0 << true;
    QTest::newRow("fail replaces a distance") << "7,1X"
                                              << "X" << -1.0 << true;
    QTest::newRow("pass means nothing here") << "O"
                                             << "" << -7.0 << true;
}

void TestAttemptInput::horizontal()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, commaEnabled);
    AttemptInput input(QLatin1Char('H'));
    press(input, keys);
    QCOMPARE(input.text(), text);
    QCOMPARE(input.value(), value);
    QCOMPARE(input.isCommaEnabled(), commaEnabled);
}

void TestAttemptInput::vertical_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("failures");
    QTest::addColumn<bool>("moreTries");

    QTest::newRow("cleared at the first try") << "O"
                                              << "0" << 0 << false;
    QTest::newRow("zero key is a pass too") << "0"
                                            << "0" << 0 << false;
    QTest::newRow("failed then cleared") << "XO"
                                         << "X0" << 1 << false;
    QTest::newRow("three failures end the input") << "XXXX"
                                                  << "XXX" << 3 << false;
    QTest::newRow("two failures then skip") << "XX-"
                                            << "XX-" << 2 << false;
    QTest::newRow("nothing after a clearance") << "OXX"
                                               << "0" << 0 << false;
    QTest::newRow("back takes a failure away") << "XX<"
                                               << "X" << 1 << true;
    QTest::newRow("other digits are not used") << "7"
                                               << "" << 0 << true;
    QTest::newRow("comma is not used") << "X,"
                                       << "X" << 1 << true;
}

void TestAttemptInput::vertical()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, failures);
    QFETCH(bool, moreTries);
    AttemptInput input(QLatin1Char('V'));
    press(input, keys);
    QCOMPARE(input.text(), text);
    QCOMPARE(input.failuresTyped(), failures);
    QCOMPARE(input.acceptsMoreTries(), moreTries);
    QCOMPARE(input.areDigitsEnabled(), moreTries);
    QVERIFY(!input.isCommaEnabled());
}

void TestAttemptInput::keyboard_onlyWhileKeyEnabled()
{
    AttemptInput input(QLatin1Char('H'));
    QVERIFY(input.typeText("7"));
    QVERIFY(input.typeText(","));
    QVERIFY(!input.typeText(".")); // a second point is refused
    QVERIFY(input.typeText("5"));
    QVERIFY(!input.typeText("a"));
    QCOMPARE(input.text(), QStringLiteral("7.5"));

    AttemptInput vertical(QLatin1Char('V'));
    vertical.pressPass();
    QVERIFY(!vertical.typeText("0"));
    QCOMPARE(vertical.text(), QStringLiteral("0"));
}

void TestAttemptInput::storedText_changeAndRemoval()
{
    AttemptInput input(QLatin1Char('H'));
    input.load(QStringLiteral("7,12"));
    QCOMPARE(input.text(), QStringLiteral("7.12"));
    QVERIFY(!input.isChanged());
    input.pressBack();
    input.pressBack();
    input.pressBack();
    input.pressBack();
    QVERIFY(input.isChanged());
    // Enter on an emptied input removes the attempt.
    QCOMPARE(input.value(), -7.0);
    QVERIFY(!input.isDistance());

    AttemptInput vertical(QLatin1Char('V'));
    vertical.load(QStringLiteral("XX"), 2);
    vertical.pressPass();
    QCOMPARE(vertical.text(), QStringLiteral("XX0"));
    QCOMPARE(vertical.failuresTyped(), 2);
}

void TestAttemptInput::confirmable_data()
{
    QTest::addColumn<QChar>("fieldType");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("confirmable");
    QTest::newRow("a distance") << QChar('H') << "7,45" << true;
    QTest::newRow("a short distance") << QChar('H') << ",5" << true;
    QTest::newRow("zero alone is no mark") << QChar('H') << "0" << false;
    QTest::newRow("zero and comma") << QChar('H') << "," << false;
    QTest::newRow("zero point zero") << QChar('H') << "0,0" << false;
    QTest::newRow("a fail") << QChar('H') << "X" << true;
    QTest::newRow("a skip") << QChar('H') << "-" << true;
    QTest::newRow("empty removes") << QChar('H') << "" << true;
    QTest::newRow("vertical clearance") << QChar('V') << "O" << true;
}

void TestAttemptInput::confirmable()
{
    QFETCH(QChar, fieldType);
    QFETCH(QString, keys);
    QFETCH(bool, confirmable);
    AttemptInput input(fieldType);
    press(input, keys);
    QCOMPARE(input.isConfirmable(), confirmable);
}

void TestAttemptInput::refusedKey_saysWhyAndKeepsTheMark_data()
{
    using Refusal = AttemptInput::Refusal;
    QTest::addColumn<QChar>("fieldType");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Refusal>("refusal");
    QTest::newRow("a fourth digit before the point") << QChar('H') << "77777777,2"
                                                     << "777.2" << Refusal::None;
    QTest::newRow("the fourth digit itself") << QChar('H') << "7777"
                                             << "777" << Refusal::TooManyDigits;
    QTest::newRow("three whole digits are a mark") << QChar('H') << "999,99"
                                                   << "999.99" << Refusal::None;
    QTest::newRow("a third decimal") << QChar('H') << "7,899"
                                     << "7.89" << Refusal::TooManyDecimals;
    QTest::newRow("a second point") << QChar('H') << "7,,"
                                    << "7." << Refusal::SecondSeparator;
    QTest::newRow("a digit after r starts a distance") << QChar('H') << "r5"
                                                       << "5" << Refusal::None;
    QTest::newRow("back after a refusal is taken") << QChar('H') << "7777<"
                                                   << "77" << Refusal::None;
    QTest::newRow("vertical: a digit other than 0") << QChar('V') << "X7"
                                                    << "X" << Refusal::OnlyClearance;
    QTest::newRow("vertical: comma") << QChar('V') << ","
                                     << "" << Refusal::OnlyClearance;
    QTest::newRow("vertical: a fail after three") << QChar('V') << "XXXX"
                                                  << "XXX" << Refusal::TriesComplete;
    QTest::newRow("vertical: 0 after a clearance") << QChar('V') << "O0"
                                                   << "0" << Refusal::TriesComplete;
}

void TestAttemptInput::refusedKey_saysWhyAndKeepsTheMark()
{
    QFETCH(QChar, fieldType);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(AttemptInput::Refusal, refusal);
    AttemptInput input(fieldType);
    press(input, keys);
    QCOMPARE(input.text(), text);
    QCOMPARE(int(input.refusal()), int(refusal));
}

void TestAttemptInput::distanceAndCeiling_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("distance");
    QTest::addColumn<bool>("aboveCeiling");
    QTest::newRow("a jump") << "7,45" << true << false;
    QTest::newRow("the ceiling itself") << "9,2" << true << false;
    QTest::newRow("99.99 in a long jump") << "99,99" << true << true;
    QTest::newRow("retired is no distance") << "r" << false << false;
    QTest::newRow("a fail") << "X" << false << false;
    QTest::newRow("zero") << "0" << false << false;
    QTest::newRow("removal") << "" << false << false;
}

void TestAttemptInput::distanceAndCeiling()
{
    QFETCH(QString, keys);
    QFETCH(bool, distance);
    QFETCH(bool, aboveCeiling);
    AttemptInput input(QLatin1Char('H'));
    input.setCeiling(9.20);
    press(input, keys);
    QCOMPARE(input.isDistance(), distance);
    QCOMPARE(input.isAboveCeiling(), aboveCeiling);
    // Without a known ceiling nothing is questioned.
    input.setCeiling(0);
    QVERIFY(!input.isAboveCeiling());
}

STADIONIX_TEST_MAIN(TestAttemptInput)
#include "tst_attemptinput.moc"
