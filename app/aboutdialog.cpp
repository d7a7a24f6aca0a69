#include "app/aboutdialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "buildinfo.h"

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , m_lblVersion(new QLabel(this))
    , m_txtVersion(new QLineEdit(versionText(), this))
    , m_btnOK(new QPushButton(this))
{
    m_txtVersion->setObjectName(QStringLiteral("txtVersion"));
    m_txtVersion->setReadOnly(true);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setIcon(QIcon(QStringLiteral(":/fatcow/icons/fatcow/accept_button.png")));
    auto *row = new QHBoxLayout;
    row->addWidget(m_lblVersion);
    row->addWidget(m_txtVersion, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_btnOK, 0, Qt::AlignRight);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
}

QString AboutDialog::versionText()
{
    return QStringLiteral("%1 (%2)").arg(QStringLiteral(STADIONIX_VERSION), QStringLiteral(STADIONIX_BUILD_ID));
}

void AboutDialog::retranslate()
{
    setWindowTitle(tr("About"));
    m_lblVersion->setText(tr("Version:"));
    m_btnOK->setText(tr("OK"));
}

void AboutDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
