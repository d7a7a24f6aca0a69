#include "devices/devicesdialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/settings.h"
#include "devices/boardpainter.h"
#include "devices/countdownclock.h"
#include "devices/deviceports.h"
#include "devices/deviceset.h"
#include "devices/edm.h"
#include "devices/edmeventtype.h"
#include "devices/edmmeasurement.h"
#include "devices/edmmodel.h"
#include "devices/edmresult.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "devices/scoreboard.h"
#include "devices/scoreboarddriverinterface.h"
#include "devices/transport/dataportslistmodel.h"
#include "devices/transport/outputdevice.h"
#include "devices/transport/transportlogging.h"
#include "devices/videoscoreboard.h"
#include "devices/windspeed.h"

namespace {
const QString ScoreboardGroup = QStringLiteral("scoreboard");
const QString CountdownGroup = QStringLiteral("countdown");
const QString EDMGroup = QStringLiteral("edm");

// The tabs in their order, each with the settings group of its device.
enum Tab { ScoreboardTab, VideoScoreboardTab, WindspeedTab, EDMTab, CountdownTab };

// The order in which the event type button steps.
constexpr unsigned EventTypeOrder[] = {DiscusThrow, LongOrTripleJump, PoleVault, JavelinThrow, ShotPut, HammerThrow};

QString eventTypeName(unsigned type)
{
    switch (type) {
    case DiscusThrow:
        return DevicesDialog::tr("Discus Throw");
    case PoleVault:
        return DevicesDialog::tr("Pole Vault");
    case LongOrTripleJump:
        return DevicesDialog::tr("Long or Triple Jump");
    case JavelinThrow:
        return DevicesDialog::tr("Javelin Throw");
    case ShotPut:
        return DevicesDialog::tr("Shot Put");
    case HammerThrow:
        return DevicesDialog::tr("Hammer Throw");
    default:
        return DevicesDialog::tr("No event chosen");
    }
}

void selectData(QComboBox *combo, const QVariant &value)
{
    const int index = combo->findData(value);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

// The four demo buttons of a board, in the order horizontal participant,
// horizontal result, vertical participant, vertical result, send
// demonstration values: no athlete is current.
template <typename Board> void connectDemoButtons(QPushButton *const (&buttons)[4], Board *board)
{
    using Send = void (Board::*)();
    const Send sends[] = {&Board::sendHorizontalParticipant, &Board::sendHorizontalResult,
                          &Board::sendVerticalParticipant, &Board::sendVerticalResult};
    for (int i = 0; i < 4; ++i) {
        const Send send = sends[i];
        QObject::connect(buttons[i], &QPushButton::clicked, board, [board, send] {
            board->setCurrentParticipation(nullptr);
            (board->*send)();
        });
    }
}

// The four demo buttons two by two, and the clear button below them.
QGridLayout *demoGrid(QPushButton *const (&buttons)[4], QPushButton *clear)
{
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i)
        grid->addWidget(buttons[i], i / 2, i % 2);
    grid->addWidget(clear, 2, 0);
    return grid;
}

QString digitImage(int digit)
{
    return QStringLiteral(":/fieldtablet/icons/fieldtablet/d%1_digit_9.png").arg(digit);
}
} // namespace

DevicesDialog::DevicesDialog(DeviceSet *devices, QWidget *parent)
    : QDialog(parent)
    , m_devices(devices)
    , m_ports(new DevicePorts(this))
    , m_tabs(new QTabWidget(this))
    , m_btnOK(new QPushButton(this))
    , m_btnCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("dlgDevices"));
    // One rule per code, so the selectors take their colour from "code".
    setStyleSheet(QStringLiteral(
        "*[code=\"3\"] { selection-background-color: transparent; background-color: rgb(255, 128, 0); color: white; }"
        "*[code=\"2\"] { selection-background-color: transparent; }"
        "*[code=\"1\"] { selection-background-color: transparent; background-color: red; color: white; }"
        "*[code=\"0\"] { selection-background-color: transparent; background-color: green; color: white; }"));
    m_tabs->setObjectName(QStringLiteral("tabDevices"));
    m_tabs->addTab(buildScoreboardTab(), QString());
    m_tabs->addTab(buildVideoScoreboardTab(), QString());
    m_tabs->addTab(buildWindspeedTab(), QString());
    m_tabs->addTab(buildEDMTab(), QString());
    m_tabs->addTab(buildCountdownTab(), QString());

    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ports, &DevicePorts::codeChanged, this, &DevicesDialog::onCodeChanged);
    connect(m_ports, &DevicePorts::currentRowChanged, this, &DevicesDialog::onCurrentRowChanged);
    connect(this, &DevicesDialog::finishWifiToSerial, m_ports, &DevicePorts::stopListening);
    for (int device = 0; device < m_portSelectors.size(); ++device)
        onCodeChanged(device, m_ports->code(device));
    retranslate();
}

DevicesDialog::~DevicesDialog()
{
    m_ports->stopListening();
}

QPushButton *DevicesDialog::addButton(const QString &objectName)
{
    auto *button = new QPushButton(this);
    button->setObjectName(objectName);
    button->setMinimumHeight(48);
    return button;
}

