#include "tools/total-station-standin/totalstationstandin.h"

#include <QRandomGenerator>
#include <QTimer>

#include <cmath>
#include <utility>

#include "tools/common/serialside.h"

namespace {

constexpr double MetresPerFoot = 0.3048;

// Six digits of whole units and three of thousandths.
QByteArray lengthField(double metres, TotalStationStandin::DistanceUnit unit)
{
    const double value = unit == TotalStationStandin::DistanceUnit::Feet ? metres / MetresPerFoot : metres;
    const qint64 thousandths = std::llround(value * 1000);
    return QByteArray::number(thousandths / 1000).rightJustified(6, '0') +
           QByteArray::number(thousandths % 1000).rightJustified(3, '0');
}

// Three digits, two and two.
QByteArray angleField(double degrees, TotalStationStandin::AngleUnit unit)
{
    qint64 whole = 0;
    qint64 rest = 0;
    switch (unit) {
    case TotalStationStandin::AngleUnit::DegreesMinutesSeconds: {
        qint64 seconds = std::llround(degrees * 3600);
        seconds %= 360 * 3600;
        whole = seconds / 3600;
        rest = (seconds % 3600) / 60 * 100 + seconds % 60;
        break;
    }
    case TotalStationStandin::AngleUnit::DecimalDegrees: {
        const qint64 tenThousandths = std::llround(degrees * 10000) % (360 * 10000);
        whole = tenThousandths / 10000;
        rest = tenThousandths % 10000;
        break;
    }
    case TotalStationStandin::AngleUnit::Radians: {
        const qint64 tenThousandths = std::llround(degrees * M_PI / 180 * 10000);
        whole = tenThousandths / 10000;
        rest = tenThousandths % 10000;
        break;
    }
    }
    return QByteArray::number(whole).rightJustified(3, '0') + QByteArray::number(rest).rightJustified(4, '0');
}

char angleUnitCharacter(TotalStationStandin::AngleUnit unit)
{
    switch (unit) {
    case TotalStationStandin::AngleUnit::DecimalDegrees:
        return 'g';
    case TotalStationStandin::AngleUnit::Radians:
        return 'm';
    default:
        return 'd';
    }
}

QByteArray randomBytes(int count, const QByteArray &alphabet)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(alphabet.at(QRandomGenerator::global()->bounded(int(alphabet.size()))));
    return bytes;
}

bool parsePoint(const QStringList &words, int first, FieldPoint *point)
{
    bool ok[3] = {false, false, false};
    *point = {words.value(first).toDouble(&ok[0]), words.value(first + 1).toDouble(&ok[1]),
              words.value(first + 2).toDouble(&ok[2])};
    return ok[0] && ok[1] && ok[2];
}

QString pointText(const FieldPoint &point)
{
    return QStringLiteral("%1,%2,%3").arg(point.x).arg(point.y).arg(point.z);
}

} // namespace

TotalStationStandin::TotalStationStandin(QObject *parent)
    : QObject(parent)
    , m_field(TotalStationField::demo())
    , m_serial(new SerialSide(this))
{}

TotalStationStandin::~TotalStationStandin()
{
    closeSerial();
}

QByteArray TotalStationStandin::frame(const TotalStationField::Sight &sight, const Format &format, bool wrongBlockCheck)
{
    const bool slope = format.kind == FrameKind::Slope;
    QByteArray frame;
    frame.append(slope ? '?' : 'R');
    frame.append(lengthField(slope ? sight.slopeDistance : sight.horizontalDistance, format.distanceUnit));
    frame.append(format.distanceUnit == DistanceUnit::Feet ? 'f' : 'm');
    frame.append(angleField(sight.verticalAngle, format.angleUnit));
    frame.append(' ');
    frame.append(angleField(sight.horizontalAngle, format.angleUnit));
    frame.append(angleUnitCharacter(format.angleUnit));
    frame.append(slope ? lengthField(sight.horizontalDistance, format.distanceUnit) : QByteArray(9, '0'));
    frame.append(QByteArray(9, '0'));
    int check = 0;
    for (const char byte : std::as_const(frame))
        check ^= quint8(byte);
    if (wrongBlockCheck)
        check = (check + 1) % 256;
    frame.append(QByteArray::number(check).rightJustified(3, '0'));
    frame.append(" \r\n");
    return frame;
}

QByteArray TotalStationStandin::garbage(int bytes)
{
    if (bytes <= 0)
        return QByteArray();
    // No frame starts in it: no "R" and no "?".
    return randomBytes(bytes - 1, "abcdefghijklmnopqrstuvwxyz0123456789 .,:;") + '\n';
}

QByteArray TotalStationStandin::noise(int bytes)
{
    QByteArray alphabet;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\n')
            alphabet.append(char(byte));
    }
    return randomBytes(bytes, alphabet);
}

bool TotalStationStandin::openSerial(const QString &path, QString *error)
{
    // The program never sends anything to the instrument; whatever comes is dropped.
    return m_serial->open(path, error);
}

void TotalStationStandin::closeSerial()
{
    m_serial->close();
}

void TotalStationStandin::write(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_serial->write(bytes);
    m_bytesSent += bytes.size();
    emit sent(bytes);
}

void TotalStationStandin::send(const QByteArray &bytes)
{
    write(bytes);
}

void TotalStationStandin::sendInPieces(const QByteArray &bytes, int pieces, int pauseMs)
{
    pieces = qBound(1, pieces, int(bytes.size()));
    const qsizetype size = (bytes.size() + pieces - 1) / pieces;
    write(bytes.left(size));
    for (int i = 1; i * size < bytes.size(); ++i)
        QTimer::singleShot(i * pauseMs, this, [this, piece = bytes.mid(i * size, size)] { write(piece); });
}

