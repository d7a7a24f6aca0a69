#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QVariantMap>

// The ports a device can be given, as port descriptors (see
// OutputDeviceFactory), in the order they were added and unique by "name".
// Shows each port's name.
class DataPortsListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit DataPortsListModel(QObject *parent = nullptr);

    // False, with nothing changed, when a port of that name is listed.
    bool addPort(const QVariantMap &port);
    // The first row whose "name" is exactly this, or -1.
    int indexOfPort(const QString &name) const;
    // Empty for a row outside the list.
    QVariantMap portAt(int row) const;
    // Replaces the port of the same "name"; nothing when there is none.
    void updatePort(const QVariantMap &port);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<QVariantMap> m_ports;
};
