#include "meetwisereplyfuzz.h"

#include <QDate>

#include "fuzzheat.h"
#include "fuzzsupport.h"
#include "records/disqualificationrulesmodel.h"
#include "records/participation.h"
#include "schedule/racesmodel.h"
#include "sync/meetwiseinterface.h"
#include "sync/meetwiserestservice.h"

namespace {

// Reads each reply the way the program's own listeners do.
class UsingListener : public MeetwiseInterface
{
public:
    void competitionsReceived(const QList<QVariantMap> &competitions) override
    {
        for (const QVariantMap &competition : competitions)
            competition.value(QStringLiteral("id")).toUInt();
    }
    void disqualificationRulesReceived(const QList<QVariantMap> &rules) override
    {
        DisqualificationRulesModel model;
        model.disqualificationRulesReceived(rules);
        FuzzSupport::readEveryCell(model);
    }
    void eventsReceived(const QList<QVariantMap> &heatEvents, unsigned) override
    {
        // Twice: the second list updates the rows the first one made.
        RacesModel model;
        model.heatEventsReceived(heatEvents);
        model.heatEventsReceived(heatEvents);
        FuzzSupport::readEveryCell(model);
    }
    void participationsReceived(const QList<QVariantMap> &participations, unsigned) override
    {
        for (const QVariantMap &participation : participations)
            participation.value(QStringLiteral("lane")).toUInt();
    }
    void heatResultsReceived(const QList<Participation *> &participations, unsigned) override
    {
        for (const QChar fieldType : {QChar(u'H'), QChar(u'V'), QChar()})
            FuzzHeat::use(participations, fieldType);
        qDeleteAll(participations);
    }
    void participationUpdated(const QVariantMap &reply) override
    {
        reply.value(QStringLiteral("unique")).toUInt();
        reply.value(QStringLiteral("initialorder"), -1).toInt();
        reply.value(QStringLiteral("currentorder"), -1).toInt();
    }
    void resultInserted(const QVariantMap &reply) override { readResultConfirmation(reply); }
    void resultUpdated(const QVariantMap &reply) override { readResultConfirmation(reply); }
    void resultDeleted(const QVariantMap &reply) override { readResultConfirmation(reply); }

private:
    static void readResultConfirmation(const QVariantMap &reply)
    {
        reply.value(QStringLiteral("id")).toUInt();
        reply.value(QStringLiteral("participation")).toUInt();
        reply.value(QStringLiteral("unique")).toUInt();
    }
};

} // namespace

int MeetwiseReplyFuzz::run(const QString &path, const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    // The schedule is read for every session and day, or for those a
    // "sync" file chose; the other replies know no such choice.
    static MeetwiseRESTService *const everything = new MeetwiseRESTService;
    static MeetwiseRESTService *const chosen = [] {
        auto *service = new MeetwiseRESTService;
        service->setSessions({1, 2, 3});
        service->setDates({QDate(2026, 6, 13), QDate(2026, 6, 14)});
        return service;
    }();
    const QByteArray body = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    UsingListener listener;
    for (MeetwiseRESTService *service : {everything, chosen}) {
        service->setListener(&listener);
        service->processReplyBody(path, body);
        service->setListener(nullptr);
        if (!path.startsWith(QLatin1String("/events/")))
            break;
    }
    return 0;
}
