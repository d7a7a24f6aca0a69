#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A pair of connected ptys made by socat, in a fresh temporary folder: what
// is written to one end comes out of the other, as over a null-modem cable.
// A device under test opens one end by its full path (first()); the test
// plays the device on the other (second()). stop() and start() again make a
// device vanish and come back on the same names.
class SocatPair
{
public:
    SocatPair();
    ~SocatPair();

    // Starts socat and waits until both links exist; false (with the reason
    // in error()) when socat is missing or did not make them in time.
    bool start(int timeoutMs = 5000);
    // Ends socat (SIGTERM; SIGKILL if it lingers) and removes the links.
    void stop();
    bool isRunning() const;

    QString first() const { return m_dir.filePath(QStringLiteral("a")); }
    QString second() const { return m_dir.filePath(QStringLiteral("b")); }
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_socat;
    QString m_error;
};
