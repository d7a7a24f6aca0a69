#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class SerialSide;

// A stand-in for the electronic wind gauge. It takes the program's commands
// (10 bytes: "E" starts a measurement of the seconds in byte 1, "G" asks for
// the result; a CRC-8 in byte 8 and a carriage return), and answers the ask
// command, once the measuring time is over, with 8 bytes: "D", the sign, two
// digits (units and tenths of m/s), three spaces and a carriage return.
// Asked before the measuring time is over, it answers "D" and six spaces (no
// value). Commands with a wrong checksum are ignored.
//
// Its serial side is a pty (one end of a socat pair, or the serial side of
// the stand-in Wi-Fi bridge); what it receives can also be handed to it
// directly and every answer is signalled, so tests can use it in-process.
//
// Answers on demand: the set wind, a blank answer, garbage, or silence.
class WindGaugeStandin : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Wind, Blank, Garbage, Silent };

    explicit WindGaugeStandin(QObject *parent = nullptr);
    ~WindGaugeStandin() override;

    void setWind(double metresPerSecond) { m_wind = metresPerSecond; }
    double wind() const { return m_wind; }
    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

    // The answer to an ask command in the current mode (empty when silent).
    QByteArray answer() const;
    static QByteArray windAnswer(double metresPerSecond);

    bool openSerial(const QString &path, QString *error = nullptr);
    void closeSerial();
    // Bytes as if they came from the serial side.
    void receive(const QByteArray &bytes);

    int starts() const { return m_starts; }
    int asks() const { return m_asks; }
    int rejected() const { return m_rejected; }
    // Seconds of the last start command.
    int measuringSeconds() const { return m_seconds; }

    // One line of the control channel; the answer line. "quit" emits
    // quitRequested().
    QString command(const QString &line);
    QString status() const;

signals:
    void commandReceived(QByteArray command);
    void answered(QByteArray answer);
    void quitRequested();

private:
    void handle(const QByteArray &command);
    void write(const QByteArray &bytes);

    SerialSide *m_serial;
    QByteArray m_buffer;
    double m_wind = 0;
    Mode m_mode = Mode::Wind;
    int m_seconds = 0;
    QElapsedTimer m_measuring;
    int m_starts = 0;
    int m_asks = 0;
    int m_rejected = 0;
};
