#include "fieldevents/attemptinput.h"

#include "records/resultmarks.h"

AttemptInput::AttemptInput(QChar fieldType)
    : m_fieldType(fieldType)
{}

void AttemptInput::load(const QString &stored, int failures)
{
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

void AttemptInput::pressDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return;
    if (isVertical()) {
        // Only "0", a clearance, means something at a height.
        if (digit == 0 && acceptsMoreTries())
            m_text += QLatin1Char('0');
        return;
    }
    // A mark typed before is replaced by the distance.
    if (m_text == QLatin1String("X") || m_text == QLatin1String("-") || m_text == QLatin1String("r"))
        m_text.clear();
    m_text += QString::number(digit);
    normalise();
}

void AttemptInput::pressComma()
{
    if (isVertical())
        return;
    if (m_text.isEmpty() || m_text == QLatin1String("X") || m_text == QLatin1String("-") ||
        m_text == QLatin1String("r"))
        m_text = QStringLiteral("0.");
    else if (!m_text.contains(QLatin1Char('.')))
        m_text += QLatin1Char('.');
}

void AttemptInput::pressFail()
{
    if (!isVertical()) {
        m_text = ResultMarks::X;
        return;
    }
    if (!acceptsMoreTries())
        return;
    m_text += QLatin1Char('X');
    ++m_failures;
}

void AttemptInput::pressSkip()
{
    if (!isVertical()) {
        m_text = ResultMarks::Dash;
        return;
    }
    if (acceptsMoreTries())
        m_text += QLatin1Char('-');
}

void AttemptInput::pressPass()
{
    if (isVertical() && acceptsMoreTries())
        m_text += QLatin1Char('0');
}

void AttemptInput::pressRetired()
{
    if (!isVertical())
        m_text = ResultMarks::R;
}

void AttemptInput::pressBack()
{
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
        if (!areDigitsEnabled())
            return false;
        pressDigit(c.digitValue());
        return true;
    }
    if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
        if (!isCommaEnabled())
            return false;
        pressComma();
        return true;
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
    const double v = value();
    return v != ResultMarks::Failed && v != ResultMarks::Skipped && v != ResultMarks::Removal;
}

bool AttemptInput::isConfirmable() const
{
    if (isVertical() || m_text.isEmpty() || !m_text.at(0).isDigit())
        return true;
    QString number = m_text;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double distance = number.toDouble(&ok);
    return ok && distance > 0;
}
