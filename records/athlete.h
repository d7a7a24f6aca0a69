#pragma once

#include <QDate>
#include <QObject>
#include <QString>

// A person taking part. Plain record: no signals.
class Athlete : public QObject
{
public:
    explicit Athlete(QObject *parent = nullptr)
        : QObject(parent)
    {}

    int id = 0;
    QString firstname;
    QString middlename;
    QString lastname;
    QDate birthdate = QDate::currentDate();
    QString gender;
    QString nationality;
};
