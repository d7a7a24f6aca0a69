#include "devices/edmperformancewidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "app/animatedbutton.h"
#include "app/interfacesounds.h"
#include "app/settings.h"
#include "devices/countdownclock.h"
#include "devices/edmeventtype.h"
#include "devices/edmmodel.h"
#include "devices/portdevice.h"
#include "devices/scoreboard.h"
#include "devices/standaloneresult.h"
#include "devices/thirdpartyresult.h"
#include "devices/transport/outputdevice.h"
#include "devices/transport/transportlogging.h"
#include "devices/udpresultoutput.h"
#include "devices/windspeed.h"

namespace {

const QString OutputGroup = QStringLiteral("thirdpartyresult");

constexpr unsigned SerialPort = OutputDevice::SerialPortType;
constexpr unsigned BridgePort = OutputDevice::WifiToSerialType;
constexpr unsigned NoPort = OutputDevice::NoneType;

const char *const PortChoiceStyle = "*[code=\"2\"] { selection-background-color: transparent; }\n"
                                    "*[code=\"1\"] { background-color: red; color: white; "
                                    "selection-background-color: transparent; }\n"
                                    "*[code=\"0\"] { background-color: green; color: white; "
                                    "selection-background-color: transparent; }";
const char *const AddressStyle = "*[code=\"1\"] { background-color: red; color: white; }";

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

QVariantMap portDescriptor(unsigned type, const QString &name = QString(), const QString &ip = QString())
{
    return {{QStringLiteral("type"), type}, {QStringLiteral("name"), name}, {QStringLiteral("ip"), ip}};
}

} // namespace

EDMPerformanceWidget::EDMPerformanceWidget(QWidget *parent)
    : QWidget(parent)
    , m_udp(new UdpResultOutput(this))
{
    setObjectName(QStringLiteral("EDMPerformanceWidget"));
    buildForm();
    retranslate();
    setDevices(ScreenDevices::fromApplication());
}

EDMPerformanceWidget::~EDMPerformanceWidget()
{
    disconnectDevices();
}

AnimatedButton *EDMPerformanceWidget::makeButton(const QString &objectName, const QString &image)
{
    return AnimatedButton::keypadButton(objectName, image, this);
}

