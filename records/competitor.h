#pragma once

#include <QObject>
#include <QString>

// The entry of an athlete in the competition: bib and the name to show.
class Competitor : public QObject
{
public:
    explicit Competitor(QObject *parent = nullptr)
        : QObject(parent)
    {}

    int id = 0;
    QString bib;
    QString displayname;
};
