#include "devices/scoreboard.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTimer>

#include "app/settings.h"
#include "devices/boarddecoder.h"
#include "devices/layoutfileloader.h"
#include "devices/scoreboarddriverinterface.h"
#include "devices/scoreboarddriverloader.h"
#include "devices/scoreboarditemfiller.h"
#include "devices/transport/transportlogging.h"
#include "records/participation.h"

namespace {

const QString Group = QStringLiteral("scoreboard");

// A "clear" object with "before" true.
bool clearsBefore(const QJsonObject &object)
{
    return object.value(QLatin1String("clear")).toObject().value(QLatin1String("before")).toBool();
}

bool isTextController(const QString &controllerType)
{
    return controllerType.toLower().contains(QLatin1String("ie 1.0.1"));
}

} // namespace

Scoreboard::Scoreboard(QObject *parent)
    : Scoreboard(QCoreApplication::applicationDirPath(), parent)
{}

Scoreboard::Scoreboard(const QString &programFolder, QObject *parent)
    : PortDevice(WriteData, parent)
    , m_folder(programFolder)
    , m_pagingTimer(new QTimer(this))
    , m_clearTimer(new QTimer(this))
    , m_countdown(new AttemptCountdown(this))
{
    Settings *settings = Settings::instance();
    m_clearAfterResult = settings->value(Group, QStringLiteral("clear_after_result"), 0).toBool();
    m_clearTimeout = settings->value(Group, QStringLiteral("clear_timeout"), 5).toInt();

    loadDrivers();
    loadLayouts();
    setPort(descriptorFromSettings(Group));
    selectLayout(settings->value(Group, QStringLiteral("product"), QString()).toString(),
                 settings->value(Group, QStringLiteral("layout"), QString()).toString());

    m_pagingTimer->setInterval(PagingIntervalMs);
    m_clearTimer->setSingleShot(true);
    connect(m_pagingTimer, &QTimer::timeout, this, &Scoreboard::onTimerTimeout);
    connect(m_clearTimer, &QTimer::timeout, this, &Scoreboard::onClearTimerTimeout);
    connect(m_countdown, &AttemptCountdown::showRemaining, this, &Scoreboard::showCountdown);
    connect(m_countdown, &AttemptCountdown::valueUpdated, this, &Scoreboard::valueUpdated);
}

Scoreboard::~Scoreboard() = default;

void Scoreboard::loadDrivers()
{
    m_drivers = ScoreboardDriverLoader::load(m_folder + QStringLiteral("/scoreboarddrivers"));
    for (const ScoreboardDriverInterface *driver : std::as_const(m_drivers))
        qCDebug(lcTransport).noquote() << "Scoreboard driver: " + driver->name();
}

void Scoreboard::loadLayouts()
{
    m_layouts.clear();
    m_summaries.clear();
    const QList<LayoutFileLoader::File> files =
        LayoutFileLoader::load(m_folder + QStringLiteral("/scoreboardlayouts"), QStringLiteral("scoreboardlayout"));
    for (const LayoutFileLoader::File &file : files) {
        m_layouts.append(file.layout);
        m_summaries.append(
            {{QStringLiteral("name"), file.layout.value(QLatin1String("name")).toString()},
             {QStringLiteral("type"), file.layout.value(QLatin1String("scoreboardtype")).toString()},
             {QStringLiteral("controller"), file.layout.value(QLatin1String("controllertype")).toString()},
             {QStringLiteral("filename"), file.fileName}});
    }
}

