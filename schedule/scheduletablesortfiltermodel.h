#pragma once

#include <QSortFilterProxyModel>
#include <QString>

class HeatEvent;
class RacesModel;

// Orders the schedule by start time and filters it by kind (track or field)
// and by a part of the event name.
class ScheduleTableSortFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ScheduleTableSortFilterModel(QObject *parent = nullptr);

    void setShowTrackEvents(bool show);
    void setShowFieldEvents(bool show);
    bool showTrackEvents() const { return m_showTrackEvents; }
    bool showFieldEvents() const { return m_showFieldEvents; }
    QString searchText() const { return m_searchText; }

    // Neighbouring track heats of the event with this id in the list as it is
    // shown (filters and order applied). The index is in the field-type
    // column; callers use its row. Invalid when there is none.
    QModelIndex previousTrackEvent(const QString &id) const;
    QModelIndex nextTrackEvent(const QString &id) const;

    // The event of a proxy index; nullptr for an invalid index.
    HeatEvent *heatEventAt(const QModelIndex &proxyIndex) const;

public slots:
    void onSearchTextChanged(const QString &search);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &sourceLeft, const QModelIndex &sourceRight) const override;

private:
    int proxyRowOfId(const QString &id) const;
    bool isTrackRow(int proxyRow) const;

    QString m_searchText;
    bool m_showTrackEvents = true;
    bool m_showFieldEvents = true;
};
