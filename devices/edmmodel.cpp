#include "devices/edmmodel.h"

#include <QDateTime>
#include <QScopedValueRollback>

#include <cmath>
#include <limits>
#include <memory>

#include "app/settings.h"
#include "devices/edm.h"
#include "devices/edmgeometry.h"
#include "devices/edmmeasurement.h"
#include "devices/edmofficialinterface.h"
#include "devices/edmresult.h"
#include "devices/edmresultmeasurement.h"
#include "devices/edmstore.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "devices/transport/transportlogging.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"

namespace {

bool isThrow(unsigned eventType)
{
    return eventType == DiscusThrow || eventType == JavelinThrow || eventType == ShotPut || eventType == HammerThrow;
}

} // namespace

EDMModel::EDMModel(QObject *parent)
    : QObject(parent)
{
    setEventType(Settings::instance()->value(QStringLiteral("edm"), QStringLiteral("event_type"), 0).toUInt());
}

EDMModel::~EDMModel()
{
    if (m_waiting && m_official)
        m_official->hideWaiting();
}

double EDMModel::defaultDelta(unsigned eventType)
{
    switch (eventType) {
    case DiscusThrow:
        return 1.25;
    case JavelinThrow:
        return 8.0;
    case ShotPut:
    case HammerThrow:
        return 1.0675;
    default:
        return 0;
    }
}

int EDMModel::numberOfBoards()
{
    return Settings::instance()->value(QStringLiteral("edm"), QStringLiteral("number_boards"), 1).toInt();
}

EDM *EDMModel::edm() const
{
    return m_edm;
}

DatabaseConnection *EDMModel::databaseConnection() const
{
    return m_connection;
}

EDMStore *EDMModel::store() const
{
    return m_store;
}

void EDMModel::setEDM(EDM *edm)
{
    if (m_edm)
        disconnect(m_edm, nullptr, this, nullptr);
    m_edm = edm;
    if (!m_edm)
        return;
    connect(m_edm, &EDM::measurement, this, &EDMModel::onEDMMeasurement);
    connect(m_edm, &EDM::port_opened, this, &EDMModel::port_opened);
}

void EDMModel::setDatabaseConnection(DatabaseConnection *connection)
{
    delete m_store;
    m_connection = connection;
    if (!connection)
        return;
    // It goes with the store whose connection it uses.
    m_store = new EDMStore(connection->store(), connection->store());
    restoreFromStore();
}

void EDMModel::clearTestResults()
{
    qDeleteAll(m_testResults);
    m_testResults.clear();
}

void EDMModel::clearCalibration()
{
    delete m_reference1;
    m_reference1 = nullptr;
    delete m_reference2;
    m_reference2 = nullptr;
    clearTestResults();
    qDeleteAll(m_takeOffBoards);
    m_takeOffBoards.clear();
}

void EDMModel::restoreFromStore()
{
    clearCalibration();
    m_store->purgeOldResults();
    const std::unique_ptr<EDMResult> latest(m_store->latestResult());
    if (latest) {
        setEventType(latest->eventType);
        setDelta(latest->delta);
        for (const EDMResultLink &link : m_store->measurementsOfResult(latest->id)) {
            if (link.type == Reference1Measurement)
                setReference1(m_store->measurement(link.measurementId));
            else if (link.type == Reference2Measurement)
                setReference2(m_store->measurement(link.measurementId));
        }
    } else {
        for (const int type : {int(Reference1Measurement), int(Reference2Measurement)}) {
            QList<EDMMeasurement *> newestFirst = m_store->measurementsOfType(type);
            if (newestFirst.isEmpty())
                continue;
            EDMMeasurement *newest = newestFirst.takeFirst();
            qDeleteAll(newestFirst);
            if (type == Reference1Measurement)
                setReference1(newest);
            else
                setReference2(newest);
        }
    }
    qDeleteAll(m_takeOffBoards);
    m_takeOffBoards = m_store->takeOffBoardMeasurements(this);
    clearTestResults();
    m_testResults = m_store->testResults(m_eventType, this);
    emit calibrationChanged();
}