void EDMPerformanceWidget::buildForm()
{
    m_lblResult = new QLabel(this);
    m_lblResult->setObjectName(QStringLiteral("lblResult"));
    m_lblResult->setAlignment(Qt::AlignCenter);
    m_lblResult->setMinimumSize(320, 140);
    m_lblResult->setStyleSheet(QStringLiteral("background-color: rgb(255, 215, 15); color: black;"));
    QFont big = m_lblResult->font();
    big.setPointSize(72);
    big.setBold(true);
    m_lblResult->setFont(big);

    m_btnFail = makeButton(QStringLiteral("btnFail"), QStringLiteral("buttonfail_9"));
    m_btnPass = makeButton(QStringLiteral("btnPass"), QStringLiteral("buttonpass_9"));
    m_btnSkip = makeButton(QStringLiteral("btnSkip"), QStringLiteral("buttonskip_9"));
    m_btnRelegated = makeButton(QStringLiteral("btnRelegated"), QStringLiteral("buttonrelegated"));
    m_btnNoValidTrial = makeButton(QStringLiteral("btnNoValidTrial"), QStringLiteral("buttonbackspace_9"));
    m_btnEnter = makeButton(QStringLiteral("btnEnter"), QStringLiteral("buttonenter_9"));
    m_btnEDM = makeButton(QStringLiteral("btnEDM"), QStringLiteral("buttonedm_9"));
    m_btnWind = makeButton(QStringLiteral("btnWind"), QStringLiteral("buttonwind_9"));
    m_btnCountdown = makeButton(QStringLiteral("btnCountdown"), QStringLiteral("buttoncountdown_9"));

    m_frmTakeOffBoard = new QFrame(this);
    m_frmTakeOffBoard->setObjectName(QStringLiteral("frmTakeOffBoard"));
    m_lblTakeOffBoard = new QLabel(m_frmTakeOffBoard);
    m_rdbTakeOffBoard1 = new QRadioButton(m_frmTakeOffBoard);
    m_rdbTakeOffBoard1->setObjectName(QStringLiteral("rdbTakeOffBoard1"));
    m_rdbTakeOffBoard1->setChecked(true);
    m_rdbTakeOffBoard2 = new QRadioButton(m_frmTakeOffBoard);
    m_rdbTakeOffBoard2->setObjectName(QStringLiteral("rdbTakeOffBoard2"));
    auto *boards = new QHBoxLayout(m_frmTakeOffBoard);
    boards->addWidget(m_lblTakeOffBoard);
    boards->addWidget(m_rdbTakeOffBoard1);
    boards->addWidget(m_rdbTakeOffBoard2);
    boards->addStretch();

    // Keypad-like: the marks on the left, the devices on the right.
    auto *keys = new QGridLayout;
    keys->addWidget(m_btnFail, 0, 0);
    keys->addWidget(m_btnPass, 0, 1);
    keys->addWidget(m_btnSkip, 0, 2);
    keys->addWidget(m_btnRelegated, 1, 0);
    keys->addWidget(m_btnNoValidTrial, 1, 1);
    keys->addWidget(m_btnEnter, 1, 2);
    keys->addWidget(m_btnEDM, 0, 3);
    keys->addWidget(m_btnWind, 1, 3);
    keys->addWidget(m_btnCountdown, 0, 4);

    m_grpThirdParty = new QGroupBox(this);
    m_lblSerial = new QLabel(m_grpThirdParty);
    m_cmbThirdPartySerialPort = new QComboBox(m_grpThirdParty);
    m_cmbThirdPartySerialPort->setObjectName(QStringLiteral("cmbThirdPartySerialPort"));
    m_cmbThirdPartySerialPort->setMinimumHeight(40);
    m_cmbThirdPartySerialPort->setStyleSheet(QString::fromLatin1(PortChoiceStyle));
    auto *thirdParty = new QHBoxLayout(m_grpThirdParty);
    thirdParty->addWidget(m_lblSerial);
    thirdParty->addWidget(m_cmbThirdPartySerialPort, 1);

    m_grpUDP = new QGroupBox(this);
    m_chkUDPOutputEnabled = new QCheckBox(m_grpUDP);
    m_chkUDPOutputEnabled->setObjectName(QStringLiteral("chkUDPOutputEnabled"));
    m_lblIP = new QLabel(m_grpUDP);
    m_txtIP = new QLineEdit(m_grpUDP);
    m_txtIP->setObjectName(QStringLiteral("txtIP"));
    m_txtIP->setMinimumHeight(40);
    m_txtIP->setValidator(
        new QRegularExpressionValidator(QRegularExpression(UdpResultOutput::addressPattern()), m_txtIP));
    m_txtIP->setStyleSheet(QString::fromLatin1(AddressStyle));
    m_lblPort = new QLabel(m_grpUDP);
    m_spnPort = new QSpinBox(m_grpUDP);
    m_spnPort->setObjectName(QStringLiteral("spnPort"));
    m_spnPort->setRange(1, 65535);
    m_spnPort->setMinimumHeight(40);
    m_lblIPState = new QLabel(m_grpUDP);
    m_lblIPState->setObjectName(QStringLiteral("lblIPState"));
    m_lblIPState->setWordWrap(true);
    auto *udp = new QGridLayout(m_grpUDP);
    udp->addWidget(m_chkUDPOutputEnabled, 0, 0, 1, 2);
    udp->addWidget(m_lblIP, 1, 0);
    udp->addWidget(m_txtIP, 1, 1);
    udp->addWidget(m_lblPort, 2, 0);
    udp->addWidget(m_spnPort, 2, 1);
    udp->addWidget(m_lblIPState, 3, 0, 1, 2);

    m_chkUDPOutputEnabled->setChecked(m_udp->isEnabled());
    m_txtIP->setText(m_udp->addressText());
    m_spnPort->setValue(m_udp->port());
    showIPState();

    auto *outputs = new QVBoxLayout;
    outputs->addWidget(m_grpThirdParty);
    outputs->addWidget(m_grpUDP);
    outputs->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(m_lblResult, 1);
    left->addWidget(m_frmTakeOffBoard);
    left->addLayout(keys);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(outputs, 2);

    connect(m_btnFail, &QPushButton::clicked, this, &EDMPerformanceWidget::onFailClicked);
    connect(m_btnPass, &QPushButton::clicked, this, &EDMPerformanceWidget::onPassClicked);
    connect(m_btnSkip, &QPushButton::clicked, this, &EDMPerformanceWidget::onSkipClicked);
    connect(m_btnRelegated, &QPushButton::clicked, this, &EDMPerformanceWidget::onRelegatedClicked);
    connect(m_btnNoValidTrial, &QPushButton::clicked, this, &EDMPerformanceWidget::onNoValidTrialClicked);
    connect(m_btnEnter, &QPushButton::clicked, this, &EDMPerformanceWidget::onEnterClicked);
    connect(m_btnEDM, &QPushButton::clicked, this, &EDMPerformanceWidget::onEDMClicked);
    connect(m_btnWind, &QPushButton::clicked, this, &EDMPerformanceWidget::onWindClicked);
    connect(m_btnCountdown, &QPushButton::clicked, this, &EDMPerformanceWidget::onCountdownClicked);
    connect(m_rdbTakeOffBoard1, &QRadioButton::clicked, this, &EDMPerformanceWidget::onTakeOffBoard1Clicked);
    connect(m_rdbTakeOffBoard2, &QRadioButton::clicked, this, &EDMPerformanceWidget::onTakeOffBoard2Clicked);
    connect(m_chkUDPOutputEnabled, &QCheckBox::stateChanged, this, &EDMPerformanceWidget::onUDPOutputStateChanged);
    connect(m_txtIP, &QLineEdit::textChanged, this, &EDMPerformanceWidget::onIPTextChanged);
    connect(m_spnPort, &QSpinBox::valueChanged, this, &EDMPerformanceWidget::onPortValueChanged);
    connect(m_cmbThirdPartySerialPort, &QComboBox::currentIndexChanged, this,
            &EDMPerformanceWidget::onThirdPartySerialCurrentIndexChanged);
}

