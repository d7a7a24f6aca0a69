#include "fieldevents/newheightfieldverticaldialog.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

NewHeightFieldVerticalDialog::NewHeightFieldVerticalDialog(QWidget *parent)
    : QDialog(parent)
    , m_lblHeight(new QLabel(this))
    , m_spnHeight(new QDoubleSpinBox(this))
    , m_rdbAccordingHeight(new QRadioButton(this))
    , m_rdbJumpOff(new QRadioButton(this))
    , m_btnCancel(new QPushButton(this))
    , m_btnOK(new QPushButton(this))
{
    m_spnHeight->setObjectName(QStringLiteral("spnHeight"));
    m_spnHeight->setLocale(QLocale::c());
    m_spnHeight->setDecimals(2);
    m_spnHeight->setRange(0, 10);
    m_spnHeight->setSingleStep(0.01);
    m_spnHeight->setSuffix(QStringLiteral("m"));
    m_spnHeight->setValue(1.5);
    m_spnHeight->setMinimumHeight(48);
    m_rdbAccordingHeight->setObjectName(QStringLiteral("rdbAccordingHeight"));
    m_rdbJumpOff->setObjectName(QStringLiteral("rdbJumpOff"));
    m_rdbAccordingHeight->setChecked(true);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);

    auto *heightRow = new QHBoxLayout;
    heightRow->addWidget(m_lblHeight);
    heightRow->addWidget(m_spnHeight, 1);
    auto *kindRow = new QHBoxLayout;
    kindRow->addWidget(m_rdbAccordingHeight);
    kindRow->addWidget(m_rdbJumpOff);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heightRow);
    layout->addLayout(kindRow);
    layout->addLayout(buttons);

    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
}

void NewHeightFieldVerticalDialog::setHeight(double height)
{
    m_spnHeight->setValue(height);
}

double NewHeightFieldVerticalDialog::height() const
{
    return m_spnHeight->value();
}

void NewHeightFieldVerticalDialog::setJumpOff(bool jumpOff)
{
    (jumpOff ? m_rdbJumpOff : m_rdbAccordingHeight)->setChecked(true);
}

bool NewHeightFieldVerticalDialog::isJumpOff() const
{
    return m_rdbJumpOff->isChecked();
}

void NewHeightFieldVerticalDialog::retranslate()
{
    setWindowTitle(tr("New Height"));
    m_lblHeight->setText(tr("New height:"));
    m_rdbAccordingHeight->setText(tr("according height"));
    m_rdbJumpOff->setText(tr("jumpoff"));
    m_btnCancel->setText(tr("Cancel"));
    m_btnOK->setText(tr("OK"));
}

void NewHeightFieldVerticalDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
