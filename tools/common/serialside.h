#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QObject>
#include <QString>

class QSerialPort;

// The serial side of a stand-in device: a pty (one end of a socat pair, or
// the serial side of the stand-in Wi-Fi bridge) or a serial port, opened by
// its path. What arrives is signalled; without an open port, writes go
// nowhere.
class SerialSide : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~SerialSide() override { close(); }

    // The option "--serial PATH" of a stand-in's program.
    static QCommandLineOption commandLineOption();

    bool open(const QString &path, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_port != nullptr; }
    QString path() const;
    void write(const QByteArray &bytes);

signals:
    void received(QByteArray bytes);

private:
    QSerialPort *m_port = nullptr;
};