void Scoreboard::selectLayout(const QString &type, const QString &name)
{
    m_layout = QJsonObject();
    m_driver = nullptr;
    for (const QJsonObject &layout : std::as_const(m_layouts)) {
        if (layout.value(QLatin1String("scoreboardtype")).toString() == type &&
            layout.value(QLatin1String("name")).toString() == name) {
            m_layout = layout;
            break;
        }
    }
    const QString controller = m_layout.value(QLatin1String("controllertype")).toString();
    if (!m_layout.isEmpty()) {
        for (ScoreboardDriverInterface *driver : std::as_const(m_drivers)) {
            if (driver->name() == controller) {
                m_driver = driver;
                break;
            }
        }
    }
    if (m_driver) {
        m_driver->brightnessLevels();
        m_brightnessMinimum = m_driver->brightnessMinimum();
        m_brightnessMaximum = m_driver->brightnessMaximum();
        m_brightnessStep = m_driver->brightnessStep();
    }
    m_transformer.setDriverName(m_driver ? m_driver->name() : QString());
    // The preview starts dark, at the new layout's size.
    m_previewDecoder = m_driver ? BoardDecoder::forController(m_driver->name()) : nullptr;
    m_preview = BoardState(
        QSize(m_layout.value(QLatin1String("width")).toInt(), m_layout.value(QLatin1String("height")).toInt()));
    emit previewChanged();

    const ScoreboardItemFiller::RankingGeometry ranking = ScoreboardItemFiller::rankingGeometry(m_layout);
    m_eventHeight = ranking.eventHeight;
    m_nameHeight = ranking.nameHeight;
    m_linesPerPage = ranking.linesPerPage;
}

QString Scoreboard::controllerName() const
{
    return m_driver ? m_driver->name() : QString();
}

void Scoreboard::send(const QByteArray &bytes, int msleep)
{
    emit writeData(bytes, msleep);
    if (!m_previewDecoder)
        return;
    const QList<BoardCommand> commands = m_previewDecoder->feed(bytes);
    if (commands.isEmpty())
        return;
    m_preview.apply(commands);
    emit previewChanged();
}

bool Scoreboard::canSend() const
{
    return m_driver && !m_layout.isEmpty() && hasPort();
}

void Scoreboard::emitClear(int msleep)
{
    send(m_driver->clearCommand(1, m_layout.value(QLatin1String("width")).toInt(),
                                m_layout.value(QLatin1String("height")).toInt()),
         msleep);
}

void Scoreboard::sendItem(const QJsonObject &item)
{
    if (item.value(QLatin1String("enabled")).toBool())
        send(m_driver->textCommand(item, 1), ItemPauseMs);
}

void Scoreboard::sendSection(const QString &name, QChar fieldType, bool alwaysClear)
{
    stopPaging();
    if (!canSend())
        return;
    const QJsonObject section = m_layout.value(name).toObject();
    if (section.isEmpty())
        return;
    if (alwaysClear || clearsBefore(section))
        emitClear(ClearPauseMs);
    ScoreboardItemFiller::Context context;
    context.participation = m_current;
    context.fieldType = fieldType;
    context.countdownSeconds = m_countdown->remaining();
    context.transformer = &m_transformer;
    context.retiredMark = tr("r");
    // A JSON object keeps its keys sorted: the items go out in that order.
    for (auto it = section.begin(); it != section.end(); ++it) {
        const QString key = it.key().toLower();
        if (key == QLatin1String("clear"))
            continue;
        sendItem(ScoreboardItemFiller::fill(key, it.value().toObject(), context));
    }
}

void Scoreboard::sendHorizontalParticipant()
{
    emit outputRequested(QStringLiteral("horizontal participant"));
    sendSection(QStringLiteral("horizontal_event_participant"), QLatin1Char('H'), false);
}

void Scoreboard::sendVerticalParticipant()
{
    emit outputRequested(QStringLiteral("vertical participant"));
    sendSection(QStringLiteral("vertical_event_participant"), QLatin1Char('V'), false);
}

void Scoreboard::sendHorizontalResult()
{
    emit outputRequested(QStringLiteral("horizontal result"));
    sendSection(QStringLiteral("horizontal_event_result"), QLatin1Char('H'), false);
}

