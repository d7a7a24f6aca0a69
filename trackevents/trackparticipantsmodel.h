#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

#include "records/participation.h"
#include "sync/databasesynchronizationinterface.h"

// The participations of one track heat in the order the server connection
// delivered them, one row each. The connection owns the records; a row whose
// record has gone (the connection opened another heat) shows nothing.
class TrackParticipantsModel : public QAbstractTableModel, public DatabaseSynchronizationInterface
{
    Q_OBJECT

public:
    enum Column {
        LocalIdColumn = 0,
        IdColumn,
        LaneColumn,
        BibColumn,
        NameColumn,
        InfoColumn,
        ResultColumn,
        ColumnCount
    };

    explicit TrackParticipantsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void participationsReceived(const QString &heatId, const QList<Participation *> &participations) override;

    Participation *participationAt(int row) const;
    Participation *participationByLocalId(unsigned localId) const;
    QList<Participation *> participations() const;

    // Every participation runs in the lane it was drawn in.
    bool lanesUnchanged() const;
    // Puts every participation back into its drawn lane; the caller tells the
    // server.
    void resetLanes();
    // The lanes that hold more than one athlete (allowed, but worth a look),
    // each with its athletes in row order, lowest lane first.
    QList<QList<Participation *>> sharedLanes() const;
    // Signals every row as changed (after lanes or results were set).
    void refresh();
    void clear();

signals:
    void results_received();

private:
    QList<QPointer<Participation>> m_rows;
};
