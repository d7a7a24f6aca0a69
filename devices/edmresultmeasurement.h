#pragma once

#include <QObject>
#include <QPointer>

class EDMStore;

// Links an EDM result to a reading it was computed from.
class EDMResultMeasurement : public QObject
{
public:
    explicit EDMResultMeasurement(EDMStore *store = nullptr, QObject *parent = nullptr);

    QPointer<EDMStore> store;
    unsigned id = 0;
    bool isNew = true;
    bool deleted = false;

    unsigned eventResult = 0;
    unsigned measurement = 0;

    void save();
};
