#include "records/disqualificationrulesmodel.h"

DisqualificationRulesModel::DisqualificationRulesModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int DisqualificationRulesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rules.size());
}

int DisqualificationRulesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant DisqualificationRulesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const DisqualificationRule &rule = m_rules.at(index.row());
    switch (index.column()) {
    case 0:
        return rule.id;
    case 1:
        return rule.type;
    case 2:
        return rule.language;
    case 3:
        return rule.rule;
    default:
        return QVariant();
    }
}

QVariant DisqualificationRulesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return tr("ID");
    case 1:
        return tr("Type");
    case 2:
        return tr("Language");
    case 3:
        return tr("Rule");
    default:
        return QVariant();
    }
}

void DisqualificationRulesModel::disqualificationRulesReceived(const QList<QVariantMap> &rules)
{
    beginResetModel();
    m_rules.clear();
    for (const QVariantMap &map : rules) {
        DisqualificationRule rule;
        rule.id = map.value(QStringLiteral("id")).toUInt();
        rule.type = map.value(QStringLiteral("type")).toUInt();
        rule.language = map.value(QStringLiteral("language")).toString();
        rule.rule = map.value(QStringLiteral("rule")).toString();
        m_rules.append(rule);
    }
    endResetModel();
}
