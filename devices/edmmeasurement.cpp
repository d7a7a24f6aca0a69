#include "devices/edmmeasurement.h"

#include "store/localdatabase.h"

EDMMeasurement::EDMMeasurement(LocalDatabase *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

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
            store->deleteEDMMeasurement(id);
        deleteLater();
        return;
    }
    store->storeEDMMeasurement(this);
}
