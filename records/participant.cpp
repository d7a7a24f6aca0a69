#include "records/participant.h"

Participant::Participant(QObject *parent)
    : QObject(parent)
    , m_competitor(new Competitor(this))
    , m_athlete(new Athlete(this))
    , m_club(new Club(this))
{}
