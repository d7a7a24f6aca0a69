#pragma once

#include <QByteArray>

// Cuts a byte stream into the lines of a protocol that ends each line with a
// carriage return (the Changhong boards, the video wall). Bytes may come in
// pieces of any size: a line not yet ended waits for the next feed(). A line
// longer than the maximum is no line of the protocol: it is dropped whole and
// handed on as overlong when its carriage return comes, so that a stream
// without one cannot fill the memory.
class CarriageReturnLines
{
public:
    explicit CarriageReturnLines(qsizetype maximum)
        : m_maximum(maximum)
    {}

    // Calls take(line, overlong) for every line the bytes end, without its
    // carriage return.
    template <typename Take> void feed(const QByteArray &bytes, Take take)
    {
        for (const char byte : bytes) {
            if (byte != '\r') {
                if (m_line.size() < m_maximum)
                    m_line += byte;
                else
                    m_overlong = true;
                continue;
            }
            const QByteArray line = m_line;
            const bool overlong = m_overlong;
            reset();
            take(line, overlong);
        }
    }

    // Forgets a line begun but not ended.
    void reset()
    {
        m_line.clear();
        m_overlong = false;
    }

private:
    qsizetype m_maximum;
    QByteArray m_line;
    bool m_overlong = false;
};
