#pragma once

#include "app/dragscroller.h"

#include <QList>
#include <QModelIndex>
#include <QPoint>
#include <QString>
#include <QVariantMap>
#include <QWidget>

#include "records/heatevent.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class RacesListView;
class RacesModel;
class ScheduleTableSortFilterModel;
class ScheduleTableStyledItemDelegate;

// The start page: the heats of the competition as cards ordered by time, with
// kind filters, a search box, a refresh button and the server-link button.
class ScheduleTableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ScheduleTableWidget(QWidget *parent = nullptr);
    ~ScheduleTableWidget() override;

    // The receiver of the schedule for the server connection.
    RacesModel *racesModel() const { return m_model; }
    // The list as shown: for the previous/next heat look-ups and heatEventAt.
    ScheduleTableSortFilterModel *proxyModel() const { return m_proxy; }
    RacesListView *listView() const { return m_list; }

    // Folder that holds the "sync" file; the program's own folder unless set.
    QString dataFolder() const { return m_dataFolder; }
    void setDataFolder(const QString &folder) { m_dataFolder = folder; }
    QString syncFilePath() const;

signals:
    void scheduleTableDoubleClicked(QList<HeatEvent *> heatEvents);
    void setDatabaseConnectionData(QString database, QVariantMap data);
    void refreshSchedule();

public slots:
    void onScheduleMousePress(QPoint position);
    void onScheduleMouseRelease(QPoint position);
    void onScheduleMouseMove(QPoint position);
    void onBtnDatabaseLinkClicked();
    void onBtnRefreshClicked();
    void onCheckboxTrackEventsStateChanged(int state);
    void onCheckboxFieldEventsStateChanged(int state);
    void onScheduleTableDoubleClicked(const QModelIndex &index);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void retranslateUi();
    void restoreFilters();
    // Writes the chosen settings to the "sync" file; false when it could not.
    bool writeSyncFile(int kind, const QVariantMap &data) const;

    RacesModel *m_model = nullptr;
    ScheduleTableSortFilterModel *m_proxy = nullptr;
    ScheduleTableStyledItemDelegate *m_delegate = nullptr;

    QCheckBox *m_chkTrackEvents = nullptr;
    QCheckBox *m_chkFieldEvents = nullptr;
    QLineEdit *m_txtSearch = nullptr;
    QPushButton *m_btnRefresh = nullptr;
    QPushButton *m_btnDatabaseLink = nullptr;
    RacesListView *m_list = nullptr;

    QString m_dataFolder;
    DragScroller m_dragScroller;
};