void Scoreboard::sendVerticalResult()
{
    emit outputRequested(QStringLiteral("vertical result"));
    sendSection(QStringLiteral("vertical_event_result"), QLatin1Char('V'), false);
}

void Scoreboard::sendResultAfterAttempt()
{
    emit outputRequested(QStringLiteral("result after attempt"));
    sendSection(QStringLiteral("horizontal_event_result"), QChar(), true);
}

// ---- Ranking -------------------------------------------------------------------

void Scoreboard::showRanking(QChar fieldType, const QString &eventName, const QList<Participation *> &ranking)
{
    emit outputRequested(QStringLiteral("ranking %1 %2").arg(ranking.size()).arg(eventName));
    m_rankingFieldType = fieldType;
    m_rankingEvent = eventName;
    m_ranking.clear();
    for (Participation *p : ranking)
        m_ranking.append(p);
    m_pageStart = 0;
    m_pageEnd = int(qMin<qsizetype>(m_ranking.size(), m_linesPerPage));
    stopPaging();
    if (m_linesPerPage > 0 && m_linesPerPage < m_ranking.size())
        m_pagingTimer->start();
    sendPage();
}

void Scoreboard::stopPaging()
{
    m_pagingTimer->stop();
}

bool Scoreboard::isPaging() const
{
    return m_pagingTimer->isActive();
}

void Scoreboard::onTimerTimeout()
{
    const int size = int(m_ranking.size());
    if (m_pageEnd >= size) {
        m_pageStart = 0;
        m_pageEnd = qMin(size, m_linesPerPage);
    } else {
        m_pageStart = m_pageEnd;
        m_pageEnd = qMin(size, m_pageEnd + m_linesPerPage);
    }
    sendPage();
}

void Scoreboard::sendPage()
{
    if (m_ranking.contains(QPointer<Participation>())) {
        // The heat these records belonged to is closed.
        stopPaging();
        m_ranking.clear();
        return;
    }
    if (!canSend())
        return;
    const QJsonObject section = m_layout.value(QLatin1String("event_ranking")).toObject();
    if (section.isEmpty())
        return;
    emitClear(ClearPauseMs);
    QJsonObject event = section.value(QLatin1String("event")).toObject();
    ScoreboardItemFiller::setItemValue(
        event, ScoreboardItemFiller::cut(m_rankingEvent, event.value(QLatin1String("maximum_length")).toInt()));
    sendItem(event);

    ScoreboardItemFiller::Context context;
    context.fieldType = m_rankingFieldType;
    context.countdownSeconds = m_countdown->remaining();
    context.transformer = &m_transformer;
    context.retiredMark = tr("r");
    for (int row = m_pageStart; row < m_pageEnd && row < m_ranking.size(); ++row) {
        m_current = m_ranking.at(row);
        context.participation = m_current;
        for (auto it = section.begin(); it != section.end(); ++it) {
            const QString key = it.key().toLower();
            if (key == QLatin1String("clear") || key == QLatin1String("event"))
                continue;
            sendItem(ScoreboardItemFiller::fillRankingRow(key, it.value().toObject(), row, m_linesPerPage,
                                                          m_eventHeight, m_nameHeight, context));
        }
    }
    m_current = nullptr;
}

// ---- Free text, clearing, brightness --------------------------------------------

