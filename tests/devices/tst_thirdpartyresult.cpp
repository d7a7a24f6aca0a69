#include <QtTest>

#include <termios.h>

#include "app/settings.h"
#include "devices/resultframe.h"
#include "devices/resultframedecoder.h"
#include "devices/thirdpartyresult.h"
#include "recordingdevice.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

// The result frames for other systems byte for byte, always ten bytes; the
// line the output sets on its serial port; and a receiver on a pty (the
// virtual scoreboard) that reads every frame.
class TestThirdPartyResult : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void frame_byteForByte_data();
    void frame_byteForByte();
    void decoder_resynchronisesOnTheNextFrame_data();
    void decoder_resynchronisesOnTheNextFrame();
    void onAPty_lineIs1200Baud7E1_andTheReceiverReadsEveryFrame();
};

void TestThirdPartyResult::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestThirdPartyResult::frame_byteForByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("read"); // what a receiver reads from it
    QTest::addColumn<bool>("logged");  // a distance that did not fit
    const auto mark = [](char letter) { return QByteArray("\x02      ") + letter + " \x03"; };
    const auto distance = [](const char *six) { return QByteArray("\x02\x14") + six + "\x14\x03"; };

    QTest::newRow("X: a failure") << "X" << mark('x') << "X" << false;
    QTest::newRow("0: a clearance") << "0" << mark('o') << "0" << false;
    QTest::newRow("-: a pass") << "-" << mark('-') << "-" << false;
    QTest::newRow("r: retired") << "r" << mark('a') << "r" << false;
    QTest::newRow("nothing") << "" << QByteArray("\x02        \x03") << "" << false;
    QTest::newRow("7.89") << "7.89" << distance("007.89") << "7.89" << false;
    QTest::newRow("twelve point five") << "12.5" << distance("012.50") << "12.50" << false;
    QTest::newRow("a decimal comma") << "12,5" << distance("012.50") << "12.50" << false;
    QTest::newRow("the longest that fits") << "999.99" << distance("999.99") << "999.99" << false;
    QTest::newRow("no distance") << "0.00" << distance("000.00") << "0.00" << false;
    QTest::newRow("not a number") << "DNS" << distance("000.00") << "0.00" << false;
    // Texts that would make a frame of another length, or a wrong distance.
    QTest::newRow("negative") << "-1.5" << distance("000.00") << "0.00" << true;
    QTest::newRow("1000 m") << "1000" << distance("000.00") << "0.00" << true;
    QTest::newRow("rounds to 1000 m") << "999.996" << distance("000.00") << "0.00" << true;
    QTest::newRow("far beyond") << "1e300" << distance("000.00") << "0.00" << true;
    QTest::newRow("not finite") << "inf" << distance("000.00") << "0.00" << true;
    QTest::newRow("not a number, as a number") << "nan" << distance("000.00") << "0.00" << true;
}

void TestThirdPartyResult::frame_byteForByte()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, frame);
    QFETCH(QString, read);
    QFETCH(bool, logged);
    Settings::instance()->setValue("thirdpartyresult", "type", nonePortDescriptor()["type"]);
    Settings::instance()->setValue("thirdpartyresult", "port", nonePortDescriptor()["name"]);
    ThirdPartyResult output;
    QSignalSpy writes(&output, &PortDevice::writeData);
    if (logged)
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable(QString("Result output: the distance %1 does not fit a frame, sent as 000.00").arg(text)));
    output.sendResult(text);
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.first().at(0).toByteArray().toHex(' '), frame.toHex(' '));
    QCOMPARE(writes.first().at(0).toByteArray().size(), ResultFrame::Size);
    QCOMPARE(writes.first().at(1).toInt(), ThirdPartyResult::FramePauseMs);
    QString decoded;
    QVERIFY(ResultFrame::decode(frame, &decoded));
    QCOMPARE(decoded, read);
}

void TestThirdPartyResult::decoder_resynchronisesOnTheNextFrame_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<int>("rejected");
    const QByteArray good = ResultFrame::encode("7.45");
    const QByteArray fail = ResultFrame::encode("X");
    QTest::newRow("two frames") << good + fail << QStringList{"7.45", "X"} << 0;
    QTest::newRow("noise before a frame") << "\r\nxx" + good << QStringList{"7.45"} << 1;
    QTest::newRow("a frame cut short, then a whole one") << good.left(6) + fail << QStringList{"X"} << 2;
    QTest::newRow("an unknown mark") << QByteArray("\x02      z \x03") + good << QStringList{"7.45"} << 2;
    QTest::newRow("digits that are no distance") << QByteArray("\x02\x14"
                                                               "07.890\x14\x03") +
                                                        good
                                                 << QStringList{"7.45"} << 2;
    QTest::newRow("half a frame waits") << good.left(9) << QStringList{} << 0;
}

void TestThirdPartyResult::decoder_resynchronisesOnTheNextFrame()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, read);
    QFETCH(int, rejected);
    // Whole, and byte by byte as a slow line delivers them: the same.
    for (const int piece : {int(bytes.size()), 1}) {
        ResultFrameDecoder decoder;
        QStringList seen;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            seen += decoder.feed(bytes.mid(at, piece));
        QCOMPARE(seen, read);
        QCOMPARE(decoder.rejectedCount(), rejected);
    }
}

void TestThirdPartyResult::onAPty_lineIs1200Baud7E1_andTheReceiverReadsEveryFrame()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    VirtualScoreboard receiver;
    VirtualScoreboard::Settings settings;
    settings.resultPtyPath = pair.second();
    QVERIFY(receiver.start(settings));
    // The output's own pty, held only to read its line settings.
    PtyEnd line(pair.first());
    QVERIFY(line.isOpen());
    const auto speed = [&line] {
        const termios attributes = line.attributes();
        return cfgetospeed(&attributes);
    };
    QVERIFY(speed() != B1200);

    Settings::instance()->setValue("thirdpartyresult", "type", 0);
    ThirdPartyResult output;
    QSignalSpy properties(&output, &PortDevice::set_properties);
    QSignalSpy opened(&output, &PortDevice::port_opened);
    output.setPort(serialPortDescriptor(pair.first()));
    QCOMPARE(properties.size(), 1);
    QCOMPARE(properties.first().first().toMap(),
             QVariantMap({{"baud", 1200}, {"databits", 7}, {"parity", 2}, {"stopbits", 1}}));
    // The port reopens with them. A Linux pty keeps the speed and the stop
    // bits; it always reads back 8 data bits without parity.
    QVERIFY(QTest::qWaitFor([&] { return speed() == B1200; }, 5000));
    QCOMPARE(line.attributes().c_cflag & CSTOPB, tcflag_t(0));
    QVERIFY(QTest::qWaitFor([&] { return !opened.isEmpty() && opened.last().first().toBool(); }, 5000));

    QTest::ignoreMessage(QtWarningMsg, "Result output: the distance -3 does not fit a frame, sent as 000.00");
    for (const char *text : {"7.89", "X", "", "r", "-3", "12.5"})
        output.sendResult(text);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.resultCount(), 6, 5000);
    QCOMPARE(receiver.lastResult(), QString("12.50"));
    QCOMPARE(receiver.resultRejected(), 0);
}

STADIONIX_TEST_MAIN(TestThirdPartyResult)
#include "tst_thirdpartyresult.moc"
