#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "records/resultmarks.h"
#include "support/testsupport.h"
#include "trackevents/laneselectiondialog.h"
#include "trackevents/resultselectiondialog.h"

namespace {

const QList<DisqualificationRule> Rules{
    {1, 1, QStringLiteral("en"), QStringLiteral("R-12 Stepped on or over the lane line")},
    {2, 1, QStringLiteral("en"), QStringLiteral("R-17 Obstruction & pushing")},
};

template <typename T> T *child(QWidget *dialog, const char *name)
{
    T *widget = dialog->findChild<T *>(QLatin1String(name));
    if (!widget)
        qWarning("no child %s", name);
    return widget;
}

} // namespace

class TestTrackEventDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void laneField_acceptsOnlyLanesOneTo99_data();
    void laneField_acceptsOnlyLanesOneTo99();
    void laneButton_choosesAndAccepts_data();
    void laneButton_choosesAndAccepts();
    void laneReturn_takesTheFieldOnlyWhenShown_data();
    void laneReturn_takesTheFieldOnlyWhenShown();
    void resultButton_choosesMarkAndAccepts_data();
    void resultButton_choosesMarkAndAccepts();
    void disqualification_withServerRule_acceptsAtOnce();
    void disqualification_withTypedRule_acceptedByReturn();
    void strayReturn_beforeAChoice_removesNothing();
};

void TestTrackEventDialogs::laneField_acceptsOnlyLanesOneTo99_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("0 is refused") << QStringLiteral("0") << QString();
    QTest::newRow("100 stops at two digits") << QStringLiteral("100") << QStringLiteral("10");
    QTest::newRow("99 is taken") << QStringLiteral("99") << QStringLiteral("99");
    QTest::newRow("1 is taken") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("letters are refused") << QStringLiteral("a7") << QStringLiteral("7");
    QTest::newRow("a sign is refused") << QStringLiteral("-3") << QStringLiteral("3");
}

void TestTrackEventDialogs::laneField_acceptsOnlyLanesOneTo99()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    LaneSelectionDialog dialog(11, 4, "104", "Runner", "");
    auto *field = child<QLineEdit>(&dialog, "txtLane");
    QVERIFY(field->isHidden());
    QTest::mouseClick(child<QPushButton>(&dialog, "btnToggleInputField"), Qt::LeftButton);
    QVERIFY(!field->isHidden());
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), shown);
}

void TestTrackEventDialogs::laneButton_choosesAndAccepts_data()
{
    QTest::addColumn<int>("number");
    for (int number : {1, 5, 10})
        QTest::addRow("lane %d", number) << number;
}

void TestTrackEventDialogs::laneButton_choosesAndAccepts()
{
    QFETCH(int, number);
    LaneSelectionDialog dialog(11, 4, "104", "Runner", "");
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, QStringLiteral("btnLane%1").arg(number).toLatin1()), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.lane(), uint(number));
}

void TestTrackEventDialogs::laneReturn_takesTheFieldOnlyWhenShown_data()
{
    QTest::addColumn<bool>("showField");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<uint>("lane");

    QTest::newRow("typed lane") << true << QStringLiteral("12") << 12u;
    QTest::newRow("empty field keeps the lane") << true << QString() << 4u;
    QTest::newRow("hidden field keeps the lane") << false << QString() << 4u;
    QTest::newRow("field hidden again keeps the lane") << false << QStringLiteral("12") << 4u;
}

void TestTrackEventDialogs::laneReturn_takesTheFieldOnlyWhenShown()
{
    QFETCH(bool, showField);
    QFETCH(QString, typed);
    QFETCH(uint, lane);

    LaneSelectionDialog dialog(11, 4, "104", "Runner", "");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *toggle = child<QPushButton>(&dialog, "btnToggleInputField");
    auto *field = child<QLineEdit>(&dialog, "txtLane");
    if (!typed.isEmpty()) {
        QTest::mouseClick(toggle, Qt::LeftButton);
        QTest::keyClicks(field, typed);
        if (!showField)
            QTest::mouseClick(toggle, Qt::LeftButton);
    } else if (showField) {
        QTest::mouseClick(toggle, Qt::LeftButton);
    }
    QCOMPARE(field->isHidden(), !showField);
    QTest::keyClick(showField ? static_cast<QWidget *>(field) : &dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.lane(), lane);
}

void TestTrackEventDialogs::resultButton_choosesMarkAndAccepts_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<double>("value");

    QTest::newRow("NR") << QStringLiteral("buttonNR") << ResultMarks::NoResult;
    QTest::newRow("DNS") << QStringLiteral("buttonDNS") << ResultMarks::DidNotStart;
    QTest::newRow("DNF") << QStringLiteral("buttonDNF") << ResultMarks::DidNotFinish;
}

void TestTrackEventDialogs::resultButton_choosesMarkAndAccepts()
{
    QFETCH(QString, button);
    QFETCH(double, value);

    ResultSelectionDialog dialog(Rules, 11, 4, "104", "Runner", "DQ:earlier");
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, button.toLatin1()), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.value(), value);
    QCOMPARE(dialog.text(), QString());
}

void TestTrackEventDialogs::disqualification_withServerRule_acceptsAtOnce()
{
    ResultSelectionDialog dialog(Rules, 11, 4, "104", "Runner", "");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *rules = child<QComboBox>(&dialog, "cmbDisqualificationRule");
    auto *custom = child<QLineEdit>(&dialog, "txtDisqualification");
    QVERIFY(rules->isHidden());
    QVERIFY(custom->isHidden());

    QTest::mouseClick(child<QPushButton>(&dialog, "buttonDQ"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QVERIFY(!rules->isHidden());
    QCOMPARE(rules->count(), 3);
    QCOMPARE(rules->itemText(0), QStringLiteral("Custom"));
    QVERIFY(!custom->isHidden());
    QCOMPARE(custom->placeholderText(), QStringLiteral("Custom rule..."));

    rules->setCurrentIndex(2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(custom->isHidden());
    QCOMPARE(dialog.value(), ResultMarks::Disqualified);
    QCOMPARE(dialog.text(), QStringLiteral("DQ:R-17 Obstruction & pushing"));
}

void TestTrackEventDialogs::disqualification_withTypedRule_acceptedByReturn()
{
    ResultSelectionDialog dialog(Rules, 11, 4, "104", "Runner", "");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(child<QPushButton>(&dialog, "buttonDQ"), Qt::LeftButton);
    auto *custom = child<QLineEdit>(&dialog, "txtDisqualification");
    QTest::keyClicks(custom, "False start twice");
    QVERIFY(dialog.isVisible());
    QTest::keyClick(custom, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.value(), ResultMarks::Disqualified);
    QCOMPARE(dialog.text(), QStringLiteral("DQ:False start twice"));
}

void TestTrackEventDialogs::strayReturn_beforeAChoice_removesNothing()
{
    // The dialog starts at NR, which removes a result: Return alone must not
    // confirm it.
    ResultSelectionDialog dialog(Rules, 11, 4, "104", "Runner", "");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Enter);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

STADIONIX_TEST_MAIN(TestTrackEventDialogs)
#include "tst_trackeventdialogs.moc"
