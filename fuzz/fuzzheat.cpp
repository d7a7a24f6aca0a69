#include "fuzzheat.h"

#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/fieldeventprogress.h"
#include "fieldevents/fieldeventranking.h"
#include "fieldevents/verticalheights.h"
#include "fuzzsupport.h"
#include "records/participation.h"
#include "trackevents/trackparticipantsmodel.h"

void FuzzHeat::use(const QList<Participation *> &heat, QChar fieldType)
{
    for (Participation *p : heat) {
        p->field_type = fieldType;
        p->bestResult();
        p->consecutiveFailures();
        p->isStillCompeting();
        p->orderText();
        p->displayName();
        p->highestJumpOffNumber();
        for (const Result *r : p->results()) {
            p->resultText(r);
            p->attemptString(r->metavalue);
            p->jumpOffMark(r->jumpOffNumber());
        }
        if (fieldType == QLatin1Char('V'))
            FieldEventRanking::verticalKeys(p);
    }

    FieldEventRanking::rankHeat(heat, fieldType);
    FieldEventRanking::byRank(heat);
    FieldEventRanking::isEventFinished(heat, fieldType, 6);
    FieldEventProgress::rankingOrder(heat);

    if (fieldType == QLatin1Char('H')) {
        unsigned attempt = 0;
        FieldEventProgress::nextHorizontal(heat, 6, &attempt);
        if (FieldEventRanking::shouldAskForResort(heat, 6)) {
            QList<Participation *> resorted = heat;
            FieldEventRanking::resort(resorted, 8);
        }
        FieldEventParticipantsModel model({{QStringLiteral("fieldType"), QStringLiteral("H")}});
        model.participationsReceived(QStringLiteral("1"), heat);
        FuzzSupport::readEveryCell(model);
    } else if (fieldType == QLatin1Char('V')) {
        const HeightColumn bar = VerticalHeights::currentFromResults(heat);
        FieldEventProgress::nextVertical(heat, bar);
        FieldEventProgress::verticalStep(heat, true, bar);
        FieldEventParticipantsModel model({{QStringLiteral("fieldType"), QStringLiteral("V")}});
        model.setHeights(VerticalHeights::columnsFromResults(heat));
        model.participationsReceived(QStringLiteral("1"), heat);
        FuzzSupport::readEveryCell(model);
    } else {
        TrackParticipantsModel model;
        model.participationsReceived(QStringLiteral("1"), heat);
        FuzzSupport::readEveryCell(model);
    }
}
