#pragma once

#include <QObject>

class LocalDatabase;

// Links an EDM result to a reading it was computed from.
class EDMResultMeasurement : public QObject
{
public:
    explicit EDMResultMeasurement(LocalDatabase *store = nullptr, QObject *parent = nullptr);

    LocalDatabase *store = nullptr;
    unsigned id = 0;
    bool isNew = true;
    bool deleted = false;

    unsigned eventResult = 0;
    unsigned measurement = 0;

    void save();
};
