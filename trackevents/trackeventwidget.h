#pragma once

#include "app/dragscroller.h"

#include <QList>
#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QVariantList>
#include <QVariantMap>
#include <QWidget>

#include "records/disqualificationrule.h"

class AnimatedButton;
class ButtonColumnDelegate;
class DatabaseConnection;
class HeatWaitingBanner;
class QLabel;
class TrackParticipantsModel;
class TrackParticipantsSortFilterModel;
class TrackTableView;

// The track screen of one heat: the participants in lane order with their
// lanes and special results, lane moves by dragging or from a keypad, DNS, DNF,
// DQ and NR from a dialog, and the previous and next track heat of the
// schedule. Every change goes to the server connection at once.
class TrackEventWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TrackEventWidget(QWidget *parent = nullptr);
    ~TrackEventWidget() override;

    void setDisqualificationRules(const QList<DisqualificationRule> &rules);
    // Opens a heat; eventData holds the heat's values under "event." keys.
    void setEvent(DatabaseConnection *connection, const QVariantMap &eventData);
    // The neighbouring track heats as indexes of the schedule's proxy;
    // invalid indexes disable their buttons.
    void setNavigation(const QModelIndex &previous, const QModelIndex &next);

    // For the main window and tests.
    QVariantMap eventData() const { return m_eventData; }
    TrackParticipantsModel *model() const { return m_model; }
    TrackParticipantsSortFilterModel *proxyModel() const { return m_proxy; }
    TrackTableView *tableView() const { return m_table; }
    ButtonColumnDelegate *buttonDelegate() const { return m_delegate; }

    // The title of a heat from its "event." values.
    static QString eventTitle(const QVariantMap &eventData);

signals:
    void openTrackEvent(QModelIndex index);

public slots:
    void onResultsReceived();
    void onLanesMoved(QVariantList changes);
    void onButtonClicked(QString text, uint localID, uint lane, QString bib, QString name, QString info);
    void onBtnPreviousClicked();
    void onBtnNextClicked();
    void onBtnResetLanesClicked();
    void onParticipantMousePress(QPoint pos);
    void onParticipantMouseRelease(QPoint pos);
    void onParticipantMouseMove(QPoint pos);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void retranslate();
    void updateResetButton();
    void updateLaneWarning();
    void updateNavigationButtons();
    void openNeighbour(const QPersistentModelIndex &neighbour);
    void runLaneDialog(uint localId, uint lane, const QString &bib, const QString &name, const QString &info);
    void runResultDialog(uint localId, uint lane, const QString &bib, const QString &name, const QString &info);

    TrackParticipantsModel *m_model;
    TrackParticipantsSortFilterModel *m_proxy;
    QPointer<DatabaseConnection> m_connection;
    QVariantMap m_eventData;
    // Persistent: the schedule may be refreshed while the heat is open.
    QPersistentModelIndex m_previous;
    QPersistentModelIndex m_next;
    QList<DisqualificationRule> m_rules;
    bool m_lanesUnchanged = true;
    DragScroller m_dragScroller;

    AnimatedButton *m_btnPrevious = nullptr;
    AnimatedButton *m_btnNext = nullptr;
    AnimatedButton *m_btnResetLanes = nullptr;
    QLabel *m_lblEventName = nullptr;
    HeatWaitingBanner *m_lblHeatMessage = nullptr;
    QLabel *m_lblLaneWarning = nullptr;
    TrackTableView *m_table = nullptr;
    ButtonColumnDelegate *m_delegate = nullptr;
};
