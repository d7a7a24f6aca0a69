#include "sync/checkablelistmodel.h"

#include <QStringList>

int CheckableListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CheckableListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return row.text;
    case Qt::CheckStateRole:
        return row.checked ? Qt::Checked : Qt::Unchecked;
    case Qt::UserRole:
        return row.key;
    default:
        return QVariant();
    }
}

bool CheckableListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    Row &row = m_rows[index.row()];
    if (row.checked != checked) {
        row.checked = checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
    }
    return true;
}

Qt::ItemFlags CheckableListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

QString CheckableListModel::key(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).key : QString();
}

QString CheckableListModel::checkedText() const
{
    QStringList keys;
    for (const Row &row : m_rows) {
        if (row.checked)
            keys.append(row.key);
    }
    return keys.join(QLatin1Char(','));
}

void CheckableListModel::setCheckedText(const QString &text)
{
    QStringList keys;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        keys.append(part.trimmed());
    for (int i = 0; i < m_rows.size(); ++i)
        setData(index(i), keys.contains(m_rows.at(i).key) ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void CheckableListModel::setRows(const QList<Row> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}
