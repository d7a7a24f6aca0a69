#include "app/stadionix.h"

#include <QFont>

#include "app/interfacesounds.h"
#include "devices/deviceset.h"

Stadionix::Stadionix(int &argc, char **argv)
    : SingleApplication(argc, argv)
{
    m_devices = new DeviceSet;
    m_sounds = new InterfaceSounds;
}

Stadionix::~Stadionix()
{
    delete m_sounds;
    delete m_devices;
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
