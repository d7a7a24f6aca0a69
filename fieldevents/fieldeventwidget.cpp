#include "fieldevents/fieldeventwidget.h"

#include <QEvent>

#include <cmath>
#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/animatedbutton.h"
#include "app/clickablelabel.h"
#include "app/interfacesounds.h"
#include "app/settings.h"
#include "app/tapshield.h"
#include "devices/countdownclock.h"
#include "devices/edmmeasurementtype.h"
#include "devices/edmmodel.h"
#include "devices/windspeed.h"
#include "devices/windspeedinputdialog.h"
#include "fieldevents/fieldeventparticipantsdelegate.h"
#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldevents/fieldeventprogress.h"
#include "fieldevents/fieldeventoutput.h"
#include "fieldevents/fieldeventranking.h"
#include "fieldevents/fieldeventslogging.h"
#include "fieldevents/horizontalfieldeventparticipationviewwithfrozencolumns.h"
#include "fieldevents/markceilings.h"
#include "fieldevents/newheightfieldverticaldialog.h"
#include "fieldevents/rankingprinter.h"
#include "fieldevents/resortparticipationsdialog.h"
#include "fieldevents/resultsheet.h"
#include "fieldevents/resultsmodel.h"
#include "fieldevents/resultssortmodel.h"
#include "fieldevents/setstartingheightsdialog.h"
#include "fieldevents/verticalheights.h"
#include "records/participation.h"
#include "records/resultformatter.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"
#include "sync/heatwaitingbanner.h"

namespace {

const QString ImageBase = QStringLiteral(":/fieldtablet/icons/fieldtablet/");

QString value(const QVariantMap &map, const char *key)
{
    return map.value(QString::fromLatin1(key)).toString();
}

// The event's kind shows in its name, the age group in the heat's name.
double ceilingOfEvent(const QVariantMap &eventData)
{
    return MarkCeilings::ceilingOfEvent(value(eventData, "event.eventName") + QLatin1Char(' ') +
                                        value(eventData, "event.displayname"));
}

} // namespace

FieldEventWidget::FieldEventWidget(QWidget *parent, const QVariantMap &eventData)
    : QWidget(parent)
    , m_eventData(eventData)
    , m_fieldType(Participation::typeCharacter(value(eventData, "event.fieldType")))
    , m_devices(ScreenDevices::fromApplication())
    , m_input(m_fieldType)
    , m_firstHeight(VerticalHeights::DefaultFirstHeight)
    , m_heightStep(VerticalHeights::DefaultHeightStep)
{
    setObjectName(QStringLiteral("FieldEventWidget"));
    const int attempts = eventData.value(QStringLiteral("event.numberOfAttempts"), 6).toInt();
    m_numberOfAttempts = attempts > 0 ? unsigned(attempts) : 6u;
    // The grid always shows six attempt columns; the heat's own number of
    // attempts decides when the event ends.
    const QVariantMap gridValues{{QStringLiteral("fieldType"), QString(m_fieldType)},
                                 {QStringLiteral("attempts"), 6},
                                 {QStringLiteral("heights"), QVariantList()}};
    m_model = new FieldEventParticipantsModel(gridValues, this);
    m_sortModel = new FieldEventParticipantsSortModel(this);
    m_sortModel->setSourceModel(m_model);
    m_resultsModel = new ResultsModel(gridValues, this);
    m_resultsSortModel = new ResultsSortModel(this);
    m_resultsSortModel->setSourceModel(m_resultsModel);

    const unsigned countdown =
        Settings::instance()->value(QStringLiteral("countdown"), QStringLiteral("value"), 60).toUInt();
    m_minutes = int(std::min(9u, countdown / 60));
    m_tens = int((countdown % 60) / 10);
    m_seconds = int(countdown % 10);

    m_pages = new QStackedWidget(this);
    auto *overview = new QWidget(m_pages);
    auto *inputPage = new QWidget(m_pages);
    buildOverviewPage(overview);
    buildInputPage(inputPage);
    m_pages->addWidget(overview);
    m_pages->addWidget(inputPage);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    m_tapShield = new TapShield(this);
    m_input.setCeiling(ceilingOfEvent(m_eventData));
    m_output.setEventName(value(m_eventData, "event.eventName").trimmed());

    connect(m_model, &FieldEventParticipantsModel::results_received, this, &FieldEventWidget::onResultsReceived);
    connect(m_model, &FieldEventParticipantsModel::columns_updated, m_tblParticipants,
            &HorizontalFieldEventParticipationViewWithFrozenColumns::updateHiddenFrozenColumns);
    connect(m_model, &FieldEventParticipantsModel::columns_updated, this,
            [this] { m_resultsModel->setHeightColumns(m_model->heightColumns()); });
    // Rows that move under a finger take no tap for a moment.
    connect(m_sortModel, &QAbstractItemModel::layoutChanged, this, [this] {
        if (m_pages->currentIndex() == OverviewPage)
            m_tapShield->hold();
    });
    setDevices(m_devices);
    retranslate();
    drawCountdown(countdown);
    inputChanged();
}

FieldEventWidget::~FieldEventWidget() = default;

void FieldEventWidget::setDevices(const ScreenDevices &devices)
{
    if (m_devices.windspeed)
        disconnect(m_devices.windspeed, nullptr, this, nullptr);
    if (m_devices.edmModel)
        disconnect(m_devices.edmModel, nullptr, this, nullptr);
    if (m_devices.countdownClock)
        disconnect(m_devices.countdownClock, nullptr, this, nullptr);
    m_devices = devices;
    m_output.setDevices(devices.scoreboard, devices.videoScoreboard, devices.countdownClock);
    // The clocks start from the attempt time at the first call.
    m_output.rearmCountdowns();
    refreshDeviceState();
}

void FieldEventWidget::refreshDeviceState()
{
    if (m_devices.windspeed)
        connect(m_devices.windspeed, &Windspeed::windspeedResult, this, &FieldEventWidget::onWindspeedResult,
                Qt::UniqueConnection);
    if (m_devices.edmModel)
        connect(m_devices.edmModel, &EDMModel::edmResult, this, &FieldEventWidget::onEDMResult, Qt::UniqueConnection);
    if (m_devices.countdownClock)
        connect(m_devices.countdownClock, &CountdownClock::valueUpdated, this,
                &FieldEventWidget::onCountdownClockValueUpdated, Qt::UniqueConnection);
}

AnimatedButton *FieldEventWidget::makeButton(const QString &objectName, const QString &image, QWidget *parent)
{
    return AnimatedButton::keypadButton(objectName, image, parent);
}

