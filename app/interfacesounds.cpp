#include "app/interfacesounds.h"

#include <QSoundEffect>
#include <QUrl>

static QSoundEffect *makeEffect(const QString &resource, QObject *parent)
{
    auto *effect = new QSoundEffect(parent);
    effect->setLoopCount(1);
    effect->setSource(QUrl::fromLocalFile(resource));
    return effect;
}

InterfaceSounds::InterfaceSounds(QObject *parent)
    : QObject(parent)
    , m_click(makeEffect(QStringLiteral(":/sounds/click"), this))
    , m_drop(makeEffect(QStringLiteral(":/sounds/drop"), this))
{}

InterfaceSounds::~InterfaceSounds()
{
    m_click->stop();
    m_drop->stop();
    delete m_click;
    delete m_drop;
}

void InterfaceSounds::play(int index)
{
    QSoundEffect *effect = nullptr;
    if (index == Click)
        effect = m_click;
    else if (index == Drop)
        effect = m_drop;
    if (!effect)
        return;
    emit soundRequested(index);
    effect->play();
}
