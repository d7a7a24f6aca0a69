#include "fieldevents/attemptinput.h"

#include "records/resultmarks.h"

AttemptInput::AttemptInput(QChar fieldType)
    : m_fieldType(fieldType)
{}

void AttemptInput::load(const QString &stored, int failures)
{
    m_refusal = Refusal::None;
    m_stored = stored;
    m_stored.replace(QLatin1Char(','), QLatin1Char('.'));
    m_text = m_stored;
    m_failures = failures;
}

void AttemptInput::clear()
{
    load(QString());
}

bool AttemptInput::acceptsMoreTries() const
{
    return !(m_text.contains(QLatin1Char('0')) || m_text.contains(QLatin1Char('-')) || m_text == QLatin1String("r") ||
             m_text.count(QLatin1Char('X')) >= 3);
}

bool AttemptInput::isCommaEnabled() const
{
    return !isVertical() && !m_text.contains(QLatin1Char('.'));
}

bool AttemptInput::areDigitsEnabled() const
{
    return !isVertical() || acceptsMoreTries();
}

bool AttemptInput::refuse(Refusal refusal)
{
    m_refusal = refusal;
    return false;
}

void AttemptInput::pressDigit(int digit)
{
    m_refusal = Refusal::None;
    if (digit < 0 || digit > 9)
        return;
    if (isVertical()) {
        // Only "0", a clearance, means something at a height.
        if (digit != 0)
            refuse(Refusal::OnlyClearance);
        else if (!acceptsMoreTries())
            refuse(Refusal::TriesComplete);
        else
            m_text += QLatin1Char('0');
        return;
    }
    // A mark typed before is replaced by the distance.
    if (m_text == QLatin1String("X") || m_text == QLatin1String("-") || m_text == QLatin1String("r"))
        m_text.clear();
    const int dot = m_text.indexOf(QLatin1Char('.'));
    if (dot < 0 && m_text.size() >= MaximumWholeDigits) {
        refuse(Refusal::TooManyDigits);
        return;
    }
    if (dot >= 0 && m_text.size() - dot - 1 >= MaximumDecimals) {
        refuse(Refusal::TooManyDecimals);
        return;
    }
    m_text += QString::number(digit);
    normalise();
}

void AttemptInput::pressComma()
{
    m_refusal = Refusal::None;
    if (isVertical()) {
        refuse(Refusal::OnlyClearance);
        return;
    }
    if (m_text.isEmpty() || m_text == QLatin1String("X") || m_text == QLatin1String("-") ||
        m_text == QLatin1String("r"))
        m_text = QStringLiteral("0.");
    else if (!m_text.contains(QLatin1Char('.')))
        m_text += QLatin1Char('.');
    else
        refuse(Refusal::SecondSeparator);
}

void AttemptInput::pressFail()
{
    m_refusal = Refusal::None;
    if (!isVertical()) {
        m_text = ResultMarks::X;
        return;
    }
    if (!acceptsMoreTries()) {
        refuse(Refusal::TriesComplete);
        return;
    }
    m_text += QLatin1Char('X');
    ++m_failures;
}

void AttemptInput::pressSkip()
{
    m_refusal = Refusal::None;
    if (!isVertical()) {
        m_text = ResultMarks::Dash;
        return;
    }
    if (acceptsMoreTries())
        m_text += QLatin1Char('-');
    else
        refuse(Refusal::TriesComplete);
}

void AttemptInput::pressPass()
{
    m_refusal = Refusal::None;
    if (!isVertical())
        return;
    if (acceptsMoreTries())
        m_text += QLatin1Char('0');
    else
        refuse(Refusal::TriesComplete);
}

void AttemptInput::pressRetired()
{
    m_refusal = Refusal::None;
    if (!isVertical())
        m_text = ResultMarks::R;
}

void AttemptInput::pressBack()
{
    m_refusal = Refusal::None;
    if (m_text.isEmpty())
        return;
    if (!isVertical()) {
        if (m_text == QLatin1String("X") || m_text == QLatin1String("-") || m_text == QLatin1String("r"))
            m_text.clear();
        else
            m_text.chop(1);
        return;
    }
    if (m_text.endsWith(QLatin1Char('X')) && m_failures > 0)
        --m_failures;
    m_text.chop(1);
}

void AttemptInput::replaceText(const QString &text)
{
    m_text = text;
    if (!isVertical())
        normalise();
}

bool AttemptInput::typeText(const QString &text)
{
    if (text.size() != 1)
        return false;
    const QChar c = text.at(0);
    if (c.isDigit()) {
        pressDigit(c.digitValue());
        return m_refusal == Refusal::None;
    }
    if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
        pressComma();
        return m_refusal == Refusal::None;
    }
    return false;
}

void AttemptInput::normalise()
{
    m_text.replace(QLatin1Char(','), QLatin1Char('.'));
    const int dot = m_text.indexOf(QLatin1Char('.'));
    if (dot >= 0 && m_text.size() > dot + 3)
        m_text.truncate(dot + 3);
}

double AttemptInput::value() const
{
    return ResultMarks::parseTyped(m_text);
}

bool AttemptInput::isDistance() const
{
    // Only a typed number above zero: "r", "DNS" and "DQ" are no distance
    // either, and a retired athlete has no wind.
    if (isVertical() || m_text.isEmpty() || !m_text.at(0).isDigit())
        return false;
    bool ok = false;
    const double distance = QString(m_text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && distance > 0;
}

bool AttemptInput::isConfirmable() const
{
    if (isVertical() || m_text.isEmpty() || !m_text.at(0).isDigit())
        return true;
    return isDistance();
}

bool AttemptInput::isAboveCeiling() const
{
    return !isVertical() && m_ceiling > 0 && isDistance() && value() > m_ceiling;
}
