#include "app/stadionix.h"

#include <QFont>

#include "app/interfacesounds.h"
#include "devices/countdownclock.h"
#include "devices/edm.h"
#include "devices/edmmodel.h"
#include "devices/scoreboard.h"
#include "devices/thirdpartyresult.h"
#include "devices/videoscoreboard.h"
#include "devices/windspeed.h"

Stadionix::Stadionix(int &argc, char **argv)
    : SingleApplication(argc, argv)
{
    scoreboard = new Scoreboard;
    videoScoreboard = new VideoScoreboard;
    windspeed = new Windspeed;
    edm = new EDM;
    edmModel = new EDMModel;
    countdownClock = new CountdownClock;
    thirdPartyResult = new ThirdPartyResult;
    edmModel->setEDM(edm);
    m_sounds = new InterfaceSounds;
}

Stadionix::~Stadionix()
{
    delete m_sounds;
    delete thirdPartyResult;
    delete countdownClock;
    delete edmModel;
    delete edm;
    delete windspeed;
    delete videoScoreboard;
    delete scoreboard;
}

Stadionix *Stadionix::instance()
{
    return static_cast<Stadionix *>(QCoreApplication::instance());
}

void Stadionix::applyApplicationFont()
{
    QFont font = QApplication::font();
    font.setPointSize(18);
    QApplication::setFont(font);
}

void Stadionix::playSound(int index)
{
    m_sounds->play(index);
}
