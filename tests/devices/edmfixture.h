#pragma once

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

#include "answeringofficial.h"
#include "devices/edm.h"
#include "devices/edmmodel.h"
#include "devices/edmreading.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"
#include "tools/total-station-standin/totalstationfield.h"

Q_DECLARE_METATYPE(EDMReading)

// A reading of a point at plane coordinates (x east, y north, z above the
// instrument) seen from a station at the origin, without rounding.
inline EDMReading readingAt(double x, double y, double z = 0)
{
    TotalStationField field;
    const TotalStationField::Sight sight = field.sight(FieldPoint{x, y, z});
    return {sight.slopeDistance, sight.verticalAngle, sight.horizontalAngle, sight.horizontalDistance};
}

// The EDM model as the program has it: bound to an EDM (without a port
// unless the test gives it one), on a real store file in a temporary
// folder, with an official the test answers for. restart() makes the
// program anew on the same store.
class EDMFixture
{
public:
    // storeFile: another store than a file in the temporary folder (an
    // SQLite URI for a store in memory).
    explicit EDMFixture(unsigned eventType = NoEventType, const QString &storeFile = QString())
        : m_storeFile(storeFile.isEmpty() ? folder.filePath("stadionix.db") : storeFile)
    {
        restart();
        model->setEventType(eventType);
    }

    void restart()
    {
        model.reset();
        edm.reset();
        connection.reset();
        connection = std::make_unique<DatabaseConnection>(nullptr, folder.path(), m_storeFile);
        edm = std::make_unique<EDM>();
        model = std::make_unique<EDMModel>();
        model->setEDM(edm.get());
        model->setOfficial(&official);
        model->setDatabaseConnection(connection.get());
    }

    // Asks for a reading of the type (on the given board) and, when the
    // model asked the device for it, delivers it as the device does.
    bool measure(EDMMeasurementType type, const EDMReading &reading, int board = 1)
    {
        model->setPendingMeasurementType(type);
        model->setTakeOffBoard(board);
        model->requestMeasurement();
        if (!edm->isRequestPending())
            return false;
        emit edm->measurement(reading.distance, reading.verticalAngle, reading.horizontalAngle,
                              reading.horizontalDistance);
        return true;
    }

    int rows(const QString &table) const
    {
        QSqlQuery query(connection->store()->database());
        query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table));
        return query.next() ? query.value(0).toInt() : -1;
    }

    QTemporaryDir folder;
    std::unique_ptr<DatabaseConnection> connection;
    std::unique_ptr<EDM> edm;
    std::unique_ptr<EDMModel> model;
    AnsweringOfficial official;

private:
    QString m_storeFile;
};
