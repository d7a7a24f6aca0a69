#include "fieldevents/resortparticipationsdialog.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

ResortParticipationsDialog::ResortParticipationsDialog(int proposedNumber, QWidget *parent)
    : QDialog(parent)
    , m_lblQuestion(new QLabel(this))
    , m_lblExplanation(new QLabel(this))
    , m_lblNumber(new QLabel(this))
    , m_spnNumber(new QSpinBox(this))
    , m_btnCancel(new QPushButton(this))
    , m_btnSelect(new QPushButton(this))
{
    m_lblQuestion->setWordWrap(true);
    m_lblExplanation->setWordWrap(true);
    m_spnNumber->setObjectName(QStringLiteral("spnNumberOfParticipants"));
    m_spnNumber->setRange(0, 999);
    m_spnNumber->setValue(proposedNumber);
    m_spnNumber->setMinimumHeight(48);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnSelect->setObjectName(QStringLiteral("btnSelect"));
    m_btnSelect->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(m_lblNumber, m_spnNumber);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnSelect);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblQuestion);
    layout->addWidget(m_lblExplanation);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnSelect, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
}

int ResortParticipationsDialog::numberOfParticipants() const
{
    return m_spnNumber->value();
}

void ResortParticipationsDialog::retranslate()
{
    setWindowTitle(tr("Resort participants"));
    m_lblQuestion->setText(
        tr("Are you sure you want to change the number of participants and possibly the order for the next attempts?"));
    m_lblExplanation->setText(
        tr("What is the maximum rank of the participants who get the extra attempts? (insert 0 for all)"));
    m_lblNumber->setText(tr("Number of participants"));
    m_btnCancel->setText(tr("Cancel"));
    m_btnSelect->setText(tr("Select"));
}

void ResortParticipationsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
