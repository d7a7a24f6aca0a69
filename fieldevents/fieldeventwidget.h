#pragma once

#include <QPointer>
#include <QVariantMap>
#include <QWidget>

#include "app/screendevices.h"
#include "fieldevents/attemptinput.h"
#include "fieldevents/fieldeventoutput.h"
#include "fieldevents/heightcolumn.h"

class AnimatedButton;
class ClickableLabel;
class DatabaseConnection;
class HeatWaitingBanner;
class FieldEventParticipantsModel;
class FieldEventParticipantsSortModel;
class HorizontalFieldEventParticipationViewWithFrozenColumns;
class Participation;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class ResultsModel;
class ResultsSortModel;
class TapShield;

// The judge's screen for one heat of a field event: the attempt grid with
// its buttons (overview page) and the keypad for the current attempt (input
// page). It walks the judge from athlete to athlete; every confirmed mark
// goes through the server connection, which stores, queues, posts and ranks.
class FieldEventWidget : public QWidget
{
    Q_OBJECT

public:
    enum Page { OverviewPage = 0, InputPage = 1 };

    FieldEventWidget(QWidget *parent, const QVariantMap &eventData);
    ~FieldEventWidget() override;

    // Loads the heat through the connection.
    void setDatabaseConnection(DatabaseConnection *connection, const QVariantMap &eventData);
    // The devices the screen reports to (the application's by default).
    void setDevices(const ScreenDevices &devices);
    // After the devices dialog: follow the devices' state again.
    void refreshDeviceState();

    // For the main window and tests.
    FieldEventParticipantsModel *gridModel() const { return m_model; }
    FieldEventParticipantsSortModel *sortModel() const { return m_sortModel; }
    Participation *currentParticipation() const { return m_current; }
    unsigned currentAttempt() const { return m_currentAttempt; }
    HeightColumn currentBar() const { return m_bar; }
    const AttemptInput &input() const { return m_input; }
    int currentPage() const;
    double wind() const { return m_wind; }
    unsigned countdownValue() const;
    // The seconds the countdown digits show: the value set, or the clock's
    // while it counts down.
    unsigned shownCountdown() const { return m_shownCountdown; }
    // Taps are taken (not swallowed after a change of page or order).
    bool acceptsTaps() const;
    TapShield *tapShield() const { return m_tapShield; }
    // Where the result sheet goes when no printer is there; the connection's
    // data folder by default.
    void setPrintFolder(const QString &folder) { m_printFolder = folder; }

public slots:
    void onWindspeedResult(double result);
    void onEDMResult(double result, double resultMeasuredByTape);
    void onCountdownClockValueUpdated(unsigned int value);
    void onSearchTextChanged(const QString &text);
    void onBtnReorderParticipantsClicked();
    void onBtnCallParticipantClicked();
    void onResultsReceived();
    void onResultsTableClicked(const QModelIndex &index);
    void onParticipantsViewClicked(const QModelIndex &index);
    void onParticipantsViewDoubleClicked(const QModelIndex &index);
    void onParticipantsViewPressed(const QModelIndex &index);
    void onParticipantsViewLongPressStarted(const QModelIndex &index, QPoint pos);
    void onParticipantsViewLongPressReleased(const QModelIndex &index, QPoint pos);
    void onParticipantMousePress(QPoint pos);
    void onParticipantMouseRelease(QPoint pos);
    void onParticipantMouseMove(QPoint pos);
    void onParticipantsHeaderSectionClicked(int section);
    void onButton0Clicked() { digit(0); }
    void onButton1Clicked() { digit(1); }
    void onButton2Clicked() { digit(2); }
    void onButton3Clicked() { digit(3); }
    void onButton4Clicked() { digit(4); }
    void onButton5Clicked() { digit(5); }
    void onButton6Clicked() { digit(6); }
    void onButton7Clicked() { digit(7); }
    void onButton8Clicked() { digit(8); }
    void onButton9Clicked() { digit(9); }
    void onButtonCommaClicked();
    void onButtonBackClicked();
    void onButtonPassClicked();
    void onButtonFailClicked();
    void onButtonSkipClicked();
    void onButtonAbanClicked();
    void onButtonParticipantAbandonClicked();
    void onButtonRankingToScoreboardClicked();
    void onButtonSetStartingHeightsClicked();
    void onButtonNewHeightClicked();
    void onButtonPageBackClicked();
    void onButtonCallClicked();
    void onTakeOffBoard1Clicked();
    void onTakeOffBoard2Clicked();
    void onButtonWindClicked();
    void onButtonEDMClicked();
    void onButtonEnterClicked();
    void onButtonEnterLongPressed();
    void onButtonEnterRightClicked();
    void onCountdownMinutesClicked();
    void onCountdownTensClicked();
    void onCountdownSecondsClicked();
    void onParticipantsCellPressed();
    void onParticipantsCellReleased();
    void onButtonPrintClicked();
    void onUpNextClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildOverviewPage(QWidget *page);
    void buildInputPage(QWidget *page);
    AnimatedButton *makeButton(const QString &objectName, const QString &image, QWidget *parent);
    void retranslate();