void EDMModel::setEventType(unsigned type)
{
    if (type == m_eventType)
        return;
    m_eventType = type;
    m_delta = defaultDelta(type);
    delete m_reference1;
    m_reference1 = nullptr;
    delete m_reference2;
    m_reference2 = nullptr;
    clearTestResults();
    if (type == LongOrTripleJump) {
        qDeleteAll(m_takeOffBoards);
        m_takeOffBoards.clear();
    }
    emit calibrationChanged();
}

void EDMModel::setDelta(double delta)
{
    m_delta = delta;
    clearTestResults();
    emit calibrationChanged();
}

void EDMModel::setReference1(EDMMeasurement *measurement)
{
    replaceReference(m_reference1, measurement);
}

void EDMModel::setReference2(EDMMeasurement *measurement)
{
    replaceReference(m_reference2, measurement);
}

void EDMModel::replaceReference(EDMMeasurement *&reference, EDMMeasurement *measurement)
{
    if (measurement != reference)
        delete reference;
    reference = measurement;
    if (measurement)
        measurement->setParent(this);
    clearTestResults();
    emit calibrationChanged();
}

EDMTakeOffBoardMeasurement *EDMModel::takeOffBoardPoint(int board, int seqno) const
{
    for (EDMTakeOffBoardMeasurement *point : m_takeOffBoards) {
        if (point->takeoffBoard == board && point->seqno == seqno && point->measurement())
            return point;
    }
    return nullptr;
}

bool EDMModel::referencesComplete(EDMMeasurementType type) const
{
    const auto board = [this](int number) { return takeOffBoardPoint(number, 1) && takeOffBoardPoint(number, 2); };
    if (isThrow(m_eventType))
        return m_reference1;
    if (m_eventType == PoleVault)
        return type == TestMeasurement && m_reference1;
    if (m_eventType == LongOrTripleJump) {
        switch (numberOfBoards()) {
        case 1:
            return board(1);
        case 2:
            return board(1) && board(2);
        default:
            return m_reference1 && m_reference2;
        }
    }
    return false;
}

void EDMModel::requestMeasurement()
{
    const EDMMeasurementType type = m_pendingType;
    if (type < SingleMeasurement || type > ResultMeasurement)
        return;
    if ((type == TestMeasurement || type == ResultMeasurement) && !referencesComplete(type)) {
        if (m_official)
            m_official->tellMissingReferences();
        else
            qCDebug(lcTransport) << "Missing references";
        return;
    }
    if (!m_edm || m_edm->isRequestPending())
        return;
    m_edm->setRequestPending(true);
    m_waiting = true;
    if (m_official)
        m_official->showWaiting([this] { cancelRequest(); });
}

void EDMModel::cancelRequest()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    if (m_edm)
        m_edm->setRequestPending(false);
}

void EDMModel::endWaiting()
{
    if (m_waiting) {
        m_waiting = false;
        if (m_official)
            m_official->hideWaiting();
    }
    if (m_edm)
        m_edm->setRequestPending(false);
}

void EDMModel::onEDMMeasurement(double distance, double verticalAngle, double horizontalAngle,
                                double horizontalDistance)
{
    // A reading that arrives while the official answers a question about the
    // previous one would be taken inside that question.
    if (m_handlingReading) {
        qCDebug(lcTransport) << "EDM reading ignored while the previous one is handled";
        return;
    }
    const QScopedValueRollback<bool> handling(m_handlingReading, true);
    const EDMMeasurementType type = m_pendingType;
    const EDMReading reading{distance, verticalAngle, horizontalAngle, horizontalDistance};
    // The reading answers the request before any question is asked about it.
    endWaiting();
    switch (type) {
    case Reference1Measurement:
    case Reference2Measurement:
        if (m_store)
            takeReference(type, reading);
        break;
    case TestMeasurement:
    case ResultMeasurement:
        if (m_store)
            takeMark(type, reading);
        break;
    default:
        break;
    }
    emit edmMeasurement(type, distance, verticalAngle, horizontalAngle, horizontalDistance);
}

