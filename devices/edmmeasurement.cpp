#include "devices/edmmeasurement.h"

#include "devices/edmstore.h"

EDMMeasurement::EDMMeasurement(EDMStore *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

void EDMMeasurement::setReading(const EDMReading &reading)
{
    distance = reading.distance;
    verticalAngle = reading.verticalAngle;
    horizontalAngle = reading.horizontalAngle;
    horizontalDistance = reading.horizontalDistance;
}

static QString angleText(double degrees)
{
    return QString::number(degrees, 'f', 3).replace(QLatin1Char('.'), QStringLiteral("°"));
}

QString EDMMeasurement::text() const
{
    return QStringLiteral(" %1 m | %2 | %3 (%4)")
        .arg(QString::number(distance, 'f', 3), angleText(horizontalAngle), angleText(verticalAngle),
             since.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
}

void EDMMeasurement::save()
{
    if (!store)
        return;
    if (deleted) {
        if (id != 0)
            store->deleteMeasurement(id);
        deleteLater();
        return;
    }
    store->storeMeasurement(this);
}