QComboBox *DevicesDialog::addPortSelector(const QString &group, bool hearsBridges, const QString &objectName)
{
    PortDevice *device = nullptr;
    if (m_devices) {
        if (group == ScoreboardGroup)
            device = m_devices->scoreboard();
        else if (group == QLatin1String("videoscoreboard"))
            device = m_devices->videoScoreboard();
        else if (group == QLatin1String("windspeed"))
            device = m_devices->windspeed();
        else if (group == EDMGroup)
            device = m_devices->edm();
        else if (group == CountdownGroup)
            device = m_devices->countdownClock();
    }
    const int index = m_ports->addDevice(group, device, hearsBridges);
    auto *combo = new QComboBox(this);
    combo->setObjectName(objectName);
    combo->setMinimumHeight(48);
    combo->setModel(m_ports->ports(index));
    combo->setCurrentIndex(m_ports->currentRow(index));
    // Only the official's own choice (activated) changes the port, not a
    // reset of the selector by the dialog.
    connect(combo, &QComboBox::activated, this, [this, index](int row) { onPortActivated(index, row); });
    m_portSelectors.append(combo);
    m_portLabels.append(new QLabel(this));
    return combo;
}

// ---- Tabs --------------------------------------------------------------------

QWidget *DevicesDialog::buildScoreboardTab()
{
    auto *tab = new QWidget(this);
    QComboBox *port = addPortSelector(ScoreboardGroup, true, QStringLiteral("cmbScoreboardPort"));
    m_lblScoreboardType = new QLabel(tab);
    m_cmbScoreboardType = new QComboBox(tab);
    m_cmbScoreboardType->setObjectName(QStringLiteral("cmbScoreboardType"));
    m_lblScoreboardLayout = new QLabel(tab);
    m_cmbScoreboardLayout = new QComboBox(tab);
    m_cmbScoreboardLayout->setObjectName(QStringLiteral("cmbScoreboardLayout"));
    m_chkClearAfterResult = new QCheckBox(tab);
    m_chkClearAfterResult->setObjectName(QStringLiteral("chkClearAfterResult"));
    m_lblClearTimeout = new QLabel(tab);
    m_spnClearTimeout = new QSpinBox(tab);
    m_spnClearTimeout->setObjectName(QStringLiteral("spnClearTimeout"));
    m_spnClearTimeout->setRange(1, 600);
    m_btnBrightness = addButton(QStringLiteral("btnScoreboardBrightness"));
    m_btnBrightness->setIcon(QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/buttonscoreboard_9.png")));
    m_btnHorizontalParticipant = addButton(QStringLiteral("btnHorizontalParticipant"));
    m_btnHorizontalResult = addButton(QStringLiteral("btnHorizontalResult"));
    m_btnVerticalParticipant = addButton(QStringLiteral("btnVerticalParticipant"));
    m_btnVerticalResult = addButton(QStringLiteral("btnVerticalResult"));
    m_btnClearScoreboard = addButton(QStringLiteral("btnClearScoreboard"));
    m_btnSendText = addButton(QStringLiteral("btnSendText"));
    m_lblBrightness = new QLabel(tab);
    m_lblBrightness->setObjectName(QStringLiteral("lblScoreboardBrightness"));
    m_lblBrightness->setMaximumHeight(0);
    m_lblPreview = new QLabel(tab);
    m_lblPreview->setObjectName(QStringLiteral("lblPreview"));
    m_lblPreview->setMinimumSize(384, 128);
    m_lblPreview->setAlignment(Qt::AlignCenter);

    Settings *settings = Settings::instance();
    m_chkClearAfterResult->setChecked(settings->value(ScoreboardGroup, QStringLiteral("clear_after_result")).toBool());
    m_spnClearTimeout->setValue(settings->value(ScoreboardGroup, QStringLiteral("clear_timeout")).toInt());
    if (m_devices) {
        const QList<QVariantMap> summaries = m_devices->scoreboard()->layoutSummaries();
        for (const QVariantMap &summary : summaries) {
            const QString type = summary.value(QStringLiteral("type")).toString();
            if (m_cmbScoreboardType->findText(type) < 0)
                m_cmbScoreboardType->addItem(type);
        }
    }
    // What the board uses is what shows: nothing until a layout is chosen.
    m_cmbScoreboardType->setCurrentIndex(
        m_cmbScoreboardType->findText(settings->value(ScoreboardGroup, QStringLiteral("product")).toString()));
    fillScoreboardLayouts();
    m_cmbScoreboardLayout->setCurrentIndex(
        m_cmbScoreboardLayout->findText(settings->value(ScoreboardGroup, QStringLiteral("layout")).toString()));

    auto *form = new QFormLayout;
    form->addRow(m_portLabels.last(), port);
    form->addRow(m_lblScoreboardType, m_cmbScoreboardType);
    form->addRow(m_lblScoreboardLayout, m_cmbScoreboardLayout);
    auto *clear = new QHBoxLayout;
    clear->addWidget(m_chkClearAfterResult);
    clear->addWidget(m_lblClearTimeout);
    clear->addWidget(m_spnClearTimeout);
    clear->addStretch();
    QPushButton *const demos[4] = {m_btnHorizontalParticipant, m_btnHorizontalResult, m_btnVerticalParticipant,
                                   m_btnVerticalResult};
    QGridLayout *buttons = demoGrid(demos, m_btnClearScoreboard);
    buttons->addWidget(m_btnBrightness, 2, 1);
    buttons->addWidget(m_btnSendText, 3, 0, 1, 2);
    auto *layoutBox = new QVBoxLayout(tab);
    layoutBox->addLayout(form);
    layoutBox->addLayout(clear);
    layoutBox->addLayout(buttons);
    layoutBox->addWidget(m_lblBrightness);
    layoutBox->addWidget(m_lblPreview, 1);

    connect(m_cmbScoreboardType, &QComboBox::currentIndexChanged, this, &DevicesDialog::onScoreboardTypeChanged);
    connect(m_cmbScoreboardLayout, &QComboBox::currentIndexChanged, this, &DevicesDialog::onScoreboardLayoutChanged);
    connect(m_chkClearAfterResult, &QCheckBox::toggled, this, [this](bool checked) {
        Settings::instance()->setValue(ScoreboardGroup, QStringLiteral("clear_after_result"), checked);
        if (m_devices)
            m_devices->scoreboard()->setClearAfterResult(checked);
    });
    connect(m_spnClearTimeout, &QSpinBox::valueChanged, this, [this](int seconds) {
        Settings::instance()->setValue(ScoreboardGroup, QStringLiteral("clear_timeout"), seconds);
        if (m_devices)
            m_devices->scoreboard()->setClearTimeout(seconds);
    });
    connect(m_btnSendText, &QPushButton::clicked, this, &DevicesDialog::onSendTextClicked);
    if (Scoreboard *scoreboard = m_devices ? m_devices->scoreboard() : nullptr) {
        connectDemoButtons(demos, scoreboard);
        connect(m_btnClearScoreboard, &QPushButton::clicked, scoreboard, &Scoreboard::clearBoard);
        connect(m_btnBrightness, &QPushButton::clicked, scoreboard, &Scoreboard::stepBrightness);
        connect(scoreboard, &Scoreboard::brightnessUpdated, this,
                [this](uint value, uint max) { showBrightness(m_lblBrightness, &m_brightnessShown, value, max); });
        connect(scoreboard, &Scoreboard::previewChanged, this, &DevicesDialog::onScoreboardPreviewChanged);
    }
    updateScoreboardControls();
    onScoreboardPreviewChanged();
    return tab;
}

QWidget *DevicesDialog::buildVideoScoreboardTab()
{
    auto *tab = new QWidget(this);
    QComboBox *port =
        addPortSelector(QStringLiteral("videoscoreboard"), false, QStringLiteral("cmbVideoscoreboardPort"));
    m_btnVideoHorizontalParticipant = addButton(QStringLiteral("btnVideoHorizontalParticipant"));
    m_btnVideoHorizontalResult = addButton(QStringLiteral("btnVideoHorizontalResult"));
    m_btnVideoVerticalParticipant = addButton(QStringLiteral("btnVideoVerticalParticipant"));
    m_btnVideoVerticalResult = addButton(QStringLiteral("btnVideoVerticalResult"));
    m_btnVideoClear = addButton(QStringLiteral("btnVideoClear"));
    auto *form = new QFormLayout;
    form->addRow(m_portLabels.last(), port);
    QPushButton *const demos[4] = {m_btnVideoHorizontalParticipant, m_btnVideoHorizontalResult,
                                   m_btnVideoVerticalParticipant, m_btnVideoVerticalResult};
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addLayout(demoGrid(demos, m_btnVideoClear));
    layout->addStretch();
    if (VideoScoreboard *video = m_devices ? m_devices->videoScoreboard() : nullptr) {
        connectDemoButtons(demos, video);
        connect(m_btnVideoClear, &QPushButton::clicked, video, &VideoScoreboard::clearBoard);
    }
    return tab;
}

QWidget *DevicesDialog::buildWindspeedTab()
{
    auto *tab = new QWidget(this);
    QComboBox *port = addPortSelector(QStringLiteral("windspeed"), true, QStringLiteral("cmbWindspeedPort"));
    m_btnWindspeedTest = addButton(QStringLiteral("btnWindspeedTest"));
    m_btnWindspeedTest->setIcon(QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/buttonwind_9.png")));
    m_lblWindspeedResult = new QLabel(tab);
    m_lblWindspeedResult->setObjectName(QStringLiteral("lblWindspeedResult"));
    auto *form = new QFormLayout;
    form->addRow(m_portLabels.last(), port);
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addWidget(m_btnWindspeedTest);
    layout->addWidget(m_lblWindspeedResult);
    layout->addStretch();
    connect(m_btnWindspeedTest, &QPushButton::clicked, this, &DevicesDialog::onWindspeedTestClicked);
    if (m_devices)
        connect(m_devices->windspeed(), &Windspeed::windspeedResult, this, &DevicesDialog::onWindspeedResult);
    return tab;
}

QWidget *DevicesDialog::buildEDMTab()
{
    auto *tab = new QWidget(this);
    QComboBox *port = addPortSelector(EDMGroup, true, QStringLiteral("cmbEDMPort"));
    Settings *settings = Settings::instance();

    m_grpSerial = new QGroupBox(tab);
    m_lblBaudrate = new QLabel(m_grpSerial);
    m_lblDatabits = new QLabel(m_grpSerial);
    m_lblParity = new QLabel(m_grpSerial);
    m_lblStopbits = new QLabel(m_grpSerial);
    m_cmbBaudrate = new QComboBox(m_grpSerial);
    m_cmbBaudrate->setObjectName(QStringLiteral("cmbBaudrate"));
    for (int baud : {1200, 2400, 9600, 19200, 38400, 57600, 115200})
        m_cmbBaudrate->addItem(QString::number(baud), baud);
    m_cmbDatabits = new QComboBox(m_grpSerial);
    m_cmbDatabits->setObjectName(QStringLiteral("cmbDatabits"));
    for (int bits : {7, 8})
        m_cmbDatabits->addItem(QString::number(bits), bits);
    m_cmbParity = new QComboBox(m_grpSerial);
    m_cmbParity->setObjectName(QStringLiteral("cmbParity"));
    for (int parity : {2, 3, 0, 5, 4})
        m_cmbParity->addItem(QString(), parity);
    m_cmbStopbits = new QComboBox(m_grpSerial);
    m_cmbStopbits->setObjectName(QStringLiteral("cmbStopbits"));
    for (int bits : {1, 2})
        m_cmbStopbits->addItem(QString::number(bits), bits);
    selectData(m_cmbBaudrate, settings->value(EDMGroup, QStringLiteral("baud")).toInt());
    selectData(m_cmbDatabits, settings->value(EDMGroup, QStringLiteral("databits")).toInt());
    selectData(m_cmbParity, settings->value(EDMGroup, QStringLiteral("parity")).toInt());
    selectData(m_cmbStopbits, settings->value(EDMGroup, QStringLiteral("stopbits")).toInt());
    auto *serial = new QFormLayout(m_grpSerial);
    serial->addRow(m_lblBaudrate, m_cmbBaudrate);
    serial->addRow(m_lblDatabits, m_cmbDatabits);
    serial->addRow(m_lblParity, m_cmbParity);
    serial->addRow(m_lblStopbits, m_cmbStopbits);

    m_lblEDMType = new QLabel(tab);
    m_cmbEDMType = new QComboBox(tab);
    m_cmbEDMType->setObjectName(QStringLiteral("cmbEDMType"));
    m_cmbEDMType->addItem(QStringLiteral("TOPCON"));
    m_lblNumberOfBoards = new QLabel(tab);
    m_cmbNumberOfBoards = new QComboBox(tab);
    m_cmbNumberOfBoards->setObjectName(QStringLiteral("cmbNumberOfBoards"));
    m_cmbNumberOfBoards->addItem(QStringLiteral("1"), 1);
    m_cmbNumberOfBoards->addItem(QStringLiteral("2"), 2);
    selectData(m_cmbNumberOfBoards, settings->value(EDMGroup, QStringLiteral("number_boards")).toInt());
    m_rdbBoard1 = new QRadioButton(tab);
    m_rdbBoard1->setObjectName(QStringLiteral("rdbBoard1"));
    m_rdbBoard1->setChecked(true);
    m_rdbBoard2 = new QRadioButton(tab);
    m_rdbBoard2->setObjectName(QStringLiteral("rdbBoard2"));
    auto *boards = new QHBoxLayout;
    boards->addWidget(m_cmbNumberOfBoards);
    boards->addWidget(m_rdbBoard1);
    boards->addWidget(m_rdbBoard2);
    boards->addStretch();

    const QString icons = QStringLiteral(":/fieldtablet/icons/fieldtablet/");
    m_btnEventType = addButton(QStringLiteral("btnEventType"));
    m_lblEventType = new QLabel(tab);
    m_lblEventType->setObjectName(QStringLiteral("lblEventType"));
    m_btnReference1 = addButton(QStringLiteral("btnReference1"));
    m_btnReference2 = addButton(QStringLiteral("btnReference2"));
    m_btnTestMeasurement = addButton(QStringLiteral("btnTestMeasurement"));
    m_btnDeviceTest = addButton(QStringLiteral("btnDeviceTest"));
    m_btnDeviceTest->setIcon(QIcon(icons + QStringLiteral("buttontotalstation.png")));
    m_btnTestMeasurement->setIcon(QIcon(icons + QStringLiteral("buttonedm_9.png")));
    auto *actions = new QGridLayout;
    actions->addWidget(m_btnEventType, 0, 0);
    actions->addWidget(m_lblEventType, 0, 1);
    actions->addWidget(m_btnReference1, 1, 0);
    actions->addWidget(m_btnReference2, 1, 1);
    actions->addWidget(m_btnTestMeasurement, 2, 0);
    actions->addWidget(m_btnDeviceTest, 2, 1);

    m_lblReferences = new QLabel(tab);
    m_lblReferences->setObjectName(QStringLiteral("lblReferences"));
    m_lblReferences->setWordWrap(true);
    m_lblTestResults = new QLabel(tab);
    m_lstTestResults = new QListWidget(tab);
    m_lstTestResults->setObjectName(QStringLiteral("lstTestResults"));
    m_lblMeasurement = new QLabel(tab);
    m_lblMeasurement->setObjectName(QStringLiteral("lblMeasurement"));

    auto *form = new QFormLayout;
    form->addRow(m_portLabels.last(), port);
    form->addRow(m_lblEDMType, m_cmbEDMType);
    form->addRow(m_lblNumberOfBoards, boards);
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addWidget(m_grpSerial);
    layout->addLayout(actions);
    layout->addWidget(m_lblReferences);
    layout->addWidget(m_lblTestResults);
    layout->addWidget(m_lstTestResults, 1);
    layout->addWidget(m_lblMeasurement);

    for (QComboBox *combo : {m_cmbBaudrate, m_cmbDatabits, m_cmbParity, m_cmbStopbits})
        connect(combo, &QComboBox::currentIndexChanged, this, &DevicesDialog::onEDMSerialSettingChanged);
    connect(m_cmbNumberOfBoards, &QComboBox::currentIndexChanged, this, &DevicesDialog::onNumberOfBoardsChanged);
    connect(m_btnEventType, &QPushButton::clicked, this, &DevicesDialog::onEventTypeClicked);
    connect(m_btnReference1, &QPushButton::clicked, this, [this] { requestEDM(Reference1Measurement); });
    connect(m_btnReference2, &QPushButton::clicked, this, [this] { requestEDM(Reference2Measurement); });
    connect(m_btnTestMeasurement, &QPushButton::clicked, this, [this] { requestEDM(TestMeasurement); });
    connect(m_btnDeviceTest, &QPushButton::clicked, this, [this] { requestEDM(SingleMeasurement); });
    if (EDMModel *model = m_devices ? m_devices->edmModel() : nullptr) {
        connect(model, &EDMModel::calibrationChanged, this, &DevicesDialog::onEDMCalibrationChanged);
        connect(model, &EDMModel::edmMeasurement, this,
                [this](EDMMeasurementType type, double distance, double verticalAngle, double horizontalAngle,
                       double horizontalDistance) {
                    qCDebug(lcTransport).noquote() << QStringLiteral("EDM measurement distance %1 %2 %3 %4")
                                                          .arg(distance)
                                                          .arg(verticalAngle)
                                                          .arg(horizontalAngle)
                                                          .arg(horizontalDistance);
                    if (type == SingleMeasurement)
                        m_lblMeasurement->setText(tr("Distance %1 m, horizontal angle %2°, vertical angle %3°, "
                                                     "horizontal distance %4 m")
                                                      .arg(distance, 0, 'f', 3)
                                                      .arg(horizontalAngle, 0, 'f', 3)
                                                      .arg(verticalAngle, 0, 'f', 3)
                                                      .arg(horizontalDistance, 0, 'f', 3));
                    updateEDMCalibration();
                });
        connect(model, &EDMModel::edmResult, this, [this](double result, double tape) {
            qCDebug(lcTransport).noquote() << QStringLiteral("EDM result: %1 by tape: %2").arg(result).arg(tape);
            updateEDMCalibration();
        });
    }
    updateEDMSerialVisibility();
    return tab;
}

QWidget *DevicesDialog::buildCountdownTab()
{
    auto *tab = new QWidget(this);
    QComboBox *port = addPortSelector(CountdownGroup, true, QStringLiteral("cmbCountdownPort"));
    Settings *settings = Settings::instance();
    m_lblCountdownLayout = new QLabel(tab);
    m_cmbCountdownLayout = new QComboBox(tab);
    m_cmbCountdownLayout->setObjectName(QStringLiteral("cmbCountdownLayout"));
    if (m_devices) {
        const QList<QVariantMap> summaries = m_devices->countdownClock()->layoutSummaries();
        for (const QVariantMap &summary : summaries) {
            const QString name = summary.value(QStringLiteral("type")).toString();
            if (m_cmbCountdownLayout->findText(name) < 0)
                m_cmbCountdownLayout->addItem(name);
        }
    }
    const int layout =
        m_cmbCountdownLayout->findText(settings->value(CountdownGroup, QStringLiteral("layout")).toString());
    m_cmbCountdownLayout->setCurrentIndex(layout);
    m_chkStartAfterCall = new QCheckBox(tab);
    m_chkStartAfterCall->setObjectName(QStringLiteral("chkStartAfterCall"));
    m_chkStartAfterCall->setChecked(
        settings->value(CountdownGroup, QStringLiteral("start_countdown_after_call")).toBool());

    const int value = qBound(0, settings->value(CountdownGroup, QStringLiteral("value")).toInt(), 599);
    m_digits[0] = value / 60;
    m_digits[1] = value % 60 / 10;
    m_digits[2] = value % 10;
    auto *digits = new QHBoxLayout;
    const char *names[] = {"btnMinutes", "btnTens", "btnSeconds"};
    for (int digit = 0; digit < 3; ++digit) {
        m_btnDigits[digit] = new QPushButton(tab);
        m_btnDigits[digit]->setObjectName(QString::fromLatin1(names[digit]));
        m_btnDigits[digit]->setFlat(true);
        m_btnDigits[digit]->setIconSize(QSize(24, 40));
        connect(m_btnDigits[digit], &QPushButton::clicked, this, [this, digit] { onDigitClicked(digit); });
        digits->addWidget(m_btnDigits[digit]);
        if (digit == 0) {
            auto *colon = new QLabel(tab);
            colon->setPixmap(QPixmap(QStringLiteral(":/fieldtablet/icons/fieldtablet/colon_digit_9.png"))
                                 .scaled(24, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            digits->addWidget(colon);
        }
    }
    digits->addStretch();
    m_btnSendCountdown = addButton(QStringLiteral("btnSendCountdown"));
    m_btnSendCountdown->setIcon(QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/buttoncountdown_9.png")));
    m_btnCountdownBrightness = addButton(QStringLiteral("btnCountdownBrightness"));
    m_lblCountdownBrightness = new QLabel(tab);
    m_lblCountdownBrightness->setObjectName(QStringLiteral("lblCountdownBrightness"));
    m_lblCountdownBrightness->setMaximumHeight(0);

    auto *form = new QFormLayout;
    form->addRow(m_portLabels.last(), port);
    form->addRow(m_lblCountdownLayout, m_cmbCountdownLayout);
    auto *layoutBox = new QVBoxLayout(tab);
    layoutBox->addLayout(form);
    layoutBox->addWidget(m_chkStartAfterCall);
    layoutBox->addLayout(digits);
    layoutBox->addWidget(m_btnSendCountdown);
    layoutBox->addWidget(m_btnCountdownBrightness);
    layoutBox->addWidget(m_lblCountdownBrightness);
    layoutBox->addStretch();

    connect(m_cmbCountdownLayout, &QComboBox::currentIndexChanged, this, &DevicesDialog::onCountdownLayoutChanged);
    connect(m_chkStartAfterCall, &QCheckBox::stateChanged, this, &DevicesDialog::onStartAfterCallChanged);
    if (m_devices) {
        CountdownClock *clock = m_devices->countdownClock();
        const bool startAfterCall = m_chkStartAfterCall->isChecked();
        clock->setStartCountdownAfterCall(startAfterCall);
        m_devices->scoreboard()->setStartCountdownAfterCall(startAfterCall);
        // Not while an athlete's time runs: opening the dialog must not
        // reset it.
        if (!clock->isCountdownRunning())
            clock->setCountdownValue(countdownValue(), true);
        if (!m_devices->scoreboard()->isCountdownRunning())
            m_devices->scoreboard()->setCountdownValue(countdownValue());
        connect(m_btnSendCountdown, &QPushButton::clicked, clock, [clock] { clock->startPauseCountdown(true); });
        connect(m_btnCountdownBrightness, &QPushButton::clicked, clock, &CountdownClock::stepBrightness);
        connect(clock, &CountdownClock::brightnessUpdated, this, [this](uint level, uint max) {
            showBrightness(m_lblCountdownBrightness, &m_countdownBrightnessShown, level, max);
        });
    }
    drawCountdownDigits();
    return tab;
}

// ---- Ports -------------------------------------------------------------------

void DevicesDialog::onPortActivated(int device, int row)
{
    if (m_ports->choose(device, row) == DevicePorts::Choice::AlreadyUsed) {
        auto *box = new QMessageBox(QMessageBox::Information, tr("Port already used"),
                                    tr("The port is already in use by another device."), QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("msgPortAlreadyUsed"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    if (device == EDMTab)
        updateEDMSerialVisibility();
}

void DevicesDialog::onCurrentRowChanged(int device, int row)
{
    if (QComboBox *combo = m_portSelectors.value(device)) {
        combo->setCurrentIndex(row);
        if (device == EDMTab)
            updateEDMSerialVisibility();
    }
}

void DevicesDialog::onCodeChanged(int device, int code)
{
    QComboBox *combo = m_portSelectors.value(device);
    if (!combo)
        return;
    combo->setProperty("code", code);
    combo->style()->unpolish(combo);
    combo->style()->polish(combo);
    combo->update();
}

// ---- Scoreboard --------------------------------------------------------------

void DevicesDialog::fillScoreboardLayouts()
{
    const QSignalBlocker blocker(m_cmbScoreboardLayout);
    m_cmbScoreboardLayout->clear();
    if (!m_devices)
        return;
    const QString type = m_cmbScoreboardType->currentText();
    const QList<QVariantMap> summaries = m_devices->scoreboard()->layoutSummaries();
    for (const QVariantMap &summary : summaries) {
        if (summary.value(QStringLiteral("type")).toString() == type)
            m_cmbScoreboardLayout->addItem(summary.value(QStringLiteral("name")).toString());
    }
}

void DevicesDialog::onScoreboardTypeChanged(int index)
{
    Q_UNUSED(index)
    Settings::instance()->setValue(ScoreboardGroup, QStringLiteral("product"), m_cmbScoreboardType->currentText());
    fillScoreboardLayouts();
    m_cmbScoreboardLayout->setCurrentIndex(-1);
    m_cmbScoreboardLayout->setCurrentIndex(0);
}

void DevicesDialog::onScoreboardLayoutChanged(int index)
{
    if (index < 0)
        return;
    const QString name = m_cmbScoreboardLayout->currentText();
    Settings::instance()->setValue(ScoreboardGroup, QStringLiteral("layout"), name);
    if (m_devices)
        m_devices->scoreboard()->selectLayout(m_cmbScoreboardType->currentText(), name);
    updateScoreboardControls();
}

void DevicesDialog::updateScoreboardControls()
{
    const QString driver = m_devices ? m_devices->scoreboard()->controllerName().toLower() : QString();
    const bool textOnly = driver.contains(QLatin1String("ie 1.0.1"));
    for (QPushButton *button : {m_btnHorizontalParticipant, m_btnHorizontalResult, m_btnVerticalParticipant,
                                m_btnVerticalResult, m_btnClearScoreboard, m_btnBrightness})
        button->setVisible(!textOnly);
    m_btnSendText->setVisible(textOnly);
}

void DevicesDialog::onScoreboardPreviewChanged()
{
    if (!m_devices)
        return;
    const BoardState &state = m_devices->scoreboard()->preview();
    const QImage board = BoardPainter::render(
        state, BoardPainter::pitchToFit(state.size(), m_lblPreview->minimumSize().expandedTo(m_lblPreview->size())));
    m_lblPreview->setPixmap(QPixmap::fromImage(board));
}

void DevicesDialog::onSendTextClicked()
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, tr("Send text to scoreboard"), tr("Fill in some text to send to the scoreboard"),
                              QLineEdit::Normal, QString(), &ok);
    if (ok && !text.isEmpty() && m_devices)
        m_devices->scoreboard()->sendText(text);
}

void DevicesDialog::showBrightness(QLabel *label, bool *shown, uint value, uint max)
{
    label->setText(tr("Brightness %1/%2").arg(value).arg(max));
    if (*shown)
        return;
    *shown = true;
    auto *animation = new QPropertyAnimation(label, "maximumHeight", label);
    animation->setDuration(250);
    animation->setStartValue(0);
    animation->setEndValue(200);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

// ---- Wind gauge --------------------------------------------------------------

void DevicesDialog::onWindspeedTestClicked()
{
    m_lblWindspeedResult->clear();
    if (m_devices)
        m_devices->windspeed()->startMeasurement(Windspeed::FiveSeconds);
}

void DevicesDialog::onWindspeedResult(double result)
{
    m_lblWindspeedResult->setText(result == Windspeed::NoResult ? tr("Result: N/A")
                                                                : tr("Result: %1 m/s").arg(result, 0, 'f', 1));
}

// ---- Countdown clock ---------------------------------------------------------

void DevicesDialog::onCountdownLayoutChanged(int index)
{
    if (index < 0)
        return;
    const QString name = m_cmbCountdownLayout->currentText();
    Settings::instance()->setValue(CountdownGroup, QStringLiteral("layout"), name);
    if (m_devices)
        m_devices->countdownClock()->selectLayout(name);
}

void DevicesDialog::onStartAfterCallChanged(int state)
{
    const bool start = state == Qt::Checked;
    Settings::instance()->setValue(CountdownGroup, QStringLiteral("start_countdown_after_call"), start);
    if (m_devices) {
        m_devices->countdownClock()->setStartCountdownAfterCall(start);
        m_devices->scoreboard()->setStartCountdownAfterCall(start);
    }
}

int DevicesDialog::countdownValue() const
{
    return m_digits[0] * 60 + m_digits[1] * 10 + m_digits[2];
}

void DevicesDialog::onDigitClicked(int digit)
{
    const int wrap = digit == 1 ? 6 : 10;
    m_digits[digit] = (m_digits[digit] + 1) % wrap;
    const int value = countdownValue();
    Settings::instance()->setValue(CountdownGroup, QStringLiteral("value"), value);
    if (m_devices) {
        m_devices->countdownClock()->setCountdownValue(value, true);
        m_devices->scoreboard()->setCountdownValue(value);
    }
    drawCountdownDigits();
}

void DevicesDialog::drawCountdownDigits()
{
    for (int digit = 0; digit < 3; ++digit) {
        m_btnDigits[digit]->setIcon(QIcon(digitImage(m_digits[digit])));
        m_btnDigits[digit]->setProperty("digit", m_digits[digit]);
    }
}

// ---- EDM ---------------------------------------------------------------------

void DevicesDialog::updateEDMSerialVisibility()
{
    const bool serial =
        m_ports->currentPort(EDMTab).value(QStringLiteral("type")).toUInt() == OutputDevice::SerialPortType;
    m_grpSerial->setVisible(serial);
    updateEDMCalibration();
}

void DevicesDialog::onEDMSerialSettingChanged()
{
    const QVariantMap properties{{QStringLiteral("baud"), m_cmbBaudrate->currentData()},
                                 {QStringLiteral("databits"), m_cmbDatabits->currentData()},
                                 {QStringLiteral("parity"), m_cmbParity->currentData()},
                                 {QStringLiteral("stopbits"), m_cmbStopbits->currentData()}};
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        Settings::instance()->setValue(EDMGroup, it.key(), it.value());
    if (m_devices)
        emit m_devices->edm()->set_properties(properties);
}

int DevicesDialog::numberOfBoards() const
{
    return m_cmbNumberOfBoards->currentData().toInt();
}

void DevicesDialog::onNumberOfBoardsChanged(int index)
{
    Q_UNUSED(index)
    Settings::instance()->setValue(EDMGroup, QStringLiteral("number_boards"), numberOfBoards());
    updateEDMCalibration();
}

void DevicesDialog::onEventTypeClicked()
{
    EDMModel *model = m_devices ? m_devices->edmModel() : nullptr;
    if (!model)
        return;
    const auto *end = std::end(EventTypeOrder);
    const auto *current = std::find(std::begin(EventTypeOrder), end, model->eventType());
    const unsigned next = current == end || current + 1 == end ? EventTypeOrder[0] : *(current + 1);
    model->setEventType(next);
    Settings::instance()->setValue(EDMGroup, QStringLiteral("event_type"), next);
    updateEDMCalibration();
}

void DevicesDialog::requestEDM(int measurementType)
{
    EDMModel *model = m_devices ? m_devices->edmModel() : nullptr;
    if (!model)
        return;
    if (model->eventType() == LongOrTripleJump)
        model->setTakeOffBoard(numberOfBoards() == 2 && !m_rdbBoard1->isChecked() ? 2 : 1);
    model->setPendingMeasurementType(EDMMeasurementType(measurementType));
    model->requestMeasurement();
}

void DevicesDialog::onEDMCalibrationChanged()
{
    updateEDMCalibration();
}

void DevicesDialog::updateEDMCalibration()
{
    EDMModel *model = m_devices ? m_devices->edmModel() : nullptr;
    const unsigned type = model ? model->eventType() : NoEventType;
    const bool jump = type == LongOrTripleJump;
    m_lblEventType->setText(eventTypeName(type));
    m_btnReference2->setVisible(jump);
    m_lblNumberOfBoards->setVisible(jump);
    m_cmbNumberOfBoards->setVisible(jump);
    m_rdbBoard1->setVisible(jump && numberOfBoards() == 2);
    m_rdbBoard2->setVisible(jump && numberOfBoards() == 2);
    m_btnReference1->setEnabled(type != NoEventType);
    m_btnTestMeasurement->setEnabled(type != NoEventType);

    QStringList references;
    const auto text = [this](const EDMMeasurement *measurement) {
        return measurement ? measurement->text().trimmed() : tr("not measured");
    };
    if (model && jump) {
        for (int board = 1; board <= numberOfBoards(); ++board) {
            for (int seqno = 1; seqno <= 2; ++seqno) {
                const EDMTakeOffBoardMeasurement *point = model->takeOffBoardPoint(board, seqno);
                references << tr("Board %1, point %2: %3")
                                  .arg(board)
                                  .arg(seqno)
                                  .arg(text(point ? point->measurement() : nullptr));
            }
        }
    } else if (model && type != NoEventType) {
        references << tr("Reference: %1").arg(text(model->reference1()));
        references << tr("Delta: %1 m").arg(model->delta(), 0, 'f', 4);
    }
    m_lblReferences->setText(references.join(QLatin1Char('\n')));
    m_lstTestResults->clear();
    if (model) {
        for (const EDMResult *result : model->testResults())
            m_lstTestResults->addItem(result->text());
    }
}

// ---- Dialog ------------------------------------------------------------------

void DevicesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_ports->startListening();
}

void DevicesDialog::hideEvent(QHideEvent *event)
{
    emit finishWifiToSerial();
    QDialog::hideEvent(event);
}

void DevicesDialog::retranslate()
{
    setWindowTitle(tr("Devices"));
    m_tabs->setTabText(ScoreboardTab, tr("Scoreboard"));
    m_tabs->setTabText(VideoScoreboardTab, tr("Videoscoreboard"));
    m_tabs->setTabText(WindspeedTab, tr("Windspeed"));
    m_tabs->setTabText(EDMTab, tr("EDM"));
    m_tabs->setTabText(CountdownTab, tr("Countdown"));
    for (QLabel *label : std::as_const(m_portLabels))
        label->setText(tr("Port:"));
    m_lblScoreboardType->setText(tr("Scoreboard type:"));
    m_lblScoreboardLayout->setText(tr("Scoreboard layout:"));
    m_chkClearAfterResult->setText(tr("Clear scoreboard after a result"));
    m_lblClearTimeout->setText(tr("Timeout:"));
    m_spnClearTimeout->setSuffix(tr(" s"));
    const auto describe = [](QPushButton *button, const QString &text) {
        button->setText(text);
        button->setToolTip(text);
    };
    describe(m_btnBrightness, tr("Adjust the brightness of the scoreboard"));
    describe(m_btnHorizontalParticipant, tr("Send demo participants data of a horizontal field event"));
    describe(m_btnHorizontalResult, tr("Send demo results data of a horizontal field event"));
    describe(m_btnVerticalParticipant, tr("Send demo participants data of a vertical field event"));
    describe(m_btnVerticalResult, tr("Send demo results data of a vertical field event"));
    describe(m_btnClearScoreboard, tr("Clear the scoreboard"));
    describe(m_btnSendText, tr("Send text data"));
    describe(m_btnVideoHorizontalParticipant, tr("Send demo participants data of a horizontal field event"));
    describe(m_btnVideoHorizontalResult, tr("Send demo results data of a horizontal field event"));
    describe(m_btnVideoVerticalParticipant, tr("Send demo participants data of a vertical field event"));
    describe(m_btnVideoVerticalResult, tr("Send demo results data of a vertical field event"));
    describe(m_btnVideoClear, tr("Clear the video scoreboard"));
    describe(m_btnWindspeedTest, tr("Start a windspeed test measurement"));

    m_grpSerial->setTitle(tr("Serial settings"));
    m_lblBaudrate->setText(tr("Baudrate"));
    m_lblDatabits->setText(tr("Databits"));
    m_lblParity->setText(tr("Parity"));
    m_lblStopbits->setText(tr("Stopbits"));
    const QString parities[] = {tr("Even"), tr("Odd"), tr("None"), tr("Mark"), tr("Space")};
    for (int i = 0; i < m_cmbParity->count(); ++i)
        m_cmbParity->setItemText(i, parities[i]);
    m_lblEDMType->setText(tr("EDM type:"));
    m_lblNumberOfBoards->setText(tr("Take-off boards:"));
    m_rdbBoard1->setText(tr("Board 1"));
    m_rdbBoard2->setText(tr("Board 2"));
    describe(m_btnEventType, tr("Change the event type"));
    describe(m_btnReference1, tr("Measure the first reference point"));
    describe(m_btnReference2, tr("Measure the second reference point"));
    describe(m_btnTestMeasurement, tr("Take a test measurement"));
    describe(m_btnDeviceTest, tr("Test the device"));
    m_lblTestResults->setText(tr("Test measurements:"));

    m_lblCountdownLayout->setText(tr("Countdown layout:"));
    m_chkStartAfterCall->setText(tr("Start countdown clock immediately after CALL"));
    m_btnDigits[0]->setToolTip(tr("Adjust the minutes"));
    m_btnDigits[1]->setToolTip(tr("Adjust the tens of a second"));
    m_btnDigits[2]->setToolTip(tr("Adjust the seconds"));
    describe(m_btnSendCountdown, tr("Send a value to the countdown clock"));
    describe(m_btnCountdownBrightness, tr("Adjust the brightness of the countdown clock"));

    m_btnOK->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
    updateEDMCalibration();
}

void DevicesDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
