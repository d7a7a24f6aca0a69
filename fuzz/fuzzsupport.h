#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QAbstractItemModel;

#include <cstddef>
#include <cstdint>

// What every fuzz target shares. A target runs millions of times in one
// process: it must be quiet, deterministic and leave nothing behind.
namespace FuzzSupport {

// Creates the application object once and switches every log line off.
// Cheap after the first call; every target calls it first.
void prepare();

// Ends the run as a crash: a promise of the code under test did not hold.
// libFuzzer keeps the input; the replay test fails on it.
[[noreturn]] void fail(const char *what, const QString &detail = QString());

// Asks a model for every header and cell in the roles views ask for.
void readEveryCell(const QAbstractItemModel &model);

} // namespace FuzzSupport

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            FuzzSupport::fail(#condition, detail);                                                                     \
    } while (false)

// Reads values off the front of a fuzz input; once it runs out, every read
// gives zero or empty.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {}

    bool atEnd() const { return m_position >= m_size; }
    quint8 byte() { return atEnd() ? 0 : m_data[m_position++]; }
    // Eight bytes as they are: every double there is, NaN and infinities too.
    double rawDouble();
    quint64 u64();
    // Up to maxBytes bytes, ended early by the separator (which is consumed).
    QByteArray bytesUntil(char separator, int maxBytes = 1 << 20);
    QByteArray rest();
    // The rest cut into blocks as a port delivers bytes: the next byte gives
    // their size (1 to 256).
    QList<QByteArray> portBlocks();

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_position = 0;
};
