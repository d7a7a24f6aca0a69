#include "records/result.h"

#include "records/participation.h"
#include "records/resultformatter.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"

Result::Result(LocalDatabase *store, Participation *participation, QObject *parent)
    : QObject(parent)
    , store(store)
    , participation(participation)
{}

void Result::setInfo(const QString &info)
{
    m_info = info;
    m_jumpOff = ResultMarks::isJumpOff(info);
    m_jumpOffNumber = ResultMarks::jumpOffNumber(info);
}

QString Result::text(QChar fieldType) const
{
    if (fieldType.isNull())
        return ResultFormatter::trackResult(value, type);
    return ResultFormatter::fieldResult(value, metavalue, fieldType);
}

void Result::save()
{
    if (!store)
        return;
    if (deleted) {
        if (!isNew)
            store->deleteResult(id);
        return;
    }
    const unsigned participationId = participation ? participation->participation_id : 0;
    const unsigned localId = store->storeResult(participationId, this);
    if (isNew && localId != 0) {
        id = localId;
        isNew = false;
    }
}

void Result::saveBestFlag()
{
    if (store && id != 0)
        store->setResultBestFlag(id, best_result);
}
