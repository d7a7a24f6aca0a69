#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "devices/windspeedinputdialog.h"
#include "support/testsupport.h"

// The keypad for a wind typed by hand.
class TestWindspeedInputDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void keys_data();
    void keys();
};

void TestWindspeedInputDialog::keys_data()
{
    QTest::addColumn<QString>("keys"); // digits, "." dot, "-" minus, "<" back
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("wind");

    QTest::newRow("2 . 3 4 leaves 2.3") << "2.34"
                                        << "2.3" << true << 2.3;
    QTest::newRow("8 is refused") << "8"
                                  << "8" << false << 0.0;
    QTest::newRow("7.9 is taken") << "7.9"
                                  << "7.9" << true << 7.9;
    QTest::newRow("-8 is refused") << "-8"
                                   << "-8" << false << 0.0;
    QTest::newRow("minus only first") << "1-2"
                                      << "12" << false << 0.0;
    QTest::newRow("-0.5") << "-0.5"
                          << "-0.5" << true << -0.5;
    QTest::newRow("one dot") << "1..5"
                             << "1.5" << true << 1.5;
    QTest::newRow("back") << "3.4<<<"
                          << "" << false << 0.0;
    QTest::newRow("nothing typed") << ""
                                   << "" << false << 0.0;
}

void TestWindspeedInputDialog::keys()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, wind);

    WindspeedInputDialog dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Manual windspeed result"));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    const auto press = [&dialog](const QString &name) {
        auto *button = dialog.findChild<QPushButton *>(name);
        QVERIFY2(button && button->isEnabled(), qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    };
    QVERIFY(!dialog.findChild<QPushButton *>("btnButtonBack")->isEnabled());
    for (const QChar key : keys) {
        if (key.isDigit())
            press(QStringLiteral("btnButton") + key);
        else if (key == '.')
            press("btnButtonComma");
        else if (key == '-')
            press("btnButtonMinus");
        else if (key == '<')
            press("btnButtonBack");
    }
    QCOMPARE(dialog.text(), text);
    QCOMPARE(dialog.findChild<QPushButton *>("btnButtonBack")->isEnabled(), !text.isEmpty());
    press("btnOK");
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(dialog.isVisible(), !accepted);
    if (accepted)
        QCOMPARE(dialog.windspeed(), wind);
}

STADIONIX_TEST_MAIN(TestWindspeedInputDialog)
#include "tst_windspeedinputdialog.moc"
