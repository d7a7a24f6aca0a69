#pragma once

#include <QObject>

#include "records/athlete.h"
#include "records/club.h"
#include "records/competitor.h"

// One person behind a participation; a team entry has several, ordered by seqno.
class Participant : public QObject
{
public:
    explicit Participant(QObject *parent = nullptr);

    Competitor *competitor() const { return m_competitor; }
    Athlete *athlete() const { return m_athlete; }
    Club *club() const { return m_club; }

    unsigned id = 0;
    unsigned seqno = 0;

private:
    Competitor *m_competitor;
    Athlete *m_athlete;
    Club *m_club;
};