void Scoreboard::sendText(const QString &text)
{
    emit outputRequested(QStringLiteral("text"));
    stopPaging();
    if (!canSend())
        return;
    QJsonObject item = m_layout.value(QLatin1String("text")).toObject();
    const int maximum = item.value(QLatin1String("maximum_length")).toInt();
    if (isTextController(m_layout.value(QLatin1String("controllertype")).toString())) {
        QString value = text.size() > maximum ? text.right(qMax(0, maximum)) : text;
        static const QStringList marks{QStringLiteral("0"), QStringLiteral("X"), QStringLiteral("-"),
                                       QStringLiteral("r")};
        if (marks.contains(value))
            value = value.rightJustified(maximum / 2 + 1, QLatin1Char(' '), true)
                        .leftJustified(maximum, QLatin1Char(' '), true);
        ScoreboardItemFiller::setItemValue(item, value);
        if (item.value(QLatin1String("enabled")).toBool()) {
            const bool text5 = m_layout.value(QLatin1String("mode")).toString() == QLatin1String("TEXT5");
            send(text5 ? m_driver->text5Command(item, 1) : m_driver->textCommand(item, 1), ItemPauseMs);
        }
    } else {
        if (clearsBefore(item))
            emitClear(ClearPauseMs);
        const QJsonObject lines = item.value(QLatin1String("lines")).toObject();
        if (lines.value(QLatin1String("split")).toBool()) {
            const QStringList parts = text.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
            const int first = lines.value(QLatin1String("paramforyinit")).toInt();
            const int step = lines.value(QLatin1String("incrementparamfory")).toInt();
            const int most = lines.value(QLatin1String("maximumnumberoflines")).toInt();
            for (int k = 0; k < parts.size() && (most == 0 || k < most); ++k) {
                item.insert(QStringLiteral("y"), first + k * step);
                ScoreboardItemFiller::setItemValue(item, parts.at(k));
                sendItem(item);
            }
        } else {
            ScoreboardItemFiller::setItemValue(item, text);
            sendItem(item);
        }
    }
    if (m_clearAfterResult)
        m_clearTimer->start(m_clearTimeout * 1000);
}

void Scoreboard::onClearTimerTimeout()
{
    clearBoard();
}

void Scoreboard::clearBoard()
{
    emit outputRequested(QStringLiteral("clear"));
    stopPaging();
    if (canSend())
        emitClear(0);
}

void Scoreboard::stepBrightness()
{
    stopPaging();
    if (!m_driver || !hasPort())
        return;
    m_brightness += m_brightnessStep;
    if (m_brightness > m_brightnessMaximum)
        m_brightness = m_brightnessMinimum;
    send(m_driver->brightnessCommand(1, QString::number(m_brightness)), ItemPauseMs);
    emit brightnessUpdated(uint(m_brightness), uint(m_brightnessMaximum));
}

void Scoreboard::setCharacterTransformations(const QList<CharacterTransformation> &transformations)
{
    m_transformer.setTransformations(transformations);
}

// ---- Countdown -----------------------------------------------------------------

bool Scoreboard::isCountdownEnabled() const
{
    const QJsonValue enabled = m_layout.value(QLatin1String("countdown_clock"))
                                   .toObject()
                                   .value(QLatin1String("seconds"))
                                   .toObject()
                                   .value(QLatin1String("enabled"));
    return enabled.toBool() || enabled.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

void Scoreboard::showCountdown()
{
    stopPaging();
    if (!canSend())
        return;
    const QJsonObject clock = m_layout.value(QLatin1String("countdown_clock")).toObject();
    const int alert = clock.value(QLatin1String("alert")).toObject().value(QLatin1String("value")).toInt();
    sendItem(ScoreboardItemFiller::countdownItem(clock, alert, m_countdown->remaining()));
}

bool Scoreboard::isCountdownRunning() const
{
    return m_countdown->isRunning();
}

void Scoreboard::startPauseCountdown(bool manual)
{
    emit outputRequested(QStringLiteral("countdown"));
    m_countdown->startPause(manual, isCountdownEnabled());
}

void Scoreboard::onCountdownClockTimerTimeout()
{
    m_countdown->tick();
}

void Scoreboard::resetCountdown()
{
    if (isCountdownEnabled())
        m_countdown->reset();
}

void Scoreboard::setCountdownValue(int seconds)
{
    emit outputRequested(QStringLiteral("countdown value %1").arg(seconds));
    m_countdown->setValue(unsigned(qMax(0, seconds)));
}
