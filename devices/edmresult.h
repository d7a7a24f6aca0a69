#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

class EDMStore;

// A distance computed from EDM readings: an attempt's result (type 1) or a
// test measurement checked against a tape (type 2).
class EDMResult : public QObject
{
public:
    static constexpr double NoReference = -999.999;
    enum ResultType { AttemptResult = 1, TestResult = 2 };

    explicit EDMResult(EDMStore *store = nullptr, QObject *parent = nullptr);

    QPointer<EDMStore> store;
    unsigned id = 0;
    bool isNew = true;
    bool deleted = false;

    unsigned eventType = 0;
    int resultType = AttemptResult;
    double calculatedResult = 0;
    double referenceResult = NoReference;
    double delta = 0;
    QDateTime since = QDateTime::currentDateTime();

    QString text() const;
    void save();
};
