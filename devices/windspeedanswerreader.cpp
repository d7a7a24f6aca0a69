#include "devices/windspeedanswerreader.h"

WindspeedAnswerReader::Outcome WindspeedAnswerReader::parse(const QByteArray &answer, double *value)
{
    if (answer.size() != AnswerSize || answer.at(0) != 'D' || answer.at(AnswerSize - 1) != '\r')
        return Outcome::Nothing;
    if (answer.mid(1, 6) == QByteArray(6, ' '))
        return Outcome::NoValue;
    const char sign = answer.at(1);
    const char units = answer.at(2);
    const char tenths = answer.at(3);
    if ((sign != ' ' && sign != '+' && sign != '-') || units < '0' || units > '9' || tenths < '0' || tenths > '9' ||
        answer.mid(4, 3) != "   ")
        return Outcome::Nothing;
    const double speed = (units - '0') + (tenths - '0') / 10.0;
    if (value)
        *value = sign == '-' ? -speed : speed;
    return Outcome::Value;
}

WindspeedAnswerReader::Outcome WindspeedAnswerReader::read(const QByteArray &data, double *value)
{
    m_buffer.append(data);
    Outcome outcome = Outcome::Nothing;
    for (qsizetype end = m_buffer.indexOf('\r'); end >= 0 && outcome == Outcome::Nothing;
         end = m_buffer.indexOf('\r')) {
        // A carriage return with too few bytes before it is no answer: it
        // goes with those bytes, so that it cannot hold up the next answers.
        if (end >= AnswerSize - 1)
            outcome = parse(m_buffer.mid(end - (AnswerSize - 1), AnswerSize), value);
        m_buffer.remove(0, end + 1);
    }
    // Only bytes without a carriage return are cut: answers that arrived
    // together wait whole for the next call.
    if (m_buffer.size() > BufferLimit && !m_buffer.contains('\r'))
        m_buffer.remove(0, m_buffer.size() - BufferLimit);
    return outcome;
}
