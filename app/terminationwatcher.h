#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT (a system shutdown, a service manager, Ctrl+C)
// into an orderly quit of the event loop, so the devices are closed and the
// single-instance claim is released as when the window is closed.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    // Catches the signals from here on; call first thing in main, before the
    // application object exists. A signal that arrives early waits in a pipe.
    static void installHandlers();

    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

signals:
    void terminationRequested();

private:
    void onSignalled();

    QSocketNotifier *m_notifier = nullptr;
};
