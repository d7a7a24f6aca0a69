#pragma once

#include <QObject>
#include <QString>

class Club : public QObject
{
public:
    explicit Club(QObject *parent = nullptr)
        : QObject(parent)
    {}

    int id = 0;
    QString name;
    QString abbreviation;
};
