#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

#include "devices/edmframereader.h"
#include "support/testsupport.h"
#include "tools/total-station-standin/totalstationstandin.h"

// The distance meter's frames as bytes: what a frame says, how frames are
// found in the byte stream, and what is not a frame.
class TestEDMFrameReader : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void frame_givesDistancesInMetresAndAnglesInDegrees_data();
    void frame_givesDistancesInMetresAndAnglesInDegrees();
    void frameThatIsNoReading_isDropped_data();
    void frameThatIsNoReading_isDropped();
    void stream_findsFramesAcrossBlocksAndGarbage_data();
    void stream_findsFramesAcrossBlocksAndGarbage();
    void bytesWithoutLineFeed_keepTheBufferBounded();
    void standinFrames_readBackWithinTheirResolution();
};

namespace {

// Frames as the instrument sends them (block check worked out by hand).
const QByteArray Dms = "?000012345m0901530 0450000d000012000000000000043 \r\n";
const QByteArray DecimalDegrees = "?000012345m0901530 0450000g000012000000000000040 \r\n";
const QByteArray Radians = "?000012345m0015708 0007854m000012000000000000040 \r\n";
const QByteArray Horizontal = "R000010000m0900000 1200000d000000000000000000064 \r\n";
const QByteArray Feet = "?000100000f0600000 0000000d000050000000000000047 \r\n";
const QByteArray FacingBack = "R000010000m2700000 0000000d000000000000000000079 \r\n";
const QByteArray WrongCheck = "?000012345m0901530 0450000d000012000000000000044 \r\n";
const QByteArray LetterInDistance = "?0000a2345m0901530 0450000d000012000000000000123 \r\n";

} // namespace

void TestEDMFrameReader::frame_givesDistancesInMetresAndAnglesInDegrees_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("verticalAngle");
    QTest::addColumn<double>("horizontalAngle");
    QTest::addColumn<double>("horizontalDistance");

    QTest::newRow("090 15 30 in degrees, minutes, seconds is 90.258333")
        << Dms << 12.345 << 90 + 15 / 60.0 + 30 / 3600.0 << 45.0 << 12.0;
    QTest::newRow("090 15 30 with unit g is 90.153") << DecimalDegrees << 12.345 << 90.153 << 45.0 << 12.0;
    QTest::newRow("radians") << Radians << 12.345 << 1.5708 * 57.29577951308232 << 0.7854 * 57.29577951308232 << 12.0;
    QTest::newRow("frame R at 90 degrees: slope = horizontal 10.000") << Horizontal << 10.0 << 90.0 << 120.0 << 10.0;
    QTest::newRow("feet become metres") << Feet << 30.48 << 60.0 << 0.0 << 15.24;
}

void TestEDMFrameReader::frame_givesDistancesInMetresAndAnglesInDegrees()
{
    QFETCH(QByteArray, frame);
    QFETCH(double, distance);
    QFETCH(double, verticalAngle);
    QFETCH(double, horizontalAngle);
    QFETCH(double, horizontalDistance);

    EDMReading reading;
    QCOMPARE(EDMFrameReader::parse(frame, &reading), EDMFrameReader::Outcome::Reading);
    QVERIFY2(std::abs(reading.distance - distance) < 1e-9, qPrintable(QString::number(reading.distance, 'f', 12)));
    QVERIFY2(std::abs(reading.verticalAngle - verticalAngle) < 1e-9,
             qPrintable(QString::number(reading.verticalAngle)));
    QVERIFY(std::abs(reading.horizontalAngle - horizontalAngle) < 1e-9);
    QVERIFY(std::abs(reading.horizontalDistance - horizontalDistance) < 1e-9);
}

void TestEDMFrameReader::frameThatIsNoReading_isDropped_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("outcome");
    QTest::newRow("wrong block check") << WrongCheck << int(EDMFrameReader::Outcome::BlockCheckError);
    QTest::newRow("a letter among the digits") << LetterInDistance << int(EDMFrameReader::Outcome::Unreadable);
    QTest::newRow("frame R facing back: negative slope distance")
        << FacingBack << int(EDMFrameReader::Outcome::NegativeDistance);
}

void TestEDMFrameReader::frameThatIsNoReading_isDropped()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, outcome);
    EDMFrameReader reader;
    EDMReading reading;
    reading.distance = -1;
    QCOMPARE(int(reader.read(frame, &reading)), outcome);
    QCOMPARE(reading.distance, -1.0);
    // The next good frame is read as ever.
    QCOMPARE(reader.read(Dms, &reading), EDMFrameReader::Outcome::Reading);
    QCOMPARE(reading.distance, 12.345);
}