void FieldEventWidget::buildOverviewPage(QWidget *page)
{
    m_lblEventName = new QLabel(page);
    m_lblEventName->setObjectName(QStringLiteral("lblEventName"));
    m_txtSearch = new QLineEdit(page);
    m_txtSearch->setObjectName(QStringLiteral("txtSearch"));
    m_txtSearch->setMinimumHeight(40);
    m_txtSearch->setClearButtonEnabled(true);
    m_lblHeatMessage = new HeatWaitingBanner(page);
    m_tblParticipants = new HorizontalFieldEventParticipationViewWithFrozenColumns(page);
    m_tblParticipants->setObjectName(QStringLiteral("tblParticipantsView"));
    m_tblParticipants->setModel(m_sortModel);
    m_tblParticipants->setItemDelegate(new FieldEventParticipantsDelegate(m_tblParticipants));
    m_tblParticipants->verticalHeader()->hide();
    m_tblParticipants->setSelectionMode(QAbstractItemView::NoSelection);
    // Finger-sized rows, the same in the frozen part.
    m_tblParticipants->verticalHeader()->setDefaultSectionSize(52);
    m_tblParticipants->frozenView()->verticalHeader()->setDefaultSectionSize(52);
    m_tblParticipants->horizontalHeader()->setSectionsClickable(true);

    m_btnPrint = makeButton(QStringLiteral("btnPrint"), QStringLiteral("buttonprint_9"), page);
    m_btnRelegated = makeButton(QStringLiteral("btnRelegated"), QStringLiteral("buttonrelegated"), page);
    m_btnRankingToScoreboard =
        makeButton(QStringLiteral("btnRankingToScoreboard"), QStringLiteral("buttonscoreboard_9"), page);
    m_btnSetStartingHeights =
        makeButton(QStringLiteral("btnSetStartingHeights"), QStringLiteral("buttonheight_9"), page);
    m_btnNewHeight = makeButton(QStringLiteral("btnNewHeight"), QStringLiteral("buttonnewheight_9"), page);
    m_btnReorderParticipants =
        makeButton(QStringLiteral("btnReorderParticipants"), QStringLiteral("buttonresort_9"), page);
    m_btnCallParticipant = makeButton(QStringLiteral("btnCallParticipant"), QStringLiteral("buttonnext_9"), page);
    m_btnSetStartingHeights->setVisible(isVertical());
    m_btnNewHeight->setVisible(isVertical());
    m_btnReorderParticipants->setVisible(!isVertical());

    auto *top = new QHBoxLayout;
    top->addWidget(m_lblEventName, 1);
    top->addWidget(m_txtSearch, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button :
         {static_cast<QPushButton *>(m_btnPrint), static_cast<QPushButton *>(m_btnRelegated),
          static_cast<QPushButton *>(m_btnRankingToScoreboard), static_cast<QPushButton *>(m_btnSetStartingHeights),
          static_cast<QPushButton *>(m_btnNewHeight), static_cast<QPushButton *>(m_btnReorderParticipants)})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(m_btnCallParticipant);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(m_lblHeatMessage);
    layout->addWidget(m_tblParticipants, 1);
    layout->addLayout(buttons);

    connect(m_txtSearch, &QLineEdit::textChanged, this, &FieldEventWidget::onSearchTextChanged);
    connect(m_tblParticipants, &QAbstractItemView::clicked, this, &FieldEventWidget::onParticipantsViewClicked);
    connect(m_tblParticipants, &QAbstractItemView::doubleClicked, this,
            &FieldEventWidget::onParticipantsViewDoubleClicked);
    connect(m_tblParticipants, &QAbstractItemView::pressed, this, &FieldEventWidget::onParticipantsViewPressed);
    connect(m_tblParticipants, &HorizontalFieldEventParticipationViewWithFrozenColumns::longPressStarted, this,
            &FieldEventWidget::onParticipantsViewLongPressStarted);
    connect(m_tblParticipants, &HorizontalFieldEventParticipationViewWithFrozenColumns::longPressReleased, this,
            &FieldEventWidget::onParticipantsViewLongPressReleased);
    connect(m_tblParticipants, &HorizontalFieldEventParticipationViewWithFrozenColumns::mousePress, this,
            &FieldEventWidget::onParticipantMousePress);
    connect(m_tblParticipants, &HorizontalFieldEventParticipationViewWithFrozenColumns::mouseRelease, this,
            &FieldEventWidget::onParticipantMouseRelease);
    connect(m_tblParticipants, &HorizontalFieldEventParticipationViewWithFrozenColumns::mouseMove, this,
            &FieldEventWidget::onParticipantMouseMove);
    connect(m_tblParticipants->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FieldEventWidget::onParticipantsHeaderSectionClicked);
    connect(m_btnPrint, &QPushButton::clicked, this, &FieldEventWidget::onButtonPrintClicked);
    connect(m_btnRelegated, &QPushButton::clicked, this, &FieldEventWidget::onButtonParticipantAbandonClicked);
    connect(m_btnRankingToScoreboard, &QPushButton::clicked, this,
            &FieldEventWidget::onButtonRankingToScoreboardClicked);
    connect(m_btnSetStartingHeights, &QPushButton::clicked, this, &FieldEventWidget::onButtonSetStartingHeightsClicked);
    connect(m_btnNewHeight, &QPushButton::clicked, this, &FieldEventWidget::onButtonNewHeightClicked);
    connect(m_btnReorderParticipants, &QPushButton::clicked, this, &FieldEventWidget::onBtnReorderParticipantsClicked);
    connect(m_btnCallParticipant, &QPushButton::clicked, this, &FieldEventWidget::onBtnCallParticipantClicked);
}