    bool isVertical() const { return m_fieldType == QLatin1Char('V'); }
    QList<Participation *> heat() const;
    void playSound(int index);
    void stopCountdownTimers();
    void digit(int value);
    void inputChanged();
    void showRefusal(int refusal);
    // The questions before a mark is stored; false when the judge says no.
    bool confirmPlausible();
    bool confirmOverwrite();
    bool askYesNo(const QString &objectName, const QString &title, const QString &text);
    QString athleteText(const Participation *participation) const;
    void updateUpNext();
    void fitFixedColumns();

    // Cells and athletes.
    void selectCell(Participation *participation, int column);
    void selectNextAthlete();
    // The current cell is an attempt or height of an athlete still in the
    // event.
    bool canCallCurrentParticipant() const;
    void callCurrentParticipant();
    void showPage(int page);
    void confirm();
    void keepRefusedEntry();
    void afterResultChecks();
    void resortCheck();
    void runResort(int proposed);
    void jumpOffCheck();
    void endEvent();
    void openStartingHeights();
    bool openNewHeight(const HeightColumn &proposal);
    void startJumpOff();
    void showRankOrder();
    void updateHeightsFromResults();
    // Keeps the height columns and the bar in the store.
    void saveHeights();
    void updateRetireButton();
    void drawCountdown(unsigned value);
    void sendCountdownValue();
    void recalculateFromBoard(int board);

    QVariantMap m_eventData;
    QChar m_fieldType;
    unsigned m_numberOfAttempts = 6;
    QPointer<DatabaseConnection> m_connection;
    ScreenDevices m_devices;
    FieldEventOutput m_output;

    FieldEventParticipantsModel *m_model;
    FieldEventParticipantsSortModel *m_sortModel;
    ResultsModel *m_resultsModel;
    ResultsSortModel *m_resultsSortModel;
    AttemptInput m_input;

    Participation *m_current = nullptr;
    unsigned m_currentAttempt = 0;
    HeightColumn m_bar;
    QList<Participation *> m_upNext;
    QList<unsigned> m_upNextAttempts;
    // The current cell was tapped by the judge, not chosen by the screen.
    bool m_cellChosenByJudge = false;
    QString m_printFolder;
    double m_wind = -9;
    double m_firstHeight;
    // Whether the judge changed the default starting height (until then it
    // follows the starting heights the heat came with).
    bool m_firstHeightChosen = false;
    double m_heightStep;
    bool m_callNext = false;
    bool m_finished = false;
    int m_minutes = 1;
    int m_tens = 0;
    int m_seconds = 0;
    unsigned m_shownCountdown = 0;

    QStackedWidget *m_pages;
    QLabel *m_lblEventName;
    QLineEdit *m_txtSearch;
    HorizontalFieldEventParticipationViewWithFrozenColumns *m_tblParticipants;
    QTableView *m_tblResults;
    QLabel *m_lblParticipant;
    QLabel *m_lblResult;
    QLabel *m_lblWind;
    QLabel *m_lblInputMessage;
    ClickableLabel *m_lblUpNext;
    HeatWaitingBanner *m_lblHeatMessage;
    TapShield *m_tapShield;
    QLabel *m_lblCountdown;
    QList<AnimatedButton *> m_digitButtons;
    AnimatedButton *m_btnComma;
    AnimatedButton *m_btnBack;
    AnimatedButton *m_btnFail;
    AnimatedButton *m_btnPass;
    AnimatedButton *m_btnSkip;
    AnimatedButton *m_btnNoValidTrial;
    AnimatedButton *m_btnEnter;
    AnimatedButton *m_btnWind;
    AnimatedButton *m_btnEDM;
    AnimatedButton *m_btnCall;
    AnimatedButton *m_btnPageBack;
    QPushButton *m_btnTakeOffBoard1;
    QPushButton *m_btnTakeOffBoard2;
    QPushButton *m_btnCountdownMinutes;
    QPushButton *m_btnCountdownTens;
    QPushButton *m_btnCountdownSeconds;
    AnimatedButton *m_btnPrint;
    AnimatedButton *m_btnRelegated;
    AnimatedButton *m_btnRankingToScoreboard;
    AnimatedButton *m_btnSetStartingHeights;
    AnimatedButton *m_btnNewHeight;
    AnimatedButton *m_btnReorderParticipants;
    AnimatedButton *m_btnCallParticipant;
};
