#include "devices/transport/dataportslistmodel.h"

namespace {
const QString NameKey = QStringLiteral("name");
}

DataPortsListModel::DataPortsListModel(QObject *parent)
    : QAbstractListModel(parent)
{}

bool DataPortsListModel::addPort(const QVariantMap &port)
{
    if (indexOfPort(port.value(NameKey).toString()) >= 0)
        return false;
    const int row = int(m_ports.size());
    beginInsertRows(QModelIndex(), row, row);
    m_ports.append(port);
    endInsertRows();
    return true;
}

int DataPortsListModel::indexOfPort(const QString &name) const
{
    for (int row = 0; row < m_ports.size(); ++row) {
        if (m_ports.at(row).value(NameKey).toString() == name)
            return row;
    }
    return -1;
}

QVariantMap DataPortsListModel::portAt(int row) const
{
    if (row < 0 || row >= m_ports.size())
        return QVariantMap();
    return m_ports.at(row);
}

void DataPortsListModel::updatePort(const QVariantMap &port)
{
    const int row = indexOfPort(port.value(NameKey).toString());
    if (row < 0)
        return;
    m_ports[row] = port;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

int DataPortsListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ports.size());
}

QVariant DataPortsListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_ports.size() || role != Qt::DisplayRole)
        return QVariant();
    return m_ports.at(index.row()).value(NameKey).toString();
}
