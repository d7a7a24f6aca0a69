#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "records/disqualificationrule.h"
#include "sync/databasesynchronizationinterface.h"

// The server's disqualification rules in four columns: ID, Type, Language, Rule.
class DisqualificationRulesModel : public QAbstractTableModel, public DatabaseSynchronizationInterface
{
    Q_OBJECT

public:
    explicit DisqualificationRulesModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void disqualificationRulesReceived(const QList<QVariantMap> &rules) override;

    const QList<DisqualificationRule> &rules() const { return m_rules; }

private:
    QList<DisqualificationRule> m_rules;
};
