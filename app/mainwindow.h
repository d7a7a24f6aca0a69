#pragma once

#include <QList>
#include <QMainWindow>
#include <QModelIndex>
#include <QSize>
#include <QString>
#include <QVariantMap>

#include "records/heatevent.h"

class BurgerMenu;
class ClickableLabel;
class DatabaseConnection;
class DisqualificationRulesModel;

class QAction;
class QTranslator;
class QVBoxLayout;
class ScheduleTableWidget;

// The program's only top-level window: the burger menu, the line with the
// count of results the server has not confirmed, and one page at a time
// (schedule, field event, track heat or the distance meter on its own).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // dataFolder holds the "sync" file: the program's folder unless the
    // environment names another (STADIONIX_DATA_FOLDER, for demonstrations).
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    static QString defaultDataFolder();

    DatabaseConnection *databaseConnection() const { return m_connection; }
    ScheduleTableWidget *scheduleWidget() const { return m_schedule; }
    BurgerMenu *burgerMenu() const { return m_menu; }
    DisqualificationRulesModel *disqualificationRules() const { return m_rules; }
    QString language() const { return m_language; }
    // The page shown now (its object name tells which).
    QWidget *currentPage() const;

    // The event's values with every key prefixed "event.".
    static QVariantMap eventData(const HeatEvent *heatEvent);

public slots:
    void onSetDatabaseConnectionData(QString database, QVariantMap data);
    void onRefreshSchedule();
    void onScheduleTableDoubleClicked(QList<HeatEvent *> heatEventList);
    void onUpdateUnconfirmedActions(uint count);
    void onOpenTrackEvent(QModelIndex index);
    void onBurgerMenuActionClicked(QAction *action);
    void onBurgerMenuExpanded(bool expanded);
    void onBurgerMenuCollapsed();
    void onUnconfirmedActionsClicked();
    void onChangeLanguage(QString language);
    void onChangeNotStored();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void clearPageArea();
    void addPage(QWidget *page);
    void requestSchedule();
    void changeLanguage(const QString &language);
    void warnWhenStoreUnusable();
    void offerNewStore(const QString &detail);
    void showUnconfirmedActions();

    BurgerMenu *m_menu = nullptr;
    ClickableLabel *m_lblUnconfirmedActions = nullptr;
    QWidget *m_pageArea = nullptr;
    QVBoxLayout *m_pageLayout = nullptr;
    DatabaseConnection *m_connection = nullptr;
    ScheduleTableWidget *m_schedule = nullptr;
    DisqualificationRulesModel *m_rules = nullptr;
    QTranslator *m_translator = nullptr;
    QString m_language;
    QSize m_savedSize;
    uint m_unconfirmedActions = 0;
    bool m_changeNotStoredShown = false;
};
