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

// What a reader makes of the stream in blocks of the given size: one entry
// per answer, the wind or -99 for "no value".
QList<double> answers(WindspeedAnswerReader &reader, const QByteArray &stream, int blockSize)
{
    QList<double> read;
    for (qsizetype at = 0; at < stream.size(); at += blockSize) {
        double value = 0;
        for (auto outcome = reader.read(stream.mid(at, blockSize), &value);
             outcome != WindspeedAnswerReader::Outcome::Nothing; outcome = reader.read(QByteArray(), &value)) {
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
    FuzzInput input(data, size);
    const int blockSize = input.byte() + 1;
    const QByteArray stream = input.rest();

    WindspeedAnswerReader inBlocks;
    WindspeedAnswerReader byteByByte;
    const QList<double> fromBlocks = answers(inBlocks, stream, blockSize);
    const QList<double> fromBytes = answers(byteByByte, stream, 1);
    FUZZ_CHECK(fromBlocks == fromBytes, text(fromBlocks) + " / " + text(fromBytes));

    const QList<double> after = answers(inBlocks, QByteArrayLiteral("D+12   \r"), 8);
    FUZZ_CHECK(after == QList<double>{1.2}, text(after));
    return 0;
}
