// A scoreboard layout file, as the program and the virtual scoreboard read
// it from "scoreboardlayouts" (written by whoever sets up the boards). Any
// text reads without a crash; a text that reads as a layout is then put to
// use as the scoreboard does: every item of every section filled for an
// athlete of a horizontal and of a vertical event and for a ranking page,
// turned into bytes by the driver the layout names (the plug-ins of the
// build), and read back by that make's decoder. The board shows each item in
// its box as it was sent, or rejects the command; it never shows another.
#include <QJsonObject>

#include <memory>

#include "devices/boarddecoder.h"
#include "devices/charactertransformer.h"
#include "devices/glowmatrixdecoder.h"
#include "devices/layoutfileloader.h"
#include "devices/scoreboarddriverinterface.h"
#include "devices/scoreboarddriverloader.h"
#include "devices/scoreboarditemfiller.h"
#include "fuzzsupport.h"
#include "records/participant.h"
#include "records/participation.h"
#include "records/result.h"
#include "records/resultmarks.h"

namespace {

const QList<ScoreboardDriverInterface *> &drivers()
{
    static const QList<ScoreboardDriverInterface *> loaded =
        ScoreboardDriverLoader::load(QStringLiteral(STADIONIX_DRIVER_DIR));
    FUZZ_CHECK(loaded.size() == 2, QStringLiteral("the drivers in " STADIONIX_DRIVER_DIR));
    return loaded;
}

// An athlete with a mark of attempt 1 (horizontal) or a clearance at 1.85
// (vertical), ranked second, with letters that the transformations change.
Participation *athlete(QChar fieldType)
{
    auto *p = new Participation;
    p->field_type = fieldType;
    p->initial_order = 3;
    p->current_order = 2;
    p->teamname = QStringLiteral("Belgique (Liège)");
    auto *person = new Participant;
    person->athlete()->firstname = QStringLiteral("Ægle");
    person->athlete()->lastname = QStringLiteral("Hüttlinger-Ståhl");
    person->competitor()->bib = QStringLiteral("102");
    p->addParticipant(person);
    auto *result = new Result(nullptr, p);
    result->seqno = 1;
    result->value = fieldType == QLatin1Char('H') ? 7.45 : ResultMarks::Cleared;
    result->metavalue = fieldType == QLatin1Char('H') ? 0 : 1.85;
    p->addResult(result);
    p->shownAttemptNumber = 1;
    p->shownHeight = 1.85;
    return p;
}

struct Board
{
    ScoreboardDriverInterface *driver = nullptr;
    std::unique_ptr<BoardDecoder> decoder;
    QString controller;
};

// Sends one filled item and reads it back.
void check(const QJsonObject &item, Board &board)
{
    if (!board.driver)
        return;
    const QByteArray bytes = board.driver->textCommand(item, 1);
    const int rejected = board.decoder->rejectedCount();
    const QList<BoardCommand> commands = board.decoder->feed(bytes);
    const QString detail = QString::fromLatin1(bytes.toHex(' '));
    if (commands.isEmpty()) {
        FUZZ_CHECK(board.decoder->rejectedCount() > rejected, detail);
        return;
    }
    FUZZ_CHECK(commands.size() == 1 && commands.first().kind == BoardCommand::Text, detail);
    const BoardItem &shown = commands.first().item;
    const QRect box(item.value(QLatin1String("x")).toInt(), item.value(QLatin1String("y")).toInt(),
                    item.value(QLatin1String("width")).toInt(), item.value(QLatin1String("height")).toInt());
    FUZZ_CHECK(shown.box == box, detail);
    // The text as the driver reads it (a lone surrogate becomes a question
    // mark in UTF-8, a replacement character when the Changhong driver counts
    // characters); a Changhong board has a carriage return as a space and the
    // text fitted to its box: cut or padded with spaces.
    const QString text = ScoreboardItem::text(item);
    if (board.controller == QLatin1String(GlowmatrixDecoder::Controller)) {
        FUZZ_CHECK(shown.text == QString::fromUtf8(text.toUtf8()), detail);
    } else {
        const QList<uint> characters = text.toUcs4();
        const QString sent =
            QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), characters.size());
        FUZZ_CHECK(QString(sent).replace(QLatin1Char('\r'), QLatin1Char(' ')).contains(shown.text.trimmed()), detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    static Participation *const horizontal = athlete(QLatin1Char('H'));
    static Participation *const vertical = athlete(QLatin1Char('V'));
    QJsonObject layout;
    QString error;
    if (!LayoutFileLoader::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                                 QStringLiteral("scoreboardlayout"), &layout, &error))
        return 0;

