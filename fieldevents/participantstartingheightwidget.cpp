#include "fieldevents/participantstartingheightwidget.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>

#include "records/participation.h"

ParticipantStartingHeightWidget::ParticipantStartingHeightWidget(Participation *participation, QWidget *parent)
    : QWidget(parent)
    , m_participation(participation)
    , m_lblOrder(new QLabel(QStringLiteral("%1").arg(participation->initial_order), this))
    , m_lblName(new QLabel(participation->displayName(), this))
    , m_lblBib(new QLabel(QStringLiteral("%1").arg(participation->bib()), this))
    , m_spnHeight(new QDoubleSpinBox(this))
{
    m_spnHeight->setObjectName(QStringLiteral("spnStartingHeight"));
    m_spnHeight->setLocale(QLocale::c());
    m_spnHeight->setDecimals(2);
    m_spnHeight->setRange(0, 10);
    m_spnHeight->setSingleStep(0.01);
    m_spnHeight->setSuffix(QStringLiteral(" m"));
    m_spnHeight->setMinimumHeight(44);
    m_spnHeight->setValue(participation->startheight);
    m_lblOrder->setMinimumWidth(40);
    m_lblBib->setMinimumWidth(60);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_lblOrder);
    layout->addWidget(m_lblName, 1);
    layout->addWidget(m_lblBib);
    layout->addWidget(m_spnHeight);

    connect(m_spnHeight, &QDoubleSpinBox::valueChanged, this,
            [this](double value) { m_participation->startheight = value; });
}

void ParticipantStartingHeightWidget::setStartingHeight(double height)
{
    m_spnHeight->setValue(height);
}

double ParticipantStartingHeightWidget::startingHeight() const
{
    return m_spnHeight->value();
}
