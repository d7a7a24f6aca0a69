#include "devices/devicesdialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/settings.h"

DevicesDialog::DevicesDialog(QWidget *parent)
    : QDialog(parent)
    , m_numberOfBoards(Settings::instance()->value(QStringLiteral("edm"), QStringLiteral("number_boards"), 1).toInt())
    , m_lblInfo(new QLabel(this))
    , m_btnOK(new QPushButton(this))
    , m_btnCancel(new QPushButton(this))
{
    m_lblInfo->setWordWrap(true);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblInfo);
    layout->addLayout(buttons);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void DevicesDialog::retranslate()
{
    setWindowTitle(tr("Devices"));
    m_lblInfo->setText(tr("No devices are configured on this tablet."));
    m_btnOK->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
}

void DevicesDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
