#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include "devices/edmmeasurementtype.h"

class LocalDatabase;

// One raw reading of the distance meter, kept in the store.
class EDMMeasurement : public QObject
{
public:
    explicit EDMMeasurement(LocalDatabase *store = nullptr, QObject *parent = nullptr);

    LocalDatabase *store = nullptr;
    unsigned id = 0;
    bool isNew = true;
    bool deleted = false;

    int type = NoMeasurement;
    double distance = 0;           // slope distance, m
    double horizontalAngle = 0;    // degrees
    double verticalAngle = 0;      // degrees from the zenith
    double horizontalDistance = 0; // m
    QDateTime since = QDateTime::currentDateTime();

    QString text() const;
    // Inserts, updates or (marked deleted) deletes the row; a deleted record
    // is destroyed afterwards.
    void save();
};
