#include "devices/videomessage.h"

#include <QHash>
#include <QJsonDocument>
#include <QRandomGenerator>

#include "records/participation.h"

namespace {

QString randomNumber(int lowest, int highest)
{
    return QString::number(QRandomGenerator::global()->bounded(lowest, highest + 1));
}

QString randomDecimal(double lowest, double highest)
{
    return QString::number(lowest + QRandomGenerator::global()->generateDouble() * (highest - lowest), 'f', 2);
}

QString randomVerticalMark()
{
    static const char *const marks[] = {"0", "X0", "XX0", "X", "XX", "XXX", "-", "X-", "XX-"};
    return QString::fromLatin1(marks[QRandomGenerator::global()->bounded(9)]);
}

QString resultOf(VideoMessage::Type type, const VideoMessage::Context &context)
{
    Participation *p = context.participation;
    if (p->abandon)
        return context.retiredMark;
    switch (type) {
    case VideoMessage::HorizontalResult:
        return p->resultTextOfAttempt(p->shownAttemptNumber);
    case VideoMessage::VerticalResult:
        return p->shownJumpOffNumber != 0 ? p->jumpOffMark(p->shownJumpOffNumber) : p->attemptString(p->shownHeight);
    case VideoMessage::RankingRow: {
        // The mark the row is ranked on, as the LED board's ranking shows it.
        if (context.fieldType == QLatin1Char('H'))
            return p->resultText(p->bestResult());
        const double height = p->bestHeight();
        return context.fieldType == QLatin1Char('V') && height != 0 ? QString::number(height, 'f', 2) : QString();
    }
    default:
        return QString();
    }
}

bool carriesHeight(VideoMessage::Type type)
{
    return type == VideoMessage::VerticalParticipant || type == VideoMessage::VerticalResult;
}

bool carriesResult(VideoMessage::Type type)
{
    return type == VideoMessage::HorizontalResult || type == VideoMessage::VerticalResult ||
           type == VideoMessage::RankingRow;
}

} // namespace

QVariantMap VideoMessage::message(Type type, const Context &context)
{
    QVariantMap message{{QStringLiteral("T"), int(type)}};
    Participation *p = context.participation;
    if (p) {
        const QString first = p->firstName();
        message.insert(QStringLiteral("E"), context.eventName);
        message.insert(QStringLiteral("NA"), p->lastName() + QLatin1Char(' ') + first.left(1).toUpper());
        message.insert(QStringLiteral("RK"), p->current_order != 0 ? QString::number(p->current_order) : QString());
        message.insert(QStringLiteral("AT"), QString::number(p->shownAttemptNumber));
        message.insert(QStringLiteral("B"), p->bib());
        message.insert(QStringLiteral("TE"), p->teamname);
        if (carriesHeight(type))
            message.insert(QStringLiteral("H"), QString::number(p->shownHeight, 'f', 2));
        if (carriesResult(type))
            message.insert(QStringLiteral("RE"), resultOf(type, context));
    } else {
        const bool participant = type == HorizontalParticipant || type == VerticalParticipant;
        message.insert(QStringLiteral("E"),
                       participant ? QStringLiteral("Demo participant") : QStringLiteral("Demo result"));
        message.insert(QStringLiteral("NA"), QStringLiteral("Thompson J"));
        message.insert(QStringLiteral("RK"), randomNumber(1, 20));
        message.insert(QStringLiteral("AT"), randomNumber(1, 6));
        message.insert(QStringLiteral("B"), randomNumber(1, 999));
        message.insert(QStringLiteral("TE"), QStringLiteral("Belgium"));
        if (carriesHeight(type))
            message.insert(QStringLiteral("H"), randomDecimal(1, 6));
        if (type == HorizontalResult)
            message.insert(QStringLiteral("RE"), randomDecimal(1, 91));
        else if (type == VerticalResult)
            message.insert(QStringLiteral("RE"), randomVerticalMark());
        else if (carriesResult(type))
            message.insert(QStringLiteral("RE"), QString());
    }
    if (type == RankingRow) {
        message.remove(QStringLiteral("AT"));
        message.remove(QStringLiteral("B"));
    }
    return message;
}

QVariantMap VideoMessage::clearMessage()
{
    return QVariantMap{
        {QStringLiteral("D"), 0}, {QStringLiteral("L"), 7}, {QStringLiteral("T"), QString::fromLatin1(ClearType)}};
}

QByteArray VideoMessage::encode(const QVariantMap &message)
{
    return QJsonDocument::fromVariant(message).toJson(QJsonDocument::Compact) + '\r';
}

QStringList VideoMessage::keysOf(const QString &type)
{
    static const QHash<QString, QStringList> keys{
        {QStringLiteral("4"), {"AT", "B", "E", "NA", "RK", "T", "TE"}},
        {QStringLiteral("5"), {"AT", "B", "E", "NA", "RE", "RK", "T", "TE"}},
        {QStringLiteral("6"), {"AT", "B", "E", "H", "NA", "RK", "T", "TE"}},
        {QStringLiteral("7"), {"AT", "B", "E", "H", "NA", "RE", "RK", "T", "TE"}},
        {QStringLiteral("8"), {"E", "NA", "RE", "RK", "T", "TE"}},
        {QString::fromLatin1(ClearType), {"D", "L", "T"}},
    };
    return keys.value(type);
}