void EDMModel::takeReference(EDMMeasurementType type, const EDMReading &reading)
{
    auto *measurement = new EDMMeasurement(m_store, this);
    measurement->type = type;
    measurement->setReading(reading);
    measurement->since = QDateTime::currentDateTime();
    measurement->save();
    // The old reference stays in the store.
    EDMMeasurement *&reference = type == Reference1Measurement ? m_reference1 : m_reference2;
    delete reference;
    reference = measurement;
    if (m_eventType == PoleVault && type == Reference1Measurement)
        askCrossbarHeight();
    if (m_eventType == LongOrTripleJump)
        recordTakeOffBoardPoint(m_takeOffBoard, type == Reference1Measurement ? 1 : 2, measurement->id);
    emit calibrationChanged();
}

void EDMModel::askCrossbarHeight()
{
    if (!m_official)
        return;
    const std::optional<QString> text = m_official->askCrossbarHeight(QString::number(1.0, 'f', 3));
    if (!text)
        return;
    bool ok = false;
    const double height = QString(*text).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok && std::isfinite(height))
        setDelta(height);
}

void EDMModel::recordTakeOffBoardPoint(int board, int seqno, unsigned measurementId)
{
    EDMTakeOffBoardMeasurement *point = m_store->findTakeOffBoardMeasurement(board, seqno, this);
    if (!point) {
        point = new EDMTakeOffBoardMeasurement(m_store, this);
        point->takeoffBoard = board;
        point->seqno = seqno;
    }
    point->setMeasurementId(measurementId);
    point->save();
    for (EDMTakeOffBoardMeasurement *held : std::as_const(m_takeOffBoards)) {
        if (held->takeoffBoard == board && held->seqno == seqno) {
            held->id = point->id;
            held->setMeasurementId(measurementId);
            delete point;
            return;
        }
    }
    m_takeOffBoards.append(point);
}

EDMModel::Computed EDMModel::compute(const EDMReading &mark, const EDMMeasurement *a, const EDMMeasurement *b) const
{
    const EDMReading p = EDMGeometry::normalised(mark);
    if (isThrow(m_eventType)) {
        if (!a)
            return {Outcome::MissingReference};
        return {Outcome::Distance, EDMGeometry::planeDistance(p, EDMGeometry::normalised(a->reading())) - m_delta};
    }
    if (m_eventType == PoleVault) {
        if (!a)
            return {Outcome::MissingReference};
        return {Outcome::Distance, EDMGeometry::height(p) - EDMGeometry::height(a->reading()) + m_delta};
    }
    if (m_eventType == LongOrTripleJump) {
        if (!a || !b)
            return {Outcome::MissingReference};
        const std::optional<double> distance = EDMGeometry::distanceToLine(p, EDMGeometry::normalised(a->reading()),
                                                                           EDMGeometry::normalised(b->reading()));
        if (!distance)
            return {Outcome::SamePoint};
        return {Outcome::Distance, *distance};
    }
    return {Outcome::MissingReference};
}

bool EDMModel::usable(const Computed &computed, bool attempt)
{
    if (computed.outcome == Outcome::MissingReference) {
        if (m_official)
            m_official->tellMissingReferences();
        return false;
    }
    EDMOfficialInterface::Refusal refusal;
    if (computed.outcome == Outcome::SamePoint || !std::isfinite(computed.value))
        refusal = EDMOfficialInterface::Refusal::SamePoint;
    else if (attempt && computed.value <= 0)
        refusal = EDMOfficialInterface::Refusal::ImpossibleDistance;
    else
        return true;
    qCDebug(lcTransport) << "EDM distance refused:" << computed.value;
    if (m_official)
        m_official->tellMeasureAgain(refusal, computed.value);
    return false;
}