void EDMPerformanceWidget::retranslate()
{
    m_btnFail->setToolTip(tr("Set attempt to fail"));
    m_btnPass->setToolTip(tr("Set attempt to pass"));
    m_btnSkip->setToolTip(tr("Set attempt to skip"));
    m_btnRelegated->setToolTip(tr("Set attempt to retired"));
    m_btnNoValidTrial->setToolTip(tr("Set attempt to no result"));
    m_btnEnter->setToolTip(tr("Resend the result to the scoreboard"));
    m_btnEDM->setToolTip(tr("Request an EDM measurement"));
    m_btnWind->setToolTip(tr("Start a wind measurement"));
    m_btnCountdown->setToolTip(tr("Activate the countdown clock"));
    m_lblTakeOffBoard->setText(tr("Take-off board:"));
    m_rdbTakeOffBoard1->setText(QStringLiteral("1"));
    m_rdbTakeOffBoard2->setText(QStringLiteral("2"));
    m_rdbTakeOffBoard1->setToolTip(tr("Select take-off board 1 as the reference for the attempt."));
    m_rdbTakeOffBoard2->setToolTip(tr("Select take-off board 2 as the reference for the attempt."));
    m_grpThirdParty->setTitle(tr("Third party results output"));
    m_lblSerial->setText(tr("Serial:"));
    if (m_cmbThirdPartySerialPort->count() > 0)
        m_cmbThirdPartySerialPort->setItemText(0, tr("None"));
    m_grpUDP->setTitle(tr("UDP output"));
    m_chkUDPOutputEnabled->setText(tr("Send results over UDP"));
    m_lblIP->setText(tr("Address:"));
    m_lblPort->setText(tr("Port:"));
    showIPState();
}

void EDMPerformanceWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void EDMPerformanceWidget::setDevices(const ScreenDevices &devices)
{
    disconnectDevices();
    m_devices = devices;
    m_output = devices.thirdPartyResult;
    fillPortChoice();
    if (m_output)
        connect(m_output, &PortDevice::port_opened, this, &EDMPerformanceWidget::onThirdPartySerialPortOpened);
    reloadEDMState();
}

