#include "store/unconfirmedactionsmodel.h"

#include "records/resultformatter.h"

UnconfirmedActionsModel::UnconfirmedActionsModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int UnconfirmedActionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_actions.size());
}

int UnconfirmedActionsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 8;
}

QString UnconfirmedActionsModel::actionName(int action)
{
    switch (action) {
    case 0:
        return tr("insert");
    case 1:
        return tr("update");
    case 2:
        return tr("delete");
    default:
        return QString();
    }
}

QVariant UnconfirmedActionsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return QVariant();
    const QVariantMap &action = m_actions.at(index.row());
    const int code = action.value(QStringLiteral("action")).toInt();
    if (code < 0 || code > 2)
        return QVariant();
    const bool isResult = action.value(QStringLiteral("table_name")).toString() == QLatin1String("results");
    switch (index.column()) {
    case 0:
        return action.value(QStringLiteral("participation_displayname"));
    case 1:
        return action.value(QStringLiteral("participation_bib"));
    case 2:
        return actionName(code);
    case 3:
        return action.value(QStringLiteral("table_name"));
    case 4:
        if (!isResult)
            return action.value(QStringLiteral("initial_order"));
        if (!action.contains(QStringLiteral("value")))
            return QVariant();
        {
            const QString fieldType = action.value(QStringLiteral("field_type")).toString();
            const double value = action.value(QStringLiteral("value")).toDouble();
            if (fieldType.isEmpty())
                return ResultFormatter::trackResult(value, action.value(QStringLiteral("type")).toString());
            return ResultFormatter::fieldResult(value, action.value(QStringLiteral("metavalue")).toDouble(),
                                                fieldType.at(0));
        }
    case 5:
        return isResult ? action.value(QStringLiteral("seqno")) : QVariant();
    case 6:
        return isResult ? action.value(QStringLiteral("metavalue")) : QVariant();
    case 7:
        return isResult ? action.value(QStringLiteral("time_performed")) : QVariant();
    default:
        return QVariant();
    }
}

QVariant UnconfirmedActionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return tr("name");
    case 1:
        return tr("bib");
    case 2:
        return tr("action");
    case 3:
        return tr("table");
    case 4:
        return tr("value");
    case 5:
        return tr("attempt");
    case 6:
        return tr("height");
    case 7:
        return tr("performed");
    default:
        return QVariant();
    }
}

void UnconfirmedActionsModel::setActions(const QList<QVariantMap> &actions)
{
    beginResetModel();
    m_actions = actions;
    endResetModel();
}
