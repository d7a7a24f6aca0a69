#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal dialogs that the code under test runs with exec(): each
// handler gets the next modal widget that becomes active, in order.
class ModalAnswerer : public QObject
{
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalAnswerer(QList<Handler> handlers)
        : m_handlers(std::move(handlers))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    int answered() const { return m_answered; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || m_handlers.isEmpty())
            return;
        m_last = modal;
        ++m_answered;
        m_handlers.takeFirst()(modal);
    }

    QList<Handler> m_handlers;
    QPointer<QWidget> m_last;
    QTimer m_timer;
    int m_answered = 0;
};