void EDMPerformanceWidget::disconnectDevices()
{
    releaseEDM();
    if (m_output)
        disconnect(m_output, nullptr, this, nullptr);
}

void EDMPerformanceWidget::reloadEDMState()
{
    EDMModel *model = m_devices.edmModel;
    if (model) {
        connect(model, &EDMModel::edmResult, this, &EDMPerformanceWidget::onEDMResult, Qt::UniqueConnection);
        // Every reading taken on the instrument itself becomes a result.
        model->setAcceptUnrequested(true);
        model->setPendingMeasurementType(ResultMeasurement);
        m_holdsEDM = true;
    }
    m_frmTakeOffBoard->setVisible(eventType() == LongOrTripleJump && EDMModel::numberOfBoards() == 2);
    setCurrentBoard();
}

void EDMPerformanceWidget::releaseEDM()
{
    if (!m_devices.edmModel)
        return;
    disconnect(m_devices.edmModel, &EDMModel::edmResult, this, &EDMPerformanceWidget::onEDMResult);
    // Only what this page switched on: a page that is deleted later must not
    // switch off what the next page has switched on.
    if (m_holdsEDM)
        m_devices.edmModel->setAcceptUnrequested(false);
    m_holdsEDM = false;
}

unsigned EDMPerformanceWidget::eventType() const
{
    return m_devices.edmModel ? m_devices.edmModel->eventType() : unsigned(NoEventType);
}

void EDMPerformanceWidget::setCurrentBoard()
{
    if (m_devices.edmModel && eventType() == LongOrTripleJump)
        m_devices.edmModel->setTakeOffBoard(m_rdbTakeOffBoard1->isChecked() ? 1 : 2);
}

void EDMPerformanceWidget::fillPortChoice()
{
    const QSignalBlocker blocker(m_cmbThirdPartySerialPort);
    m_cmbThirdPartySerialPort->clear();
    m_cmbThirdPartySerialPort->addItem(tr("None"), portDescriptor(NoPort));
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        m_cmbThirdPartySerialPort->addItem(info.portName(), portDescriptor(SerialPort, info.portName()));
    // The port the output uses, also when the machine does not list it (a
    // pty, a bridge chosen in the devices dialog).
    const QVariantMap current = PortDevice::descriptorFromSettings(OutputGroup);
    const unsigned type = current.value(QStringLiteral("type")).toUInt();
    const QString name = current.value(QStringLiteral("name")).toString();
    int index = 0;
    if (type == SerialPort && !name.isEmpty()) {
        index = m_cmbThirdPartySerialPort->findText(name);
        if (index < 0) {
            m_cmbThirdPartySerialPort->addItem(name, portDescriptor(SerialPort, name));
            index = m_cmbThirdPartySerialPort->count() - 1;
        }
    } else if (type == BridgePort) {
        const QString ip = current.value(QStringLiteral("ip")).toString();
        m_cmbThirdPartySerialPort->addItem(name.isEmpty() ? ip : name, portDescriptor(BridgePort, name, ip));
        index = m_cmbThirdPartySerialPort->count() - 1;
    }
    m_cmbThirdPartySerialPort->setCurrentIndex(index);
    onThirdPartySerialPortOpened(m_output && m_output->isPortOpen());
}

void EDMPerformanceWidget::onThirdPartySerialCurrentIndexChanged(int index)
{
    if (index < 0)
        return;
    const QVariantMap port = m_cmbThirdPartySerialPort->itemData(index).toMap();
    const unsigned type = port.value(QStringLiteral("type")).toUInt();
    Settings *settings = Settings::instance();
    settings->setValue(OutputGroup, QStringLiteral("type"), type);
    if (type == SerialPort)
        settings->setValue(OutputGroup, QStringLiteral("port"), port.value(QStringLiteral("name")));
    else if (type == BridgePort)
        settings->setValue(OutputGroup, QStringLiteral("ip"), port.value(QStringLiteral("ip")));
    onThirdPartySerialPortOpened(false);
    if (m_output)
        m_output->setPort(PortDevice::descriptorFromSettings(OutputGroup));
}