void TestEDMFrameReader::stream_findsFramesAcrossBlocksAndGarbage_data()
{
    QTest::addColumn<QList<QByteArray>>("blocks");
    QTest::addColumn<QList<double>>("distances"); // after each block, -1 when none

    QTest::newRow("split in three") << QList<QByteArray>{Dms.left(20), Dms.mid(20, 20), Dms.mid(40)}
                                    << QList<double>{-1, -1, 12.345};
    QTest::newRow("two in one block: the second at the next arrival")
        << QList<QByteArray>{Horizontal + Dms, "x"} << QList<double>{10.0, 12.345};
    QTest::newRow("60 bytes of garbage ending in a line feed first")
        << QList<QByteArray>{TotalStationStandin::garbage(60) + Dms} << QList<double>{12.345};
    QTest::newRow("garbage glued to the frame's start, split")
        << QList<QByteArray>{"R?\n?R" + Dms.left(30), Dms.mid(30)} << QList<double>{-1, 12.345};
}

void TestEDMFrameReader::stream_findsFramesAcrossBlocksAndGarbage()
{
    QFETCH(QList<QByteArray>, blocks);
    QFETCH(QList<double>, distances);
    EDMFrameReader reader;
    for (int i = 0; i < blocks.size(); ++i) {
        EDMReading reading;
        const bool read = reader.read(blocks.at(i), &reading) == EDMFrameReader::Outcome::Reading;
        QCOMPARE(read ? reading.distance : -1.0, distances.at(i));
    }
}

void TestEDMFrameReader::bytesWithoutLineFeed_keepTheBufferBounded()
{
    // A wrong baud rate: a megabyte without a line feed, in blocks as a port
    // delivers them, then the right rate again.
    EDMFrameReader reader;
    const QByteArray noise = TotalStationStandin::noise(4096);
    for (int i = 0; i < 256; ++i) {
        QCOMPARE(reader.read(noise), EDMFrameReader::Outcome::Nothing);
        QVERIFY(reader.buffered() <= EDMFrameReader::BufferLimit);
    }
    EDMReading reading;
    QCOMPARE(reader.read(Dms, &reading), EDMFrameReader::Outcome::Reading);
    QCOMPARE(reading.distance, 12.345);
}

void TestEDMFrameReader::standinFrames_readBackWithinTheirResolution()
{
    // Every frame kind and unit the stand-in sends reads back as what it saw,
    // within what the frame's digits can carry.
    QRandomGenerator random(16);
    using Standin = TotalStationStandin;
    for (int i = 0; i < 3000; ++i) {
        TotalStationField::Sight sight;
        sight.horizontalDistance = random.bounded(120.0);
        sight.verticalAngle = 1 + random.bounded(178.0);
        sight.slopeDistance = sight.horizontalDistance / std::sin(sight.verticalAngle * M_PI / 180);
        sight.horizontalAngle = random.bounded(360.0);
        Standin::Format format;
        format.kind = i % 2 ? Standin::FrameKind::Slope : Standin::FrameKind::Horizontal;
        format.distanceUnit = i % 3 ? Standin::DistanceUnit::Metres : Standin::DistanceUnit::Feet;
        format.angleUnit = Standin::AngleUnit(i % 3);
        const double angleStep = format.angleUnit == Standin::AngleUnit::DegreesMinutesSeconds ? 1 / 3600.0
                                 : format.angleUnit == Standin::AngleUnit::DecimalDegrees      ? 1e-4
                                                                                               : 1e-4 * 180 / M_PI;
        EDMReading reading;
        QCOMPARE(EDMFrameReader::parse(Standin::frame(sight, format), &reading), EDMFrameReader::Outcome::Reading);
        const auto angleError = [](double a, double b) { return std::abs(std::remainder(a - b, 360.0)); };
        QVERIFY(angleError(reading.verticalAngle, sight.verticalAngle) <= angleStep / 2 + 1e-9);
        QVERIFY(angleError(reading.horizontalAngle, sight.horizontalAngle) <= angleStep / 2 + 1e-9);
        QVERIFY(std::abs(reading.horizontalDistance - sight.horizontalDistance) <= 0.0005 + 1e-9);
        if (format.kind == Standin::FrameKind::Slope)
            QVERIFY(std::abs(reading.distance - sight.slopeDistance) <= 0.0005 + 1e-9);
    }
}

STADIONIX_TEST_MAIN(TestEDMFrameReader)
#include "tst_edmframereader.moc"
