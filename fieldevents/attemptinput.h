#pragma once

#include <QChar>
#include <QString>

// What the judge types for the current attempt, with the keypad's rules:
// a distance with at most two decimals in a horizontal event; the tries at a
// height ("0" cleared, "X" failed, "-" skipped) in a vertical event, which
// accepts no more keys after a clearance, a skip, "r" or three failures.
class AttemptInput
{
public:
    // Why the last key changed nothing; every refusal is told to the judge.
    enum class Refusal {
        None,
        TooManyDigits,   // a fourth digit before the decimal point
        TooManyDecimals, // a third decimal
        SecondSeparator, // a second decimal point
        NotAMark,        // Enter on 0 alone
        OnlyClearance,   // a key that means nothing at a height
        TriesComplete,   // a key after the height's tries are complete
    };

    // Marks are typed with at most this many digits before the point.
    static constexpr int MaximumWholeDigits = 3;
    static constexpr int MaximumDecimals = 2;

    explicit AttemptInput(QChar fieldType = QLatin1Char('H'));

    QChar fieldType() const { return m_fieldType; }
    bool isVertical() const { return m_fieldType == QLatin1Char('V'); }

    // Makes a stored text current (a cell was selected): input and stored
    // text both become it; failures start at the given count (vertical).
    void load(const QString &stored, int failures = 0);
    void clear();

    QString text() const { return m_text; }
    QString storedText() const { return m_stored; }
    bool isChanged() const { return m_text != m_stored; }
    int failuresTyped() const { return m_failures; }

    void pressDigit(int digit);
    void pressComma();
    void pressFail();
    void pressSkip();
    void pressPass();
    void pressBack();
    // Horizontal: the athlete retired in this attempt ("r").
    void pressRetired();
    // Replaces what was typed (a measured distance), keeping the stored text.
    void replaceText(const QString &text);
    // A key typed on a keyboard: digits, "," and "." as their keys; false
    // when it means nothing here.
    bool typeText(const QString &text);

    // Of the last key pressed (None after a key that was taken).
    Refusal refusal() const { return m_refusal; }

    bool isCommaEnabled() const;
    bool areDigitsEnabled() const;
    // Vertical: further keys are taken until the input is complete.
    bool acceptsMoreTries() const;

    // The value the input stands for: "" removal, "X", "-", "0", "DNS",
    // "DQ", "r" their marks, otherwise the number ("," read as ".").
    double value() const;
    // Whether the input is a measured distance: a typed number above zero
    // (not a fail, skip, retirement or removal).
    bool isDistance() const;
    // Horizontal: whether Enter may store the input. A typed number must be
    // a distance above zero; "0" or "0." alone is an unfinished entry, not a
    // mark of 1 m or an empty result.
    bool isConfirmable() const;

    // The highest plausible distance of the event (0: none known); a typed
    // distance above it is confirmed only after a question.
    void setCeiling(double metres) { m_ceiling = metres; }
    double ceiling() const { return m_ceiling; }
    bool isAboveCeiling() const;

private:
    void normalise();
    bool refuse(Refusal refusal);

    QChar m_fieldType;
    QString m_text;
    QString m_stored;
    int m_failures = 0;
    Refusal m_refusal = Refusal::None;
    double m_ceiling = 0;
};
