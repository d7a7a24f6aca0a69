#pragma once

#include <QByteArray>

// Reads the wind gauge's answers from its byte stream: 8 bytes ending in a
// carriage return, "D", a sign (" ", "+" or "-"), two digits (units and
// tenths of m/s) and three spaces; "D" and six spaces when it has no value.
class WindspeedAnswerReader
{
public:
    static constexpr int AnswerSize = 8;
    // Bytes kept while no carriage return arrives: a few answers' worth.
    // Answers already complete are kept whole until they are read.
    static constexpr int BufferLimit = 4 * AnswerSize;

    enum class Outcome {
        Nothing, // no answer, or nothing readable
        NoValue, // the gauge has no value
        Value,   // a wind speed
    };

    // Appends data and reads up to the first answer that says something
    // (skipping unreadable ones); what follows it stays for the next call,
    // which may pass no data.
    Outcome read(const QByteArray &data, double *value = nullptr);
    void clear() { m_buffer.clear(); }
    qsizetype buffered() const { return m_buffer.size(); }

    // One answer of 8 bytes.
    static Outcome parse(const QByteArray &answer, double *value);

private:
    QByteArray m_buffer;
};
