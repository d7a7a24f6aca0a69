#include "devices/scoreboarditemfiller.h"

#include <QRandomGenerator>

#include "devices/charactertransformer.h"
#include "records/participation.h"

namespace {

const QLatin1String DataSource("dataSource");

int maximumLength(const QJsonObject &item)
{
    return item.value(QLatin1String("maximum_length")).toInt();
}

QString randomNumber(int lowest, int highest)
{
    return QString::number(QRandomGenerator::global()->bounded(lowest, highest + 1));
}

QString randomDecimal(double lowest, double highest)
{
    return QString::number(lowest + QRandomGenerator::global()->generateDouble() * (highest - lowest), 'f', 2);
}

void clearAffixes(QJsonObject &item)
{
    QJsonObject source = item.value(DataSource).toObject();
    source.insert(QStringLiteral("prefix"), QString());
    source.insert(QStringLiteral("suffix"), QString());
    item.insert(DataSource, source);
}

QString nameOf(const QJsonObject &item, const ScoreboardItemFiller::Context &context)
{
    Participation *p = context.participation;
    const QString pattern = item.value(QLatin1String("displayname")).toString();
    QString name =
        p ? ScoreboardItemFiller::applyNamePattern(pattern, p->firstName(), p->lastName())
          : ScoreboardItemFiller::applyNamePattern(pattern, QStringLiteral("Jeff"), QStringLiteral("Thompson"));
    if (context.transformer)
        name = context.transformer->apply(name);
    return name;
}

QString resultOf(QJsonObject &item, const ScoreboardItemFiller::Context &context)
{
    Participation *p = context.participation;
    if (!p) {
        if (context.fieldType == QLatin1Char('H'))
            return randomDecimal(1, 91);
        if (context.fieldType == QLatin1Char('V')) {
            static const char *const marks[] = {"0", "X0", "XX0", "X", "XX", "XXX", "-", "X-", "XX-"};
            return QString::fromLatin1(marks[QRandomGenerator::global()->bounded(9)]);
        }
        return QString();
    }
    if (p->abandon) {
        clearAffixes(item);
        return context.retiredMark;
    }
    if (p->field_type == QLatin1Char('H')) {
        const QString text = p->resultTextOfAttempt(p->shownAttemptNumber);
        if (text == QLatin1String("X") || text == QLatin1String("-"))
            clearAffixes(item);
        return text;
    }
    if (p->field_type == QLatin1Char('V'))
        return p->shownJumpOffNumber != 0 ? p->jumpOffMark(p->shownJumpOffNumber) : p->attemptString(p->shownHeight);
    return QString();
}

} // namespace

QString ScoreboardItemFiller::itemValue(const QJsonObject &item)
{
    return item.value(DataSource).toObject().value(QLatin1String("value")).toString();
}

void ScoreboardItemFiller::setItemValue(QJsonObject &item, const QString &value)
{
    QJsonObject source = item.value(DataSource).toObject();
    source.insert(QStringLiteral("value"), value);
    item.insert(DataSource, source);
}

QString ScoreboardItemFiller::cut(const QString &text, int n)
{
    return n > 0 && text.size() > n ? text.left(n) : text;
}

QString ScoreboardItemFiller::countdownText(unsigned seconds)
{
    const unsigned hours = seconds / 3600;
    const unsigned minutes = seconds % 3600 / 60;
    const unsigned rest = seconds % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(rest, 2, 10, QLatin1Char('0'));
    if (minutes > 0)
        return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
    return QString::number(rest);
}

ScoreboardItemFiller::RankingGeometry ScoreboardItemFiller::rankingGeometry(const QJsonObject &layout)
{
    const QJsonObject ranking = layout.value(QLatin1String("event_ranking")).toObject();
    const QJsonValue event = ranking.value(QLatin1String("event"));
    const QJsonValue name = ranking.value(QLatin1String("name"));
    RankingGeometry geometry;
    geometry.eventHeight = event.isObject() ? event.toObject().value(QLatin1String("height")).toInt() : -1;
    geometry.nameHeight = name.isObject() ? name.toObject().value(QLatin1String("height")).toInt() : -1;
    // A name line of no height would make every row fit: no paging then.
    if (geometry.eventHeight >= 0 && geometry.nameHeight > 0)
        geometry.linesPerPage =
            qMax(0, (layout.value(QLatin1String("height")).toInt() - geometry.eventHeight) / geometry.nameHeight);
    return geometry;
}

