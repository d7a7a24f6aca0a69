#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;

// Reads a pty (one end of a socat pair) by its path and hands on whatever
// arrives. A pty that is not there yet, or goes away (the pair ended), is
// opened again by its path once a second.
class PtyReader : public QObject
{
    Q_OBJECT

public:
    explicit PtyReader(const QString &path, QObject *parent = nullptr);
    ~PtyReader() override;

    QString path() const { return m_path; }

signals:
    void received(const QByteArray &bytes);

private:
    void open();
    void close();
    void onReadable();

    QString m_path;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_retry;
};
