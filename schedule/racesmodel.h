#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariantMap>

#include "sync/databasesynchronizationinterface.h"

class HeatEvent;

// The heat events of the chosen sessions, one row each, in the order in which
// the server first sent them. The schedule's proxy does the ordering by time.
class RacesModel : public QAbstractTableModel, public DatabaseSynchronizationInterface
{
    Q_OBJECT

public:
    enum Column {
        IdColumn = 0,
        NameColumn,
        TimeColumn,
        ParticipantsColumn,
        FieldTypeColumn,
        DateTimeTextColumn,
        StatusColumn,
        ParticipantsCachedColumn,
        DateTimeColumn,
        ColumnCount
    };

    explicit RacesModel(QObject *parent = nullptr);
    ~RacesModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Events stay owned by the model; nullptr outside the list.
    HeatEvent *heatEvent(int row) const;

    // Merges the server's list by id: known ids are updated in place, new ones
    // appended, and events the server no longer lists are removed.
    void heatEventsReceived(const QList<QVariantMap> &heatEvents) override;

private:
    int rowOfId(const QString &id) const;
    bool isRowIndex(const QModelIndex &index) const;

    QStringList m_headers;
    QList<HeatEvent *> m_heatEvents;
};