QString ScoreboardItemFiller::applyNamePattern(const QString &pattern, const QString &firstName,
                                               const QString &lastName)
{
    QString name = pattern;
    // "[LASTNAME]", "[lastname]", "[Lastname]", then the initial "[L]" and
    // "[l]" when there is one; the same for the first name.
    const auto replace = [&name](const QString &word, const QString &value) {
        const auto tag = [](const QString &text) { return QStringLiteral("[%1]").arg(text); };
        name.replace(tag(word.toUpper()), value.toUpper());
        name.replace(tag(word.toLower()), value.toLower());
        name.replace(tag(word), value);
        if (value.isEmpty())
            return;
        name.replace(tag(word.left(1).toUpper()), value.left(1).toUpper());
        name.replace(tag(word.left(1).toLower()), value.left(1).toLower());
    };
    replace(QStringLiteral("Lastname"), lastName);
    replace(QStringLiteral("Firstname"), firstName);
    return name;
}

QJsonObject ScoreboardItemFiller::fill(const QString &key, QJsonObject item, const Context &context)
{
    Participation *p = context.participation;
    QString text;
    if (key == QLatin1String("name")) {
        text = nameOf(item, context);
    } else if (key == QLatin1String("order")) {
        text = p ? QString::number(p->abandon ? 0 : p->initial_order) : randomNumber(1, 20);
    } else if (key == QLatin1String("rank")) {
        if (!p)
            text = randomNumber(1, 20);
        else if (p->current_order != 0)
            text = QString::number(p->current_order);
        else
            item.insert(QStringLiteral("enabled"), false);
    } else if (key == QLatin1String("attempt")) {
        text = p ? QString::number(p->shownAttemptNumber) : randomNumber(1, 6);
    } else if (key == QLatin1String("bib")) {
        text = p ? p->bib() : randomNumber(1, 9999);
    } else if (key == QLatin1String("team")) {
        text = p ? p->teamname : QStringLiteral("Belgium");
    } else if (key == QLatin1String("metavalue")) {
        text = p ? QString::number(p->shownHeight, 'f', 2) : randomDecimal(1, 6);
    } else if (key == QLatin1String("result")) {
        text = resultOf(item, context);
    } else if (key == QLatin1String("seconds") || key == QLatin1String("seconds_alert")) {
        // The end of the text: a box for "ss" shows the seconds of "m:ss".
        const QString full = countdownText(context.countdownSeconds);
        const int n = maximumLength(item);
        setItemValue(item, n < full.size() ? full.right(qMax(0, n)) : full);
        return item;
    } else {
        return item;
    }
    setItemValue(item, cut(text, maximumLength(item)));
    return item;
}

QJsonObject ScoreboardItemFiller::countdownItem(const QJsonObject &clock, int alert, unsigned seconds)
{
    const QString key = qint64(seconds) < alert ? QStringLiteral("seconds_alert") : QStringLiteral("seconds");
    Context context;
    context.countdownSeconds = seconds;
    return fill(key, clock.value(key).toObject(), context);
}

QJsonObject ScoreboardItemFiller::fillRankingRow(const QString &key, QJsonObject item, int row, int linesPerPage,
                                                 int eventHeight, int nameHeight, const Context &context)
{
    Participation *p = context.participation;
    if (!p || (key != QLatin1String("rank") && key != QLatin1String("name") && key != QLatin1String("result")))
        return fill(key, item, context);
    QString text;
    if (key == QLatin1String("rank")) {
        if (p->current_order != 0)
            text = QString::number(p->current_order);
    } else if (key == QLatin1String("name")) {
        text = nameOf(item, context);
    } else if (context.fieldType == QLatin1Char('H')) {
        text = p->resultText(p->bestResult());
    } else if (context.fieldType == QLatin1Char('V')) {
        const double height = p->bestHeight();
        if (height != 0)
            text = QString::number(height, 'f', 2);
    }
    setItemValue(item, cut(text, maximumLength(item)));
    if (linesPerPage > 0)
        item.insert(QStringLiteral("y"), (row % linesPerPage) * nameHeight + eventHeight);
    // A row colour the layout does not give would leave the row black.
    const QString alternating = item.value(QLatin1String("alternating_row_color")).toString();
    if (row % 2 == 1 && !alternating.isEmpty())
        item.insert(QStringLiteral("color"), alternating);
    return item;
}
