#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

#include "devices/edmmeasurementtype.h"
#include "devices/edmreading.h"

class EDMStore;

// One raw reading of the distance meter, kept in the store.
class EDMMeasurement : public QObject
{
public:
    explicit EDMMeasurement(EDMStore *store = nullptr, QObject *parent = nullptr);

    QPointer<EDMStore> store;
    unsigned id = 0;
    bool isNew = true;
    bool deleted = false;

    int type = NoMeasurement;
    double distance = 0;           // slope distance, m
    double horizontalAngle = 0;    // degrees
    double verticalAngle = 0;      // degrees from the zenith
    double horizontalDistance = 0; // m
    QDateTime since = QDateTime::currentDateTime();

    EDMReading reading() const { return {distance, verticalAngle, horizontalAngle, horizontalDistance}; }
    void setReading(const EDMReading &reading);

    QString text() const;
    // Inserts, updates or (marked deleted) deletes the row; a deleted record
    // is destroyed afterwards.
    void save();
};
