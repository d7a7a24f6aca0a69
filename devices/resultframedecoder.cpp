#include "devices/resultframedecoder.h"

#include "devices/resultframe.h"

QStringList ResultFrameDecoder::feed(const QByteArray &bytes)
{
    QStringList texts;
    m_buffer += bytes;
    for (;;) {
        const qsizetype start = m_buffer.indexOf(ResultFrame::Start);
        if (start != 0) {
            // Bytes outside a frame: one rejection for a run of them, in
            // however many pieces it comes.
            if (!m_buffer.isEmpty() && !m_outside)
                reject(QStringLiteral("bytes outside a frame"));
            m_outside = !m_buffer.isEmpty() || m_outside;
            m_buffer.remove(0, start < 0 ? m_buffer.size() : start);
            if (start < 0)
                break;
        }
        m_outside = false;
        if (m_buffer.size() < ResultFrame::Size)
            break;
        QString text;
        QString why;
        if (ResultFrame::decode(m_buffer.left(ResultFrame::Size), &text, &why)) {
            texts.append(text);
            m_buffer.remove(0, ResultFrame::Size);
        } else {
            reject(why);
            // The STX was no frame's start: look for the next one.
            m_buffer.remove(0, 1);
        }
    }
    return texts;
}

void ResultFrameDecoder::reject(const QString &reason)
{
    ++m_rejected;
    m_lastRejection = reason;
}