    Board board;
    board.controller = layout.value(QLatin1String("controllertype")).toString();
    for (ScoreboardDriverInterface *driver : drivers()) {
        if (driver->name() == board.controller) {
            board.driver = driver;
            break;
        }
    }
    board.decoder = BoardDecoder::forController(board.controller);
    // The store's rows, and sources that mean something in a pattern.
    CharacterTransformer transformer;
    transformer.setTransformations({{QStringLiteral("ü"), QStringLiteral("ue"), board.controller},
                                    {QStringLiteral("Æ"), QStringLiteral("AE"), board.controller},
                                    {QStringLiteral("("), QStringLiteral("["), board.controller},
                                    {QStringLiteral("."), QString(), board.controller}});
    transformer.setDriverName(board.controller);
    ScoreboardItemFiller::Context context;
    context.transformer = &transformer;
    context.retiredMark = QStringLiteral("r");
    context.countdownSeconds = 75;

    const auto section = [&](const QString &name, Participation *p, QChar fieldType) {
        context.participation = p;
        context.fieldType = fieldType;
        const QJsonObject items = layout.value(name).toObject();
        for (auto it = items.begin(); it != items.end(); ++it) {
            const QString key = it.key().toLower();
            if (key != QLatin1String("clear"))
                check(ScoreboardItemFiller::fill(key, it.value().toObject(), context), board);
        }
    };
    section(QStringLiteral("horizontal_event_participant"), horizontal, QLatin1Char('H'));
    section(QStringLiteral("horizontal_event_result"), horizontal, QLatin1Char('H'));
    section(QStringLiteral("vertical_event_participant"), vertical, QLatin1Char('V'));
    section(QStringLiteral("vertical_event_result"), vertical, QLatin1Char('V'));
    horizontal->abandon = true;
    section(QStringLiteral("horizontal_event_result"), horizontal, QChar());
    horizontal->abandon = false;

    // A ranking page of both athletes, the second row in the other colour.
    const ScoreboardItemFiller::RankingGeometry geometry = ScoreboardItemFiller::rankingGeometry(layout);
    const QJsonObject ranking = layout.value(QLatin1String("event_ranking")).toObject();
    QJsonObject event = ranking.value(QLatin1String("event")).toObject();
    ScoreboardItemFiller::setItemValue(event, QStringLiteral("Long Jump Women - Final"));
    check(event, board);
    int row = 0;
    for (Participation *p : {horizontal, vertical}) {
        context.participation = p;
        context.fieldType = p->field_type;
        for (auto it = ranking.begin(); it != ranking.end(); ++it) {
            const QString key = it.key().toLower();
            if (key != QLatin1String("clear") && key != QLatin1String("event"))
                check(ScoreboardItemFiller::fillRankingRow(key, it.value().toObject(), row, geometry.linesPerPage,
                                                           geometry.eventHeight, geometry.nameHeight, context),
                      board);
        }
        ++row;
    }

    const QJsonObject clock = layout.value(QLatin1String("countdown_clock")).toObject();
    for (const unsigned seconds : {9u, 75u, 3600u}) {
        context.countdownSeconds = seconds;
        for (const char *key : {"seconds", "seconds_alert"})
            check(ScoreboardItemFiller::fill(QLatin1String(key), clock.value(QLatin1String(key)).toObject(), context),
                  board);
    }

    QJsonObject text = layout.value(QLatin1String("text")).toObject();
    ScoreboardItemFiller::setItemValue(text, QStringLiteral("Wind +1.2\r\nC\rNext: 7.45"));
    check(text, board);
    return 0;
}
