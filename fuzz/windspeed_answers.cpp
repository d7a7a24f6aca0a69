// The wind gauge's answers from its byte stream, read as the device reads
// them (every answer a block holds): how the bytes are cut into blocks does
// not change what is read; a wind is between -9.9 and 9.9 m/s in tenths;
// the buffer stays bounded; a good answer after any bytes is still read.
//
// The first byte gives the size of the blocks (1 to 256) in which the rest
// arrives, as a port delivers it.
#include <QList>

#include <cmath>

#include "devices/windspeedanswerreader.h"
#include "fuzzsupport.h"

namespace {

// What a reader makes of the blocks: one entry per answer, the wind or -99
// for "no value".
QList<double> answers(WindspeedAnswerReader &reader, const QList<QByteArray> &blocks)
{
    QList<double> read;
    for (const QByteArray &block : blocks) {
        double value = 0;
        for (auto outcome = reader.read(block, &value); outcome != WindspeedAnswerReader::Outcome::Nothing;
             outcome = reader.read(QByteArray(), &value)) {
            if (outcome == WindspeedAnswerReader::Outcome::NoValue) {
                read.append(-99);
                continue;
            }
            FUZZ_CHECK(std::abs(value) <= 9.9 && std::abs(value * 10 - std::round(value * 10)) < 1e-9,
                       QString::number(value));
            read.append(value);
        }
        FUZZ_CHECK(reader.buffered() <= WindspeedAnswerReader::BufferLimit, QString::number(reader.buffered()));
    }
    return read;
}

QString text(const QList<double> &values)
{
    QStringList texts;
    for (const double value : values)
        texts.append(QString::number(value));
    return texts.join(QLatin1Char(' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QList<QByteArray> blocks = FuzzInput(data, size).portBlocks();
    QList<QByteArray> bytes;
    for (const QByteArray &block : blocks) {
        for (const char byte : block)
            bytes.append(QByteArray(1, byte));
    }

    WindspeedAnswerReader inBlocks;
    WindspeedAnswerReader byteByByte;
    const QList<double> fromBlocks = answers(inBlocks, blocks);
    const QList<double> fromBytes = answers(byteByByte, bytes);
    FUZZ_CHECK(fromBlocks == fromBytes, text(fromBlocks) + " / " + text(fromBytes));

    const QList<double> after = answers(inBlocks, {QByteArrayLiteral("D+12   \r")});
    FUZZ_CHECK(after == QList<double>{1.2}, text(after));
    return 0;
}
