#pragma once

#include <QLabel>
#include <QPointer>

class DatabaseConnection;

// The line a heat screen shows while its heat is neither on the tablet nor
// given by the server yet: it says so, and goes once the heat is there. The
// connection keeps asking for the heat meanwhile.
class HeatWaitingBanner : public QLabel
{
    Q_OBJECT

public:
    explicit HeatWaitingBanner(QWidget *parent = nullptr);

    // Listens to the connection for that heat (and no other); hidden until
    // the connection says the heat waits for the server.
    void follow(DatabaseConnection *connection, unsigned heatId);
    // The heat has come: the banner goes.
    void heatArrived();
    bool isWaiting() const { return m_waiting; }

signals:
    void waitingChanged(bool waiting);

protected:
    void changeEvent(QEvent *event) override;

private:
    void setWaiting(bool waiting);
    void retranslate();

    QPointer<DatabaseConnection> m_connection;
    unsigned m_heatId = 0;
    bool m_waiting = false;
};
