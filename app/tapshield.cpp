#include "app/tapshield.h"

#include <QEvent>

TapShield::TapShield(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("wgtTapShield"));
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::NoFocus);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultHoldMs);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
    parent->installEventFilter(this);
    hide();
}

void TapShield::hold()
{
    if (m_timer.interval() <= 0)
        return;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    m_timer.start();
}

bool TapShield::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Wheel:
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

bool TapShield::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
