#include "devices/standaloneresult.h"

#include "devices/resultframe.h"
#include "records/resultformatter.h"

const QString StandaloneResult::Fail = QStringLiteral("X");
const QString StandaloneResult::Pass = QStringLiteral("0");
const QString StandaloneResult::Skip = QStringLiteral("-");
const QString StandaloneResult::Retired = QStringLiteral("r");
const QString StandaloneResult::NoResult;

QString StandaloneResult::textOfDistance(double metres)
{
    return ResultFormatter::formatDecimal(metres);
}

bool StandaloneResult::isDistance(const QString &text)
{
    return !text.isEmpty() && text != Fail && text != Pass && text != Skip && text != Retired;
}

QByteArray StandaloneResult::udpPayload(const QString &text)
{
    if (!isDistance(text)) {
        // The same eight characters as between the result frame's STX and ETX.
        return ResultFrame::encode(text).mid(1, ResultFrame::Size - 2);
    }
    return QString::number(text.toDouble(), 'f', 2).toLatin1();
}
