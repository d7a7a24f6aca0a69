#include "devices/edmperformancewidget.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

EDMPerformanceWidget::EDMPerformanceWidget(QWidget *parent)
    : QWidget(parent)
    , m_lblInfo(new QLabel(this))
{
    setObjectName(QStringLiteral("EDMPerformanceWidget"));
    m_lblInfo->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblInfo);
    retranslate();
}

void EDMPerformanceWidget::reloadEDMState() {}

void EDMPerformanceWidget::retranslate()
{
    m_lblInfo->setText(tr("No distance meter is configured."));
}

void EDMPerformanceWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