void FieldEventWidget::buildInputPage(QWidget *page)
{
    m_lblParticipant = new QLabel(page);
    m_lblParticipant->setObjectName(QStringLiteral("lblParticipant"));
    QFont big = m_lblParticipant->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_lblParticipant->setFont(big);
    m_tblResults = new QTableView(page);
    m_tblResults->setObjectName(QStringLiteral("tblResults"));
    m_tblResults->setModel(m_resultsSortModel);
    m_tblResults->verticalHeader()->hide();
    m_tblResults->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tblResults->setMaximumHeight(100);
    m_tblResults->setSelectionMode(QAbstractItemView::NoSelection);
    m_lblResult = new QLabel(page);
    m_lblResult->setObjectName(QStringLiteral("lblResult"));
    m_lblResult->setAlignment(Qt::AlignCenter);
    QFont huge = m_lblResult->font();
    huge.setPointSizeF(huge.pointSizeF() * 2.5);
    huge.setBold(true);
    m_lblResult->setFont(huge);
    m_lblResult->setMinimumHeight(80);
    m_lblWind = new QLabel(page);
    m_lblWind->setObjectName(QStringLiteral("lblWind"));
    m_lblInputMessage = new QLabel(page);
    m_lblInputMessage->setObjectName(QStringLiteral("lblInputMessage"));
    m_lblInputMessage->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    m_lblInputMessage->setWordWrap(true);
    m_lblUpNext = new ClickableLabel(page);
    m_lblUpNext->setObjectName(QStringLiteral("lblUpNext"));
    m_lblUpNext->setMinimumHeight(44);
    m_lblUpNext->setStyleSheet(
        QStringLiteral("background-color: rgb(0, 92, 157); color: white; padding: 4px 10px; border-radius: 4px;"));

    auto *keypad = new QGridLayout;
    for (int digit = 0; digit <= 9; ++digit) {
        AnimatedButton *key =
            makeButton(QStringLiteral("btnButton%1").arg(digit), QStringLiteral("button%1").arg(digit), page);
        key->setIconSize(QSize(72, 72));
        m_digitButtons.append(key);
        connect(key, &QPushButton::clicked, this, [this, digit] { this->digit(digit); });
        if (digit == 0)
            keypad->addWidget(key, 3, 1);
        else
            keypad->addWidget(key, (9 - digit) / 3, (digit - 1) % 3);
    }
    m_btnComma = makeButton(QStringLiteral("btnButtonComma"), QStringLiteral("buttondot_9"), page);
    m_btnBack = makeButton(QStringLiteral("btnButtonBack"), QStringLiteral("buttonbackspace_9"), page);
    keypad->addWidget(m_btnComma, 3, 0);
    keypad->addWidget(m_btnBack, 3, 2);

    m_btnFail = makeButton(QStringLiteral("btnFail"), QStringLiteral("buttonfail_9"), page);
    m_btnPass = makeButton(QStringLiteral("btnPass"), QStringLiteral("buttonpass_9"), page);
    m_btnSkip = makeButton(QStringLiteral("btnSkip"), QStringLiteral("buttonskip_9"), page);
    m_btnNoValidTrial = makeButton(QStringLiteral("btnNoValidTrial"), QStringLiteral("buttonrelegated"), page);
    m_btnEnter = makeButton(QStringLiteral("btnEnter"), QStringLiteral("buttonenter_9"), page);
    m_btnEnter->setIcons(QIcon(ImageBase + QStringLiteral("buttonenter_9.png")),
                         QIcon(ImageBase + QStringLiteral("buttonenter_9_active.png")),
                         QIcon(ImageBase + QStringLiteral("buttonnext_9_active.png")));
    m_btnWind = makeButton(QStringLiteral("btnWind"), QStringLiteral("buttonwind_9"), page);
    m_btnEDM = makeButton(QStringLiteral("btnEDM"), QStringLiteral("buttonedm_9"), page);
    m_btnCall = makeButton(QStringLiteral("btnCall"), QStringLiteral("buttoncall_9"), page);
    m_btnPageBack = makeButton(QStringLiteral("btnPageBack"), QStringLiteral("buttonback_9"), page);
    m_btnTakeOffBoard1 = new QPushButton(QStringLiteral("1"), page);
    m_btnTakeOffBoard1->setObjectName(QStringLiteral("btnTakeOffBoard1"));
    m_btnTakeOffBoard2 = new QPushButton(QStringLiteral("2"), page);
    m_btnTakeOffBoard2->setObjectName(QStringLiteral("btnTakeOffBoard2"));
    m_btnPass->setVisible(isVertical());
    m_btnComma->setVisible(!isVertical());
    const bool windMode = value(m_eventData, "event.windMode") == QLatin1String("I");
    m_btnWind->setVisible(windMode && !isVertical());
    m_lblWind->setVisible(windMode && !isVertical());
    m_btnEDM->setVisible(!isVertical());
    m_btnTakeOffBoard1->setVisible(!isVertical());
    m_btnTakeOffBoard2->setVisible(!isVertical());

    const auto countdownButton = [page](const QString &name) {
        auto *button = new QPushButton(page);
        button->setObjectName(name);
        button->setFlat(true);
        button->setIconSize(QSize(36, 60));
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_btnCountdownMinutes = countdownButton(QStringLiteral("btnCountdownMinutes"));
    m_btnCountdownTens = countdownButton(QStringLiteral("btnCountdownTens"));
    m_btnCountdownSeconds = countdownButton(QStringLiteral("btnCountdownSeconds"));
    m_lblCountdown = new QLabel(page);
    m_lblCountdown->setPixmap(QPixmap(ImageBase + QStringLiteral("colon_digit_9.png")).scaled(24, 60));
    auto *countdown = new QHBoxLayout;
    countdown->setSpacing(0);
    countdown->addWidget(m_btnCountdownMinutes);
    countdown->addWidget(m_lblCountdown);
    countdown->addWidget(m_btnCountdownTens);
    countdown->addWidget(m_btnCountdownSeconds);
    countdown->addStretch();

    auto *marks = new QGridLayout;
    marks->addWidget(m_btnFail, 0, 0);
    marks->addWidget(m_btnSkip, 0, 1);
    marks->addWidget(m_btnPass, 1, 0);
    marks->addWidget(m_btnNoValidTrial, 1, 1);
    marks->addWidget(m_btnWind, 2, 0);
    marks->addWidget(m_btnEDM, 2, 1);
    marks->addWidget(m_btnTakeOffBoard1, 3, 0);
    marks->addWidget(m_btnTakeOffBoard2, 3, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(keypad);
    middle->addLayout(marks);
    auto *side = new QVBoxLayout;
    side->addWidget(m_btnEnter);
    side->addWidget(m_btnCall);
    side->addStretch();
    side->addWidget(m_btnPageBack);
    middle->addLayout(side);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_lblParticipant);
    layout->addWidget(m_lblUpNext);
    layout->addWidget(m_tblResults);
    auto *resultRow = new QHBoxLayout;
    resultRow->addWidget(m_lblResult, 1);
    resultRow->addWidget(m_lblInputMessage, 1);
    resultRow->addWidget(m_lblWind);
    layout->addLayout(resultRow);
    layout->addLayout(middle, 1);
    layout->addLayout(countdown);

    connect(m_tblResults, &QAbstractItemView::clicked, this, &FieldEventWidget::onResultsTableClicked);
    connect(m_lblUpNext, &ClickableLabel::clicked, this, &FieldEventWidget::onUpNextClicked);
    connect(m_btnComma, &QPushButton::clicked, this, &FieldEventWidget::onButtonCommaClicked);
    connect(m_btnBack, &QPushButton::clicked, this, &FieldEventWidget::onButtonBackClicked);
    connect(m_btnFail, &QPushButton::clicked, this, &FieldEventWidget::onButtonFailClicked);
    connect(m_btnPass, &QPushButton::clicked, this, &FieldEventWidget::onButtonPassClicked);
    connect(m_btnSkip, &QPushButton::clicked, this, &FieldEventWidget::onButtonSkipClicked);
    connect(m_btnNoValidTrial, &QPushButton::clicked, this, &FieldEventWidget::onButtonAbanClicked);
    connect(m_btnEnter, &QPushButton::clicked, this, &FieldEventWidget::onButtonEnterClicked);
    connect(m_btnEnter, &AnimatedButton::longpressed, this, &FieldEventWidget::onButtonEnterLongPressed);
    connect(m_btnEnter, &AnimatedButton::rightclicked, this, &FieldEventWidget::onButtonEnterRightClicked);
    connect(m_btnWind, &QPushButton::clicked, this, &FieldEventWidget::onButtonWindClicked);
    connect(m_btnEDM, &QPushButton::clicked, this, &FieldEventWidget::onButtonEDMClicked);
    connect(m_btnCall, &QPushButton::clicked, this, &FieldEventWidget::onButtonCallClicked);
    connect(m_btnPageBack, &QPushButton::clicked, this, &FieldEventWidget::onButtonPageBackClicked);
    connect(m_btnTakeOffBoard1, &QPushButton::clicked, this, &FieldEventWidget::onTakeOffBoard1Clicked);
    connect(m_btnTakeOffBoard2, &QPushButton::clicked, this, &FieldEventWidget::onTakeOffBoard2Clicked);
    connect(m_btnCountdownMinutes, &QPushButton::clicked, this, &FieldEventWidget::onCountdownMinutesClicked);
    connect(m_btnCountdownTens, &QPushButton::clicked, this, &FieldEventWidget::onCountdownTensClicked);
    connect(m_btnCountdownSeconds, &QPushButton::clicked, this, &FieldEventWidget::onCountdownSecondsClicked);
}

void FieldEventWidget::retranslate()
{
    setWindowTitle(tr("Field event"));
    m_lblEventName->setText(FieldEventProgress::eventTitle(m_eventData));
    m_txtSearch->setPlaceholderText(tr("Search participant..."));
    m_btnPrint->setToolTip(tr("Print the current ranking"));
    m_btnRankingToScoreboard->setToolTip(tr("Send ranking to scoreboard"));
    m_btnSetStartingHeights->setToolTip(tr("Adjust the starting heights of each participant"));
    m_btnNewHeight->setToolTip(tr("Set a new starting height"));
    m_btnReorderParticipants->setToolTip(tr("Resort participants"));
    m_btnCallParticipant->setToolTip(tr("Call selected participant"));
    m_btnEDM->setToolTip(tr("Request an EDM measurement"));
    m_btnFail->setToolTip(tr("Set attempt to fail"));
    m_btnSkip->setToolTip(tr("Set attempt to skip"));
    m_btnPass->setToolTip(tr("Set attempt to pass"));
    m_btnNoValidTrial->setToolTip(tr("Set participant to retired from competition"));
    m_btnEnter->setToolTip(tr("Confirm the result"));
    m_btnWind->setToolTip(tr("Request a wind measurement"));
    m_btnCall->setToolTip(tr("Call a participant"));
    m_btnTakeOffBoard1->setToolTip(tr("Select take-off board 1 as the reference for the attempt."));
    m_btnTakeOffBoard2->setToolTip(tr("Select take-off board 2 as the reference for the attempt."));
    for (int digit = 0; digit < m_digitButtons.size(); ++digit)
        m_digitButtons.at(digit)->setToolTip(tr("Add %1 to result").arg(digit));
    m_model->retranslate();
    updateRetireButton();
    onWindspeedResult(m_wind);
    updateUpNext();
    showRefusal(int(m_input.refusal()));
    // Headers of another length: the fixed columns are fitted again, so
    // that they neither cut their headers nor cover the attempts.
    fitFixedColumns();
}

void FieldEventWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

// ---- Loading ------------------------------------------------------------------

void FieldEventWidget::setDatabaseConnection(DatabaseConnection *connection, const QVariantMap &eventData)
{
    m_connection = connection;
    m_eventData = eventData;
    m_input.setCeiling(ceilingOfEvent(m_eventData));
    m_output.setEventName(value(m_eventData, "event.eventName").trimmed());
    m_lblEventName->setText(FieldEventProgress::eventTitle(m_eventData));
    m_lblHeatMessage->follow(connection, eventData.value(QStringLiteral("event.id")).toUInt());
    if (m_connection)
        m_connection->loadHeat(eventData, m_model);
}

QList<Participation *> FieldEventWidget::heat() const
{
    return m_connection ? m_connection->participations() : m_model->participations();
}

int FieldEventWidget::currentPage() const
{
    return m_pages->currentIndex();
}

void FieldEventWidget::fitFixedColumns()
{
    const QFontMetrics metrics(m_tblParticipants->horizontalHeader()->font());
    for (int column = 0; column < FieldEventParticipantsModel::FirstAttemptColumn; ++column)
        m_tblParticipants->setColumnWidth(column, m_model->minimumColumnWidth(column, metrics));
}

void FieldEventWidget::onResultsReceived()
{
    m_lblHeatMessage->heatArrived();
    fitFixedColumns();
    m_tblParticipants->horizontalHeader()->setStretchLastSection(true);
    if (!isVertical()) {
        resortCheck();
        selectNextAthlete();
        return;
    }
    updateHeightsFromResults();
    jumpOffCheck();
}

void FieldEventWidget::updateHeightsFromResults()
{
    const QList<Participation *> list = heat();
    // The heights the judge set stay, jumped or not; the bar is the one set
    // last unless results have gone beyond it (from another device).
    HeightColumn setBar;
    const HeightColumns set = m_connection ? m_connection->heatHeights(&setBar) : HeightColumns();
    const HeightColumns columns = VerticalHeights::merged(VerticalHeights::columnsFromResults(list), set);
    m_model->setHeights(columns);
    m_resultsModel->setHeightColumns(columns);
    m_bar = VerticalHeights::currentFromResults(list);
    if (setBar.height > 0)
        m_bar = VerticalHeights::later(m_bar, setBar);
    if (!m_firstHeightChosen && VerticalHeights::lowestStartingHeight(list) > 0)
        m_firstHeight = VerticalHeights::lowestStartingHeight(list);
}

void FieldEventWidget::saveHeights()
{
    if (m_connection)
        m_connection->setHeatHeights(m_model->heightColumns(), m_bar);
}

// ---- Sounds and keys --------------------------------------------------------------

void FieldEventWidget::playSound(int index)
{
    if (m_devices.sounds)
        m_devices.sounds->play(index);
}

void FieldEventWidget::stopCountdownTimers()
{
    // The attempt clock stops as soon as the judge starts entering.
    m_output.stopCountdowns();
}

void FieldEventWidget::inputChanged()
{
    m_lblResult->setText(m_input.text());
    m_resultsModel->setInputText(m_input.text());
    const bool digits = m_input.areDigitsEnabled();
    for (int digit = 0; digit < m_digitButtons.size(); ++digit)
        m_digitButtons.at(digit)->setEnabled(isVertical() ? digit == 0 && digits : true);
    m_btnComma->setEnabled(m_input.isCommaEnabled());
    m_btnFail->setEnabled(!isVertical() || m_input.acceptsMoreTries());
    m_btnSkip->setEnabled(!isVertical() || m_input.acceptsMoreTries());
    m_btnPass->setEnabled(!isVertical() || m_input.acceptsMoreTries());
    showRefusal(int(m_input.refusal()));
}

void FieldEventWidget::showRefusal(int refusal)
{
    using Refusal = AttemptInput::Refusal;
    QString text;
    switch (Refusal(refusal)) {
    case Refusal::None:
        break;
    case Refusal::TooManyDigits:
        text = tr("At most three digits before the decimal point");
        break;
    case Refusal::TooManyDecimals:
        text = tr("At most two decimals");
        break;
    case Refusal::SecondSeparator:
        text = tr("The mark already has a decimal point");
        break;
    case Refusal::NotAMark:
        text = tr("0 is no mark");
        break;
    case Refusal::OnlyClearance:
        text = tr("At a height only 0 (cleared), X and - are entered");
        break;
    case Refusal::TriesComplete:
        text = tr("The tries at this height are complete");
        break;
    }
    m_lblInputMessage->setText(text);
}

void FieldEventWidget::digit(int value)
{
    stopCountdownTimers();
    m_input.pressDigit(value);
    inputChanged();
    playSound(InterfaceSounds::Click);
}

void FieldEventWidget::onButtonCommaClicked()
{
    stopCountdownTimers();
    m_input.pressComma();
    inputChanged();
    playSound(InterfaceSounds::Click);
}

void FieldEventWidget::onButtonBackClicked()
{
    stopCountdownTimers();
    m_input.pressBack();
    inputChanged();
    playSound(InterfaceSounds::Click);
}

void FieldEventWidget::onButtonPassClicked()
{
    stopCountdownTimers();
    m_input.pressPass();
    inputChanged();
    playSound(InterfaceSounds::Drop);
}

void FieldEventWidget::onButtonFailClicked()
{
    stopCountdownTimers();
    m_input.pressFail();
    inputChanged();
    playSound(InterfaceSounds::Drop);
}

void FieldEventWidget::onButtonSkipClicked()
{
    stopCountdownTimers();
    m_input.pressSkip();
    inputChanged();
    playSound(InterfaceSounds::Drop);
}

void FieldEventWidget::onButtonAbanClicked()
{
    // Horizontal: "r", the athlete retired in this attempt. A vertical
    // attempt string has no such mark: the athlete is retired as a whole.
    if (isVertical()) {
        onButtonParticipantAbandonClicked();
        return;
    }
    stopCountdownTimers();
    m_input.pressRetired();
    inputChanged();
    playSound(InterfaceSounds::Drop);
}

void FieldEventWidget::keyPressEvent(QKeyEvent *event)
{
    // Keys typed on a keyboard go the keypad's way, refusals and their
    // reasons included.
    if (m_pages->currentIndex() == InputPage) {
        const QString text = event->text();
        if (text.size() == 1 && text.at(0).isDigit() && text.at(0).digitValue() >= 0) {
            digit(text.at(0).digitValue());
            return;
        }
        if (text == QLatin1String(",") || text == QLatin1String(".")) {
            onButtonCommaClicked();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

// ---- Cells, athletes and pages -------------------------------------------------------

void FieldEventWidget::selectCell(Participation *participation, int column)
{
    m_current = participation;
    if (!participation) {
        m_model->clearCurrentCell();
        m_input.clear();
        inputChanged();
        return;
    }
    if (!isVertical()) {
        m_currentAttempt = unsigned(FieldEventParticipantsModel::attemptOfColumn(column));
        participation->shownAttemptNumber = m_currentAttempt;
        m_input.load(participation->resultTextOfAttempt(m_currentAttempt));
        const Result *result = participation->resultOfAttempt(m_currentAttempt);
        m_wind = result ? result->wind : -9;
        m_resultsModel->selectAttempt(int(m_currentAttempt));
    } else {
        HeightColumn bar;
        if (m_model->heightAtColumn(column, &bar))
            m_bar = bar;
        participation->shownHeight = m_bar.height;
        participation->shownJumpOffNumber = m_bar.jumpOff;
        const QString stored =
            m_bar.isJumpOff() ? participation->jumpOffMark(m_bar.jumpOff) : participation->attemptString(m_bar.height);
        m_input.load(stored, int(participation->consecutiveFailures()));
        const QString text = m_input.text();
        participation->shownAttemptNumber =
            text.contains(QLatin1Char('0')) || text.contains(QLatin1Char('-')) || text == QLatin1String("r")
                ? 0u
                : unsigned(m_input.failuresTyped() + 1);
        m_resultsModel->selectHeight(m_bar.height, m_bar.jumpOff);
    }
    m_resultsModel->setParticipation(participation);
    m_model->setCurrentCell(m_model->rowOfParticipation(participation->id) >= 0
                                ? m_model->rowOfParticipation(participation->id)
                                : int(m_model->participations().indexOf(participation)),
                            column);
    m_lblParticipant->setText(QStringLiteral("%1  %2").arg(participation->bib(), participation->displayName()));
    onWindspeedResult(m_wind);
    updateRetireButton();
    inputChanged();
    updateUpNext();
    const QModelIndex source = m_model->index(m_model->currentRow(), column);
    const int before = m_tblParticipants->verticalScrollBar()->value();
    static_cast<QAbstractItemView *>(m_tblParticipants)->scrollTo(m_sortModel->mapFromSource(source));
    // The screen scrolled the list under the judge's finger.
    if (m_tblParticipants->verticalScrollBar()->value() != before && m_pages->currentIndex() == OverviewPage)
        m_tapShield->hold();
}

void FieldEventWidget::selectNextAthlete()
{
    const QList<Participation *> list = heat();
    m_cellChosenByJudge = false;
    if (!isVertical()) {
        unsigned attempt = 0;
        Participation *next = FieldEventProgress::nextHorizontal(list, m_numberOfAttempts, &attempt);
        selectCell(next, FieldEventParticipantsModel::columnOfAttempt(int(attempt)));
    } else {
        // Never a finished bar when another one is planned.
        m_bar = VerticalHeights::currentBar(list, m_bar, m_model->heightColumns());
        Participation *next = m_bar.height > 0 ? FieldEventProgress::nextVertical(list, m_bar) : nullptr;
        m_model->refresh();
        const int column = m_model->indexOfHeight(m_bar.height, m_bar.jumpOff);
        selectCell(column >= 0 ? next : nullptr, column);
    }
    if (m_callNext && m_current)
        callCurrentParticipant();
}

void FieldEventWidget::showPage(int page)
{
    if (page == m_pages->currentIndex())
        return;
    m_pages->setCurrentIndex(page);
    m_tapShield->hold();
}

bool FieldEventWidget::acceptsTaps() const
{
    return !m_tapShield->isHolding();
}

QString FieldEventWidget::athleteText(const Participation *participation) const
{
    if (!participation)
        return QString();
    return QStringLiteral("%1 %2").arg(participation->bib(), participation->displayName()).trimmed();
}

void FieldEventWidget::updateUpNext()
{
    m_upNext.clear();
    m_upNextAttempts.clear();
    if (m_current && !m_finished) {
        const QList<FieldEventProgress::Turn> turns =
            isVertical()
                ? FieldEventProgress::upNextVertical(heat(), m_bar, m_current, 2)
                : FieldEventProgress::upNextHorizontal(heat(), m_numberOfAttempts, m_current, m_currentAttempt, 2);
        for (const FieldEventProgress::Turn &turn : turns) {
            m_upNext.append(turn.participation);
            m_upNextAttempts.append(turn.attempt);
        }
    }
    QString text;
    if (m_upNext.size() >= 2)
        text = tr("Next: %1 · then %2").arg(athleteText(m_upNext.at(0)), athleteText(m_upNext.at(1)));
    else if (m_upNext.size() == 1)
        text = tr("Next: %1").arg(athleteText(m_upNext.at(0)));
    m_lblUpNext->setText(text);
    m_lblUpNext->setVisible(!text.isEmpty());
}

// One tap on the line: what was typed for the athlete now up is confirmed
// as with Enter, and the athlete shown as next is called.
void FieldEventWidget::onUpNextClicked()
{
    if (m_upNext.isEmpty() || !m_current)
        return;
    if (m_input.isChanged()) {
        onButtonEnterRightClicked();
        return;
    }
    Participation *next = m_upNext.first();
    if (!heat().contains(next))
        return;
    playSound(InterfaceSounds::Drop);
    if (isVertical())
        selectCell(next, m_model->indexOfHeight(m_bar.height, m_bar.jumpOff));
    else
        selectCell(next, FieldEventParticipantsModel::columnOfAttempt(int(m_upNextAttempts.first())));
    callCurrentParticipant();
}

bool FieldEventWidget::canCallCurrentParticipant() const
{
    return m_current && m_model->currentColumn() >= FieldEventParticipantsModel::FirstAttemptColumn &&
           !m_current->abandon && !m_current->out_of_competition_combined_event;
}

void FieldEventWidget::callCurrentParticipant()
{
    if (!canCallCurrentParticipant())
        return;
    if (m_connection)
        m_connection->reportNextParticipation(m_current);
    showPage(InputPage);
}

void FieldEventWidget::onBtnCallParticipantClicked()
{
    // The screen's own choice at a bar everyone is done with: the call goes
    // to the next height, which the judge sets first.
    if (isVertical() && m_current && !m_cellChosenByJudge && !m_bar.isJumpOff() &&
        VerticalHeights::isHeightCompleted(heat(), m_bar.height)) {
        playSound(InterfaceSounds::Drop);
        if (!openNewHeight(VerticalHeights::proposeNextHeight(heat(), m_bar, m_heightStep, m_model->heightColumns())))
            return;
        selectNextAthlete();
    }
    // A refused call stays silent: the sound tells the judge the athlete is up.
    if (!canCallCurrentParticipant())
        return;
    playSound(InterfaceSounds::Drop);
    callCurrentParticipant();
}

void FieldEventWidget::onButtonPageBackClicked()
{
    playSound(InterfaceSounds::Drop);
    showPage(OverviewPage);
    afterResultChecks();
}

void FieldEventWidget::onSearchTextChanged(const QString &text)
{
    m_sortModel->setSearchText(text);
}

void FieldEventWidget::onParticipantsViewClicked(const QModelIndex &index)
{
    const QModelIndex source = m_sortModel->mapToSource(index);
    if (!source.isValid() || source.column() < FieldEventParticipantsModel::FirstAttemptColumn)
        return;
    selectCell(m_model->participationAt(source.row()), source.column());
    m_cellChosenByJudge = true;
}

void FieldEventWidget::onParticipantsViewDoubleClicked(const QModelIndex &index)
{
    onParticipantsViewClicked(index);
    onBtnCallParticipantClicked();
}

void FieldEventWidget::onParticipantsViewPressed(const QModelIndex &index)
{
    Q_UNUSED(index)
}

void FieldEventWidget::onParticipantsViewLongPressStarted(const QModelIndex &index, QPoint pos)
{
    Q_UNUSED(index)
    Q_UNUSED(pos)
}

void FieldEventWidget::onParticipantsViewLongPressReleased(const QModelIndex &index, QPoint pos)
{
    Q_UNUSED(pos)
    // Resting a finger on a name and lifting it calls that athlete's next
    // attempt.
    const QModelIndex source = m_sortModel->mapToSource(index);
    Participation *p = source.isValid() ? m_model->participationAt(source.row()) : nullptr;
    if (!p || isVertical())
        return;
    for (unsigned attempt = 1; attempt <= 6; ++attempt) {
        if (p->resultTextOfAttempt(attempt).isEmpty()) {
            selectCell(p, FieldEventParticipantsModel::columnOfAttempt(int(attempt)));
            m_cellChosenByJudge = true;
            return;
        }
    }
}

void FieldEventWidget::onParticipantMousePress(QPoint pos)
{
    Q_UNUSED(pos)
}

void FieldEventWidget::onParticipantMouseRelease(QPoint pos)
{
    Q_UNUSED(pos)
}

void FieldEventWidget::onParticipantMouseMove(QPoint pos)
{
    Q_UNUSED(pos)
}

void FieldEventWidget::onParticipantsCellPressed() {}

void FieldEventWidget::onParticipantsCellReleased() {}

void FieldEventWidget::onResultsTableClicked(const QModelIndex &index)
{
    if (!m_current || !index.isValid())
        return;
    const QModelIndex source = m_resultsSortModel->mapToSource(index);
    if (!isVertical())
        selectCell(m_current, FieldEventParticipantsModel::columnOfAttempt(source.column() + 1));
    else
        selectCell(m_current, FieldEventParticipantsModel::FirstAttemptColumn + source.column());
    m_cellChosenByJudge = true;
}

// ---- Enter -----------------------------------------------------------------------------

void FieldEventWidget::onButtonEnterClicked()
{
    playSound(InterfaceSounds::Drop);
    stopCountdownTimers();
    confirm();
}

void FieldEventWidget::onButtonEnterLongPressed()
{
    m_callNext = true;
}

void FieldEventWidget::onButtonEnterRightClicked()
{
    m_callNext = true;
    onButtonEnterClicked();
}

void FieldEventWidget::confirm()
{
    Participation *p = m_current;
    if (!p || !m_connection) {
        m_callNext = false;
        return;
    }
    if (!isVertical()) {
        if (!m_input.isConfirmable()) {
            // "0" or "0." is not a mark: the entry stays for the judge to finish.
            m_callNext = false;
            showRefusal(int(AttemptInput::Refusal::NotAMark));
            return;
        }
        if (!confirmPlausible() || !confirmOverwrite()) {
            m_callNext = false;
            return;
        }
        const double mark = m_input.value();
        const bool windMode = value(m_eventData, "event.windMode") == QLatin1String("I");
        bool windEntered = false;
        if (m_input.isDistance() && windMode && (m_wind == -9 || !m_input.isChanged())) {
            WindspeedInputDialog dialog(this);
            if (const QScreen *screen = window()->screen()) {
                const QRect area = screen->geometry();
                dialog.adjustSize();
                dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
            }
            if (dialog.exec() == QDialog::Accepted) {
                m_wind = dialog.windspeed();
                windEntered = true;
            }
            onWindspeedResult(m_wind);
        }
        // A wind typed for a stored mark becomes that attempt's wind.
        const Result *stored = p->resultOfAttempt(m_currentAttempt);
        const bool windOfStoredMark = windEntered && !m_input.isChanged() && stored;
        if (m_input.isChanged() || windOfStoredMark) {
            // The stored mark keeps its full value when only the wind changes.
            const double newMark = windOfStoredMark ? stored->value : mark;
            m_connection->setFieldResult(p, m_currentAttempt, newMark, m_wind == -9 ? 0 : m_wind, 0);
            m_model->refresh();
            if (!m_connection->lastChangeStored())
                return keepRefusedEntry();
            m_output.resultEntered(p, m_fieldType);
        }
    } else {
        if (!confirmOverwrite()) {
            m_callNext = false;
            return;
        }
        if (m_input.isChanged()) {
            m_connection->applyAttemptString(p, m_bar.height, m_input.text(), m_bar.jumpOff);
            if (!m_connection->lastChangeStored())
                return keepRefusedEntry();
            m_output.resultEntered(p, m_fieldType);
        }
        m_model->refresh();
    }
    // The attempt is over: the next call starts from the full time.
    m_output.rearmCountdowns();
    if (!m_callNext)
        showPage(OverviewPage);
    afterResultChecks();
    m_callNext = false;
}

// A mark far above what anyone has reached in the event is a slip of the
// finger until the judge says otherwise.
bool FieldEventWidget::confirmPlausible()
{
    if (!m_input.isChanged() || !m_input.isAboveCeiling())
        return true;
    return askYesNo(QStringLiteral("msgImplausibleMark"), tr("Are you sure?"),
                    tr("Are you sure? %1 m for %2 is more than anyone has reached in this event (above %3 m).")
                        .arg(ResultFormatter::formatDecimal(m_input.value()), athleteText(m_current),
                             QString::number(m_input.ceiling(), 'f', 2)));
}

// A stored mark is changed only when the judge confirms it, with the athlete
// and both marks in view: a tap may have hit the wrong row. More tries at the
// same height are no change.
bool FieldEventWidget::confirmOverwrite()
{
    const QString stored = m_input.storedText();
    const QString typed = m_input.isDistance() ? ResultFormatter::formatDecimal(m_input.value()) : m_input.text();
    if (!m_input.isChanged() || stored.isEmpty())
        return true;
    if (isVertical() && m_input.text().startsWith(stored))
        return true;
    const QString where = isVertical() ? tr("at %1 m").arg(QString::number(m_bar.height, 'f', 2))
                                       : tr("in attempt %1").arg(m_currentAttempt);
    const QString question =
        typed.isEmpty()
            ? tr("%1 already has %2 %3.\nRemove it?").arg(athleteText(m_current), stored, where)
            : tr("%1 already has %2 %3.\nReplace it with %4?").arg(athleteText(m_current), stored, where, typed);
    return askYesNo(QStringLiteral("msgOverwriteMark"), tr("Change a stored mark"), question);
}

// A question that a hurried Enter must not answer: No is the default.
bool FieldEventWidget::askYesNo(const QString &objectName, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(objectName);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setObjectName(QStringLiteral("btnYes"));
    box.button(QMessageBox::No)->setObjectName(QStringLiteral("btnNo"));
    return box.exec() == QMessageBox::Yes;
}

// The store refused the entry: the grid shows what it holds, and the typed
// entry stays where it is, for Enter to be pressed again.
void FieldEventWidget::keepRefusedEntry()
{
    m_callNext = false;
    m_model->refresh();
    inputChanged();
}

// ---- Checks after a result -------------------------------------------------------------

void FieldEventWidget::afterResultChecks()
{
    if (!isVertical()) {
        resortCheck();
        selectNextAthlete();
    } else {
        jumpOffCheck();
    }
}

void FieldEventWidget::resortCheck()
{
    const QList<Participation *> list = heat();
    if (list.isEmpty())
        return;
    if (FieldEventRanking::isEventFinished(list, m_fieldType, m_numberOfAttempts)) {
        qCDebug(lcFieldEvents) << "event is finished";
        showRankOrder();
        return;
    }
    if (FieldEventRanking::shouldAskForResort(list, m_numberOfAttempts))
        runResort(8);
}

void FieldEventWidget::runResort(int proposed)
{
    ResortParticipationsDialog dialog(proposed, this);
    if (dialog.exec() != QDialog::Accepted || !m_connection)
        return;
    m_connection->resortParticipations(unsigned(dialog.numberOfParticipants()));
    m_model->refresh();
    m_sortModel->setOrderMode(FieldEventParticipantsSortModel::StartOrder);
}

void FieldEventWidget::onBtnReorderParticipantsClicked()
{
    playSound(InterfaceSounds::Drop);
    runResort(8);
    selectNextAthlete();
}

void FieldEventWidget::showRankOrder()
{
    m_sortModel->setOrderMode(FieldEventParticipantsSortModel::Ranking);
}

void FieldEventWidget::endEvent()
{
    m_finished = true;
    showRankOrder();
    selectCell(nullptr, -1);
    QMessageBox::information(this, tr("Event finished"), tr("The event has ended"));
}

void FieldEventWidget::jumpOffCheck()
{
    const QList<Participation *> list = heat();
    using Step = FieldEventProgress::VerticalStep;
    switch (FieldEventProgress::verticalStep(list, !m_model->heightColumns().isEmpty(), m_bar)) {
    case Step::OpenStartingHeights:
        openStartingHeights();
        return;
    case Step::EndJumpOffDone:
    case Step::EndSingleLeader:
    case Step::EndDecided:
        endEvent();
        return;
    case Step::AskForJumpOff:
        if (QMessageBox::question(this, tr("Start jumpoff"),
                                  tr("Should we start a jumpoff competition to break the tie for the first place?"),
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
            startJumpOff();
        } else {
            qCDebug(lcFieldEvents) << "event is finished, user doesn't want a jumpoff";
            endEvent();
        }
        return;
    case Step::NewHeightThenNext:
        openNewHeight(VerticalHeights::proposeNextHeight(list, m_bar, m_heightStep, m_model->heightColumns()));
        selectNextAthlete();
        return;
    case Step::Next:
        selectNextAthlete();
        return;
    }
}

void FieldEventWidget::startJumpOff()
{
    const QList<Participation *> list = heat();
    double greatest = 0;
    for (Participation *p : list)
        greatest = std::max(greatest, p->bestHeight());
    NewHeightFieldVerticalDialog dialog(this);
    dialog.setHeight(greatest + m_heightStep);
    dialog.setJumpOff(true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The leaders and the first jump-off bar are stored together.
    LocalDatabase *store = m_connection ? m_connection->store() : nullptr;
    if (store)
        store->beginTransaction();
    for (Participation *p : list) {
        if (p->current_order == 1) {
            p->in_jumpoff = true;
            p->out_of_competition = false;
            p->save();
        }
    }
    m_model->addJumpOffHeight(dialog.height());
    m_bar = m_model->heightColumns().last();
    saveHeights();
    if (store)
        store->endTransaction();
    selectNextAthlete();
}

bool FieldEventWidget::openNewHeight(const HeightColumn &proposal)
{
    NewHeightFieldVerticalDialog dialog(this);
    dialog.setHeight(proposal.height);
    dialog.setJumpOff(proposal.isJumpOff());
    const double ceiling = ceilingOfEvent(m_eventData);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (!(ceiling > 0) || dialog.height() <= ceiling)
            break;
        if (askYesNo(QStringLiteral("msgImplausibleMark"), tr("Are you sure?"),
                     tr("Are you sure? A bar at %1 m is more than anyone has cleared in this event (above %2 m).")
                         .arg(QString::number(dialog.height(), 'f', 2), QString::number(ceiling, 'f', 2))))
            break;
    }
    if (dialog.isJumpOff()) {
        m_model->addJumpOffHeight(dialog.height());
        m_bar = m_model->heightColumns().last();
    } else {
        m_model->addHeight(dialog.height());
        m_bar = {dialog.height(), 0};
    }
    saveHeights();
    return true;
}

void FieldEventWidget::openStartingHeights()
{
    const QList<Participation *> list = heat();
    SetStartingHeightsDialog dialog(list, m_firstHeight, m_heightStep, this);
    dialog.placeOn(window()->screen());
    const int answer = dialog.exec();
    // The defaults count as soon as they are changed, even when the judge
    // then cancels; the starting heights themselves only on Enter (a
    // cancelled dialog has put them back).
    m_firstHeightChosen = m_firstHeightChosen || dialog.firstHeight() != m_firstHeight;
    m_firstHeight = dialog.firstHeight();
    m_heightStep = dialog.heightStep();
    if (answer != QDialog::Accepted)
        return;
    // Every starting height and the heights they make are stored together.
    LocalDatabase *store = m_connection ? m_connection->store() : nullptr;
    if (store)
        store->beginTransaction();
    for (Participation *p : list) {
        if (m_connection)
            m_connection->setStartHeight(p, p->startheight);
    }
    // Heights already jumped stay in the grid with the starting heights.
    m_model->setHeights(VerticalHeights::merged(VerticalHeights::startingHeightColumns(list),
                                                VerticalHeights::columnsFromResults(list)));
    const HeightColumns starts = VerticalHeights::startingHeightColumns(list);
    if (!starts.isEmpty() && !FieldEventProgress::isJumpOffRunning(list)) {
        const bool anyResults =
            std::any_of(list.cbegin(), list.cend(), [](const Participation *p) { return !p->results().isEmpty(); });
        if (!anyResults)
            m_bar = starts.first();
    }
    saveHeights();
    if (store)
        store->endTransaction();
    if (VerticalHeights::isHeightCompleted(list, m_bar.height))
        openNewHeight(VerticalHeights::proposeNextHeight(list, m_bar, m_heightStep, m_model->heightColumns()));
    selectNextAthlete();
}

void FieldEventWidget::onButtonSetStartingHeightsClicked()
{
    playSound(InterfaceSounds::Drop);
    openStartingHeights();
}

void FieldEventWidget::onButtonNewHeightClicked()
{
    playSound(InterfaceSounds::Drop);
    if (openNewHeight(VerticalHeights::proposeNextHeight(heat(), m_bar, m_heightStep, m_model->heightColumns())))
        selectNextAthlete();
}

// ---- Retire, heights, devices -----------------------------------------------------------

void FieldEventWidget::updateRetireButton()
{
    const bool retired = m_current && m_current->abandon;
    const QString image = retired ? QStringLiteral("buttonrelegated_undo") : QStringLiteral("buttonrelegated");
    m_btnRelegated->setIcons(QIcon(ImageBase + image + QStringLiteral(".png")),
                             QIcon(ImageBase + image + QStringLiteral("_active.png")));
    m_btnRelegated->setToolTip(retired ? tr("Set participant to 'active in competition'")
                                       : tr("Set participant to 'retired from competition'"));
}

void FieldEventWidget::onButtonParticipantAbandonClicked()
{
    Participation *p = m_current;
    if (!p)
        return;
    playSound(InterfaceSounds::Drop);
    p->abandon = !p->abandon;
    if (m_eventData.value(QStringLiteral("event.combinedEventsQuantity")).toInt() != 0)
        p->out_of_competition_combined_event = p->abandon;
    p->save();
    if (m_connection)
        m_connection->setParticipationStatus(p);
    if (p->abandon)
        m_output.participantRetired(p, m_fieldType);
    m_model->refresh();
    updateRetireButton();
}

void FieldEventWidget::onParticipantsHeaderSectionClicked(int section)
{
    HeightColumn column;
    if (!m_model->heightAtColumn(section, &column))
        return;
    if (m_model->heightHasResults(column.height, column.jumpOff)) {
        QMessageBox::information(this, tr("Remove height"),
                                 tr("There are still results available for this height. First remove all results "
                                    "before you are able to remove the height"));
        return;
    }
    const QString height = QString::number(column.height, 'f', 2);
    if (QMessageBox::question(this, tr("Remove height"), tr("Do you want to remove the height %1?").arg(height),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_model->removeJumpOffHeight(column.height, column.jumpOff);
    if (!isVertical() || column != m_bar) {
        saveHeights();
        return;
    }
    // The bar itself went: it falls back to where the results stand, as
    // when the heat is opened, or to the lowest height left when nobody has
    // jumped yet.
    const HeightColumns remaining = m_model->heightColumns();
    HeightColumn bar = VerticalHeights::currentFromResults(heat());
    if (!remaining.contains(bar))
        bar = remaining.isEmpty() ? HeightColumn{} : remaining.first();
    m_bar = bar;
    saveHeights();
    selectNextAthlete();
}

void FieldEventWidget::onButtonWindClicked()
{
    playSound(InterfaceSounds::Drop);
    if (m_devices.windspeed)
        m_devices.windspeed->startMeasurement(Windspeed::FiveSeconds);
}

void FieldEventWidget::onWindspeedResult(double result)
{
    m_wind = result;
    m_lblWind->setText(result == -9 ? tr("N/A") : tr("%1 m/s").arg(QString::number(result, 'f', 1)));
}

void FieldEventWidget::onButtonEDMClicked()
{
    playSound(InterfaceSounds::Drop);
    if (!m_devices.edmModel)
        return;
    m_devices.edmModel->setPendingMeasurementType(ResultMeasurement);
    m_devices.edmModel->requestMeasurement();
}

void FieldEventWidget::onEDMResult(double result, double resultMeasuredByTape)
{
    qCDebug(lcFieldEvents) << "EDM result: " << result << " by tape: " << resultMeasuredByTape;
    if (!m_current || isVertical())
        return;
    // The measured distance replaces what was typed, cut to the centimetre.
    m_input.replaceText(ResultFormatter::formatDecimal(result));
    inputChanged();
    // As though the judge pressed Enter: the sound and the stopped clock
    // included.
    onButtonEnterClicked();
}

void FieldEventWidget::recalculateFromBoard(int board)
{
    // Only a measured distance can be measured from another board.
    if (!m_devices.edmModel || !m_input.isDistance())
        return;
    if (QMessageBox::question(
            this, tr("Recalculate result"),
            tr("Do you want to recalculate the result based on take-off board %1 as the reference?").arg(board),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const double recalculated = m_devices.edmModel->recalculateResult(board, m_input.value());
    onEDMResult(recalculated, 0);
}

void FieldEventWidget::onTakeOffBoard1Clicked()
{
    recalculateFromBoard(1);
}

void FieldEventWidget::onTakeOffBoard2Clicked()
{
    recalculateFromBoard(2);
}

// ---- Countdown, call, ranking -----------------------------------------------------------

unsigned FieldEventWidget::countdownValue() const
{
    return unsigned(m_minutes * 60 + m_tens * 10 + m_seconds);
}

void FieldEventWidget::drawCountdown(unsigned value)
{
    m_shownCountdown = value;
    const auto image = [](int digit) { return QIcon(ImageBase + QStringLiteral("d%1_digit_9.png").arg(digit)); };
    m_btnCountdownMinutes->setIcon(image(int(std::min(9u, value / 60))));
    m_btnCountdownTens->setIcon(image(int((value % 60) / 10)));
    m_btnCountdownSeconds->setIcon(image(int(value % 10)));
}

void FieldEventWidget::sendCountdownValue()
{
    const unsigned value = countdownValue();
    m_output.countdownSet(value);
    drawCountdown(value);
}

void FieldEventWidget::onCountdownMinutesClicked()
{
    if (m_output.isCountdownRunning())
        return;
    m_minutes = (m_minutes + 1) % 10;
    playSound(InterfaceSounds::Drop);
    sendCountdownValue();
}

void FieldEventWidget::onCountdownTensClicked()
{
    if (m_output.isCountdownRunning())
        return;
    m_tens = (m_tens + 1) % 6;
    playSound(InterfaceSounds::Drop);
    sendCountdownValue();
}

void FieldEventWidget::onCountdownSecondsClicked()
{
    if (m_output.isCountdownRunning())
        return;
    m_seconds = (m_seconds + 1) % 10;
    playSound(InterfaceSounds::Drop);
    sendCountdownValue();
}

void FieldEventWidget::onCountdownClockValueUpdated(unsigned int value)
{
    drawCountdown(value);
}

void FieldEventWidget::onButtonCallClicked()
{
    playSound(InterfaceSounds::Drop);
    // The athlete is shown only while no attempt time runs; the clocks hear
    // the button in any case, so a second press pauses or resumes them.
    m_output.participantCalled(m_current, m_fieldType);
}

void FieldEventWidget::onButtonRankingToScoreboardClicked()
{
    playSound(InterfaceSounds::Drop);
    const QList<Participation *> ranking = FieldEventProgress::rankingOrder(heat());
    const QString title = FieldEventProgress::eventTitle(m_eventData);
    m_output.rankingRequested(ranking, m_fieldType, title);
}

void FieldEventWidget::onButtonPrintClicked()
{
    playSound(InterfaceSounds::Drop);
    QString title = FieldEventProgress::eventTitle(m_eventData);
    if (title.isEmpty())
        title = value(m_eventData, "event.eventName");
    ResultSheet::Header header;
    header.competition = m_connection ? m_connection->competitionName() : QString();
    header.event = value(m_eventData, "event.eventName");
    header.round = value(m_eventData, "event.roundName");
    header.heat = value(m_eventData, "event.seqno");
    // The day of the heat as the schedule has it, else today.
    QDate day = QDateTime::fromString(value(m_eventData, "event.time"), QStringLiteral("yyyyMMdd HHmmss")).date();
    if (!day.isValid())
        day = QDate::currentDate();
    header.date = QLocale().toString(day, QLocale::LongFormat);
    const ResultSheet sheet(heat(), m_fieldType, int(m_numberOfAttempts), m_model->heightColumns(),
                            value(m_eventData, "event.windMode") == QLatin1String("I"), header);
    QString folder = m_printFolder;
    if (folder.isEmpty() && m_connection)
        folder = m_connection->dataFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString pdf;
    switch (RankingPrinter::print(sheet, title, folder, this, &pdf)) {
    case RankingPrinter::Outcome::SavedAsPdf:
        QMessageBox::information(
            this, tr("Result sheet saved"),
            tr("No printer is available; the result sheet was saved as\n%1").arg(QDir::toNativeSeparators(pdf)));
        break;
    case RankingPrinter::Outcome::Failed:
        QMessageBox::warning(this, tr("Result sheet not printed"),
                             pdf.isEmpty()
                                 ? tr("The result sheet could not be printed.")
                                 : tr("The result sheet could not be saved as\n%1").arg(QDir::toNativeSeparators(pdf)));
        break;
    case RankingPrinter::Outcome::Printed:
    case RankingPrinter::Outcome::Cancelled:
        break;
    }
}