void EDMPerformanceWidget::onThirdPartySerialPortOpened(bool open)
{
    const int code = m_cmbThirdPartySerialPort->currentIndex() <= 0 ? 2 : (open ? 0 : 1);
    m_cmbThirdPartySerialPort->setProperty("code", code);
    repolish(m_cmbThirdPartySerialPort);
}

void EDMPerformanceWidget::onUDPOutputStateChanged(int state)
{
    m_udp->setEnabled(state == Qt::Checked);
}

void EDMPerformanceWidget::onIPTextChanged(QString text)
{
    m_udp->setAddressText(text);
    showIPState();
}

void EDMPerformanceWidget::onPortValueChanged(int value)
{
    m_udp->setPort(value);
    showIPState();
}

void EDMPerformanceWidget::showIPState()
{
    const bool complete = m_udp->isAddressComplete();
    m_txtIP->setProperty("code", complete ? 0 : 1);
    repolish(m_txtIP);
    m_lblIPState->setVisible(!complete);
    m_lblIPState->setText(complete ? QString()
                                   : tr("Incomplete address: results still go to %1, port %2.")
                                         .arg(m_udp->address().toString())
                                         .arg(m_udp->port()));
}

void EDMPerformanceWidget::playDrop()
{
    if (m_devices.sounds)
        m_devices.sounds->play(InterfaceSounds::Drop);
}

void EDMPerformanceWidget::showResult()
{
    m_lblResult->setText(m_resultText);
}

void EDMPerformanceWidget::send(bool udp)
{
    if (m_devices.scoreboard)
        m_devices.scoreboard->sendText(m_resultText);
    if (m_output)
        m_output->sendResult(m_resultText);
    if (udp)
        m_udp->send(m_resultText);
}

void EDMPerformanceWidget::onEDMResult(double result, double resultMeasuredByTape)
{
    qCDebug(lcTransport) << "EDM result: " << result << " by tape: " << resultMeasuredByTape;
    m_resultText = StandaloneResult::textOfDistance(result);
    showResult();
    send(true);
}

void EDMPerformanceWidget::setStatus(const QString &text)
{
    m_resultText = text;
    send(true);
    playDrop();
    showResult();
}

void EDMPerformanceWidget::onFailClicked()
{
    setStatus(StandaloneResult::Fail);
}

void EDMPerformanceWidget::onPassClicked()
{
    setStatus(StandaloneResult::Pass);
}

void EDMPerformanceWidget::onSkipClicked()
{
    setStatus(StandaloneResult::Skip);
}

void EDMPerformanceWidget::onRelegatedClicked()
{
    setStatus(StandaloneResult::Retired);
}

void EDMPerformanceWidget::onNoValidTrialClicked()
{
    setStatus(StandaloneResult::NoResult);
}

void EDMPerformanceWidget::onEnterClicked()
{
    playDrop();
    showResult();
    send(false);
}

void EDMPerformanceWidget::onEDMClicked()
{
    playDrop();
    EDMModel *model = m_devices.edmModel;
    if (!model)
        return;
    model->setPendingMeasurementType(ResultMeasurement);
    setCurrentBoard();
    m_resultText.clear();
    showResult();
    model->requestMeasurement();
}

void EDMPerformanceWidget::recalculateFromBoard(int board)
{
    if (m_devices.edmModel && StandaloneResult::isDistance(m_resultText) &&
        QMessageBox::question(
            this, tr("Recalculate result"),
            tr("Do you want to recalculate the result based on take-off board %1 as the reference?").arg(board),
            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        onEDMResult(m_devices.edmModel->recalculateResult(board, m_resultText.toDouble()), 0);
    setCurrentBoard();
}

void EDMPerformanceWidget::onTakeOffBoard1Clicked()
{
    recalculateFromBoard(1);
}

void EDMPerformanceWidget::onTakeOffBoard2Clicked()
{
    recalculateFromBoard(2);
}

void EDMPerformanceWidget::onWindClicked()
{
    if (eventType() != LongOrTripleJump)
        return;
    playDrop();
    if (m_devices.windspeed)
        m_devices.windspeed->startMeasurement(Windspeed::FiveSeconds);
}

void EDMPerformanceWidget::onCountdownClicked()
{
    playDrop();
    if (m_devices.countdownClock)
        m_devices.countdownClock->startPauseCountdown(true);
}