bool TotalStationStandin::measure(const QString &name, QString *error)
{
    if (!m_field.hasPoint(name)) {
        if (error)
            *error = QStringLiteral("no point %1").arg(name);
        return false;
    }
    const QByteArray bytes =
        garbage(m_garbageBytes) + frame(m_field.sight(name), m_format, std::exchange(m_wrongBlockCheck, false));
    m_garbageBytes = 0;
    ++m_framesSent;
    if (m_splitPieces > 1)
        sendInPieces(bytes, std::exchange(m_splitPieces, 0), m_splitPauseMs);
    else
        send(bytes);
    return true;
}

void TotalStationStandin::repeat(const QString &name, int intervalMs)
{
    delete m_repeat;
    m_repeat = nullptr;
    m_repeatedPoint.clear();
    if (intervalMs <= 0 || !m_field.hasPoint(name))
        return;
    m_repeatedPoint = name;
    m_repeat = new QTimer(this);
    connect(m_repeat, &QTimer::timeout, this, [this] { measure(m_repeatedPoint); });
    m_repeat->start(intervalMs);
}

void TotalStationStandin::splitNext(int pieces, int pauseMs)
{
    m_splitPieces = pieces;
    m_splitPauseMs = pauseMs;
}

void TotalStationStandin::garbageBeforeNext(int bytes)
{
    m_garbageBytes = bytes;
}

void TotalStationStandin::wrongBlockCheckNext()
{
    m_wrongBlockCheck = true;
}

QString TotalStationStandin::status() const
{
    static const char *const angleNames[] = {"dms", "deg", "rad"};
    return QStringLiteral("frame=%1 distances=%2 angles=%3 station=%4 points=%5 frames=%6 bytes=%7 serial=%8 "
                          "repeat=%9")
        .arg(m_format.kind == FrameKind::Slope ? QStringLiteral("?") : QStringLiteral("R"),
             m_format.distanceUnit == DistanceUnit::Feet ? QStringLiteral("f") : QStringLiteral("m"),
             QLatin1String(angleNames[int(m_format.angleUnit)]), pointText(m_field.station()))
        .arg(m_field.pointNames().size())
        .arg(m_framesSent)
        .arg(m_bytesSent)
        .arg(m_serial->path(), m_repeat ? m_repeatedPoint : QStringLiteral("off"));
}

QString TotalStationStandin::command(const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QString();
    const QString verb = words.first().toLower();
    const QString argument = words.value(1);
    const int number = argument.toInt();
    QString error;
    FieldPoint point;
    if (verb == QLatin1String("aim") || verb == QLatin1String("measure")) {
        if (!measure(argument, &error))
            return QStringLiteral("error: ") + error;
    } else if (verb == QLatin1String("at")) {
        if (!parsePoint(words, 1, &point))
            return QStringLiteral("error: at X Y Z");
        m_field.setPoint(QStringLiteral("at"), point);
        measure(QStringLiteral("at"));
    } else if (verb == QLatin1String("glue")) {
        if (!m_field.hasPoint(argument) || !m_field.hasPoint(words.value(2)))
            return QStringLiteral("error: glue NAME NAME");
        m_framesSent += 2;
        send(frameOf(argument) + frameOf(words.value(2)));
    } else if (verb == QLatin1String("split")) {
        splitNext(number, words.size() > 2 ? words.at(2).toInt() : 20);
    } else if (verb == QLatin1String("garbage")) {
        garbageBeforeNext(number);
    } else if (verb == QLatin1String("badcheck")) {
        wrongBlockCheckNext();
    } else if (verb == QLatin1String("noise")) {
        send(noise(number));
    } else if (verb == QLatin1String("repeat")) {
        repeat(argument, words.value(2).toInt());
    } else if (verb == QLatin1String("kind") && (argument == QLatin1String("?") || argument == QLatin1String("R"))) {
        m_format.kind = argument == QLatin1String("?") ? FrameKind::Slope : FrameKind::Horizontal;
    } else if (verb == QLatin1String("distances") &&
               (argument == QLatin1String("m") || argument == QLatin1String("f"))) {
        m_format.distanceUnit = argument == QLatin1String("f") ? DistanceUnit::Feet : DistanceUnit::Metres;
    } else if (verb == QLatin1String("angles") && QStringList{"dms", "deg", "rad"}.contains(argument)) {
        m_format.angleUnit = argument == QLatin1String("deg")   ? AngleUnit::DecimalDegrees
                             : argument == QLatin1String("rad") ? AngleUnit::Radians
                                                                : AngleUnit::DegreesMinutesSeconds;
    } else if (verb == QLatin1String("station")) {
        if (!parsePoint(words, 1, &point))
            return QStringLiteral("error: station X Y Z");
        m_field.setStation(point);
    } else if (verb == QLatin1String("point")) {
        if (argument.isEmpty() || !parsePoint(words, 2, &point))
            return QStringLiteral("error: point NAME X Y Z");
        m_field.setPoint(argument, point);
    } else if (verb == QLatin1String("points")) {
        QStringList list;
        for (const QString &name : m_field.pointNames())
            list << name + QLatin1Char('=') + pointText(m_field.point(name));
        return list.join(QLatin1Char(' '));
    } else if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return QStringLiteral("quitting");
    } else if (verb != QLatin1String("status")) {
        return QStringLiteral("error: unknown command %1 (see README.md)").arg(line.simplified());
    }
    return status();
}
