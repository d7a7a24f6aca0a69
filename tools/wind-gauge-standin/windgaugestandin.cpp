#include "tools/wind-gauge-standin/windgaugestandin.h"

#include <cmath>

#include "devices/windspeedcommand.h"
#include "tools/common/serialside.h"

namespace {

const char *const ModeNames[] = {"wind", "blank", "garbage", "silent"};

} // namespace

WindGaugeStandin::WindGaugeStandin(QObject *parent)
    : QObject(parent)
    , m_serial(new SerialSide(this))
{
    connect(m_serial, &SerialSide::received, this, &WindGaugeStandin::receive);
}

WindGaugeStandin::~WindGaugeStandin()
{
    closeSerial();
}

QByteArray WindGaugeStandin::windAnswer(double metresPerSecond)
{
    const int tenths = std::min(99, int(std::lround(std::abs(metresPerSecond) * 10)));
    QByteArray answer("D");
    answer.append(metresPerSecond < 0 && tenths > 0 ? '-' : '+');
    answer.append(char('0' + tenths / 10));
    answer.append(char('0' + tenths % 10));
    answer.append("   \r");
    return answer;
}

QByteArray WindGaugeStandin::answer() const
{
    const bool measured = m_seconds == 0 || m_measuring.hasExpired(qint64(m_seconds) * 1000);
    switch (m_mode) {
    case Mode::Silent:
        return QByteArray();
    case Mode::Garbage:
        return QByteArrayLiteral("D*?x\x01\xff \r");
    case Mode::Blank:
        break;
    case Mode::Wind:
        if (measured)
            return windAnswer(m_wind);
        break;
    }
    return QByteArrayLiteral("D      \r");
}

bool WindGaugeStandin::openSerial(const QString &path, QString *error)
{
    return m_serial->open(path, error);
}

void WindGaugeStandin::closeSerial()
{
    m_serial->close();
}

void WindGaugeStandin::write(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_serial->write(bytes);
    emit answered(bytes);
}

void WindGaugeStandin::receive(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    // A command is the 10 bytes up to a carriage return; the checksum byte
    // may itself be a carriage return, so each one is tried as an end.
    for (qsizetype end = m_buffer.indexOf('\r'); end >= 0; end = m_buffer.indexOf('\r', end + 1)) {
        if (end < WindspeedCommand::Size - 1)
            continue;
        const QByteArray command = m_buffer.mid(end - (WindspeedCommand::Size - 1), WindspeedCommand::Size);
        if (!WindspeedCommand::isValid(command))
            continue;
        m_buffer.remove(0, end + 1);
        handle(command);
        end = -1;
    }
    if (m_buffer.size() > 4 * WindspeedCommand::Size)
        m_buffer.remove(0, m_buffer.size() - 4 * WindspeedCommand::Size);
}

void WindGaugeStandin::handle(const QByteArray &command)
{
    emit commandReceived(command);
    if (command.at(0) == 'E') {
        ++m_starts;
        m_seconds = quint8(command.at(1));
        m_measuring.start();
    } else if (command.at(0) == 'G') {
        ++m_asks;
        write(answer());
    } else {
        ++m_rejected;
    }
}

QString WindGaugeStandin::status() const
{
    return QStringLiteral("mode=%1 wind=%2 starts=%3 asks=%4 rejected=%5 serial=%6")
        .arg(QLatin1String(ModeNames[int(m_mode)]), QString::number(m_wind, 'f', 1))
        .arg(m_starts)
        .arg(m_asks)
        .arg(m_rejected)
        .arg(m_serial->path());
}

QString WindGaugeStandin::command(const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QString();
    const QString verb = words.first().toLower();
    if (verb == QLatin1String("wind")) {
        bool ok = false;
        const double wind = words.value(1).toDouble(&ok);
        if (!ok)
            return QStringLiteral("error: wind M/S");
        m_wind = wind;
        m_mode = Mode::Wind;
    } else if (verb == QLatin1String("blank")) {
        m_mode = Mode::Blank;
    } else if (verb == QLatin1String("garbage")) {
        m_mode = Mode::Garbage;
    } else if (verb == QLatin1String("silent")) {
        m_mode = Mode::Silent;
    } else if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return QStringLiteral("quitting");
    } else if (verb != QLatin1String("status")) {
        return QStringLiteral("error: unknown command %1 (wind M/S, blank, garbage, silent, status, quit)").arg(verb);
    }
    return status();
}