double EDMModel::tapeDistance()
{
    if (!m_official)
        return EDMResult::NoReference;
    return m_official->askTapeDistance(m_eventType).value_or(EDMResult::NoReference);
}

void EDMModel::takeMark(EDMMeasurementType type, const EDMReading &reading)
{
    const bool test = type == TestMeasurement;
    const EDMMeasurement *a = m_reference1;
    const EDMMeasurement *b = m_reference2;
    if (m_eventType == LongOrTripleJump) {
        const EDMTakeOffBoardMeasurement *point1 = takeOffBoardPoint(m_takeOffBoard, 1);
        const EDMTakeOffBoardMeasurement *point2 = takeOffBoardPoint(m_takeOffBoard, 2);
        a = point1 ? point1->measurement() : nullptr;
        b = point2 ? point2->measurement() : nullptr;
    }
    const Computed computed = compute(reading, a, b);
    if (!usable(computed, !test))
        return;
    const double tape = test ? tapeDistance() : 0;

    const QDateTime now = QDateTime::currentDateTime();
    EDMMeasurement mark(m_store);
    mark.type = type;
    mark.setReading(reading);
    mark.since = now;
    auto *result = new EDMResult(m_store, this);
    result->eventType = m_eventType;
    result->resultType = test ? EDMResult::TestResult : EDMResult::AttemptResult;
    result->calculatedResult = computed.value;
    result->referenceResult = tape;
    result->delta = m_delta;
    result->since = now;
    m_store->beginTransaction();
    mark.save();
    result->save();
    for (const EDMMeasurement *source : {static_cast<const EDMMeasurement *>(&mark), a, b}) {
        if (!source)
            continue;
        EDMResultMeasurement link(m_store);
        link.eventResult = result->id;
        link.measurement = source->id;
        link.save();
    }
    m_store->endTransaction();
    if (test) {
        m_testResults.append(result);
        emit calibrationChanged();
    } else {
        delete result;
    }
    emit edmResult(computed.value, tape);
}

double EDMModel::recalculateResult(int board, double result)
{
    if (!m_store)
        return result;
    const std::unique_ptr<EDMResult> stored(
        m_store->latestResultInWindow(m_eventType, EDMResult::AttemptResult, result - 0.01, result + 0.01));
    if (!stored)
        return result;
    const EDMResultLink *mark = nullptr;
    const EDMResultLink *link1 = nullptr;
    const EDMResultLink *link2 = nullptr;
    const QList<EDMResultLink> links = m_store->measurementsOfResult(stored->id);
    for (const EDMResultLink &link : links) {
        if (link.type == ResultMeasurement)
            mark = &link;
        else if (link.type == Reference1Measurement)
            link1 = &link;
        else if (link.type == Reference2Measurement)
            link2 = &link;
    }
    const EDMTakeOffBoardMeasurement *point1 = takeOffBoardPoint(board, 1);
    const EDMTakeOffBoardMeasurement *point2 = takeOffBoardPoint(board, 2);
    if (!mark || !link1 || !link2 || !point1 || !point2)
        return result;
    const Computed computed = compute(mark->reading, point1->measurement(), point2->measurement());
    if (!usable(computed, true))
        return result;

    m_store->beginTransaction();
    for (const auto &[link, point] : {std::pair{link1, point1}, std::pair{link2, point2}}) {
        EDMResultMeasurement relinked(m_store);
        relinked.id = link->linkId;
        relinked.isNew = false;
        relinked.eventResult = stored->id;
        relinked.measurement = point->measurementId();
        relinked.save();
    }
    stored->calculatedResult = computed.value;
    stored->save();
    m_store->endTransaction();
    return computed.value;
}

void EDMModel::setAcceptUnrequested(bool accept)
{
    if (m_edm)
        m_edm->setAcceptUnrequested(accept);
}

void EDMModel::closeDevice()
{
    if (m_edm)
        m_edm->closePort();
}
