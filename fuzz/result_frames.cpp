// The result frames a receiving system reads: ten bytes from STX to ETX.
// Any bytes read without a crash, the same whole as byte by byte; every text
// read gives back its frame. And any text the program is asked to send
// makes one frame of ten bytes that reads back as a mark, nothing or a
// distance.
#include "devices/resultframe.h"
#include "devices/resultframedecoder.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString detail = QString::fromLatin1(bytes.left(256).toHex(' '));
    ResultFrameDecoder whole;
    ResultFrameDecoder bytewise;
    const QStringList texts = whole.feed(bytes);
    QStringList oneByOne;
    for (const char byte : bytes)
        oneByOne += bytewise.feed(QByteArray(1, byte));
    FUZZ_CHECK(texts == oneByOne, detail);
    FUZZ_CHECK(whole.rejectedCount() == bytewise.rejectedCount(), detail);
    for (const QString &text : texts) {
        QString again;
        FUZZ_CHECK(ResultFrame::decode(ResultFrame::encode(text), &again) && again == text, detail);
    }

    const QByteArray frame = ResultFrame::encode(QString::fromUtf8(bytes));
    FUZZ_CHECK(frame.size() == ResultFrame::Size, detail);
    QString read;
    FUZZ_CHECK(ResultFrame::decode(frame, &read), detail);
    return 0;
}
