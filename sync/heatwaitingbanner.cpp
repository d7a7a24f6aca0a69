#include "sync/heatwaitingbanner.h"

#include <QEvent>

#include "sync/databaseconnection.h"

HeatWaitingBanner::HeatWaitingBanner(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("lblHeatMessage"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("background-color: rgb(255, 236, 179); padding: 8px;"));
    retranslate();
    hide();
}

void HeatWaitingBanner::follow(DatabaseConnection *connection, unsigned heatId)
{
    if (m_connection)
        disconnect(m_connection, nullptr, this, nullptr);
    m_connection = connection;
    m_heatId = heatId;
    setWaiting(false);
    if (!connection)
        return;
    connect(connection, &DatabaseConnection::heatWaitingForServer, this, [this](unsigned waitingHeat) {
        if (waitingHeat == m_heatId)
            setWaiting(true);
    });
}

void HeatWaitingBanner::heatArrived()
{
    setWaiting(false);
}

void HeatWaitingBanner::setWaiting(bool waiting)
{
    setVisible(waiting);
    if (waiting == m_waiting)
        return;
    m_waiting = waiting;
    emit waitingChanged(waiting);
}

void HeatWaitingBanner::retranslate()
{
    setText(tr("This heat is not on this tablet yet; it loads as soon as the server answers"));
}

void HeatWaitingBanner::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QLabel::changeEvent(event);
}
