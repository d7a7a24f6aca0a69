#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads result frames (see ResultFrame) back as the receiving system would:
// ten bytes from an STX. Bytes before an STX, and a frame that does not end
// in ETX or holds neither a mark nor a distance, are rejected and counted;
// reading goes on at the next STX. Bytes may arrive in pieces of any size.
class ResultFrameDecoder
{
public:
    // The texts of the whole frames received (see ResultFrame::decode).
    QStringList feed(const QByteArray &bytes);
    void reset()
    {
        m_buffer.clear();
        m_outside = false;
    }

    int rejectedCount() const { return m_rejected; }
    QString lastRejection() const { return m_lastRejection; }

private:
    void reject(const QString &reason);

    QByteArray m_buffer;
    bool m_outside = false;
    int m_rejected = 0;
    QString m_lastRejection;
};
