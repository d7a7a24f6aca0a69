#include "records/searchtext.h"

#include <QHash>

namespace {

// Letters with a stroke, ligatures and the like have no decomposition.
const QHash<QChar, QString> &plainLetters()
{
    static const QHash<QChar, QString> letters{
        {QChar(0x0142), QStringLiteral("l")},  // ł
        {QChar(0x00F8), QStringLiteral("o")},  // ø
        {QChar(0x0111), QStringLiteral("d")},  // đ
        {QChar(0x0127), QStringLiteral("h")},  // ħ
        {QChar(0x0131), QStringLiteral("i")},  // ı
        {QChar(0x00E6), QStringLiteral("ae")}, // æ
        {QChar(0x0153), QStringLiteral("oe")}, // œ
        {QChar(0x00DF), QStringLiteral("ss")}, // ß
        {QChar(0x00FE), QStringLiteral("th")}, // þ
        {QChar(0x00F0), QStringLiteral("d")},  // ð
        {QChar(0x014B), QStringLiteral("n")},  // ŋ
    };
    return letters;
}

} // namespace

QString SearchText::fold(const QString &text)
{
    const QString decomposed = text.toCaseFolded().normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const auto plain = plainLetters().constFind(c);
        if (plain != plainLetters().constEnd())
            folded += plain.value();
        else
            folded += c;
    }
    return folded;
}

bool SearchText::matches(const QString &text, const QString &search)
{
    return search.isEmpty() || fold(text).contains(fold(search));
}
