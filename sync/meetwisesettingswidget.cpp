#include "sync/meetwisesettingswidget.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "sync/meetwisedatesmodel.h"
#include "sync/meetwisediscovery.h"
#include "sync/meetwiserestservice.h"
#include "sync/meetwisesessionsmodel.h"

namespace {

constexpr int TouchHeight = 40;

const QString IpKey = QStringLiteral("ip");
const QString UserKey = QStringLiteral("user");
const QString PassKey = QStringLiteral("pass");
const QString CompetitionKey = QStringLiteral("competition");
// Kept for printed result sheets, which name the competition.
const QString CompetitionNameKey = QStringLiteral("competitionname");
const QString SessionsKey = QStringLiteral("sessions");
const QString DatesKey = QStringLiteral("dates");
const QString SessionIdKey = QStringLiteral("sessionID");

QString competitionId(const QVariantMap &competition)
{
    bool isNumber = false;
    const unsigned id = competition.value(QStringLiteral("id")).toUInt(&isNumber);
    return isNumber ? QString::number(id) : QString();
}

QListView *checkList(const char *objectName)
{
    auto *list = new QListView;
    list->setObjectName(QLatin1String(objectName));
    list->setUniformItemSizes(true);
    list->setMinimumHeight(3 * TouchHeight);
    // A tap anywhere on a row ticks it (see eventFilter), so rows are finger
    // high and a tap selects nothing else.
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setStyleSheet(QStringLiteral("QListView::item { min-height: %1px; }").arg(TouchHeight));
    return list;
}

QLineEdit *lineEdit(const char *objectName)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(objectName));
    edit->setMinimumHeight(TouchHeight);
    return edit;
}

} // namespace

MeetwiseSettingsWidget::MeetwiseSettingsWidget(QWidget *parent)
    : QWidget(parent)
    , m_discovery(new MeetwiseDiscovery(this))
    , m_sessions(new MeetwiseSessionsModel(this))
    , m_dates(new MeetwiseDatesModel(this))
{
    setObjectName(QStringLiteral("MeetwiseSettingsWidget"));
    buildForm();
    retranslateUi();

    connect(m_discovery, &MeetwiseDiscovery::new_server, this, &MeetwiseSettingsWidget::new_server);
    connect(this, &MeetwiseSettingsWidget::new_server, this, &MeetwiseSettingsWidget::onNewServer);
    connect(m_cmbServer, &QComboBox::currentIndexChanged, this, &MeetwiseSettingsWidget::onServerChanged);
    connect(m_cmbServer, &QComboBox::activated, this, &MeetwiseSettingsWidget::onServerChanged);
    connect(m_cmbCompetition, &QComboBox::currentIndexChanged, this, &MeetwiseSettingsWidget::onCompetitionChanged);
    connect(m_btnAddServer, &QPushButton::clicked, this, &MeetwiseSettingsWidget::onAddServerClicked);
    connect(m_txtIp, &QLineEdit::returnPressed, this, &MeetwiseSettingsWidget::onAddServerClicked);
    for (CheckableListModel *model :
         {static_cast<CheckableListModel *>(m_sessions), static_cast<CheckableListModel *>(m_dates)})
        connect(model, &QAbstractItemModel::dataChanged, this, &MeetwiseSettingsWidget::changed);
}

MeetwiseSettingsWidget::~MeetwiseSettingsWidget()
{
    if (m_client)
        m_client->setListener(nullptr);
}

void MeetwiseSettingsWidget::buildForm()
{
    m_cmbServer = new QComboBox;
    m_cmbServer->setObjectName(QStringLiteral("cmbServer"));
    m_cmbServer->setMinimumHeight(TouchHeight);
    m_cmbCompetition = new QComboBox;
    m_cmbCompetition->setObjectName(QStringLiteral("cmbCompetition"));
    m_cmbCompetition->setMinimumHeight(TouchHeight);
    m_lstSessions = checkList("lstSessions");
    m_lstSessions->setModel(m_sessions);
    m_lstDays = checkList("lstDays");
    m_lstDays->setModel(m_dates);
    for (QListView *list : {m_lstSessions, m_lstDays})
        list->viewport()->installEventFilter(this);

    m_lblServer = new QLabel;
    m_lblServer->setObjectName(QStringLiteral("lblServer"));
    m_lblCompetition = new QLabel;
    m_lblCompetition->setObjectName(QStringLiteral("lblCompetition"));
    m_lblSessions = new QLabel;
    m_lblSessions->setObjectName(QStringLiteral("lblSessions"));
    m_lblDays = new QLabel;
    m_lblDays->setObjectName(QStringLiteral("lblDays"));
    m_lblStatus = new QLabel;
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(m_lblServer, m_cmbServer);
    form->addRow(m_lblCompetition, m_cmbCompetition);
    auto *lists = new QHBoxLayout;
    for (const auto &[label, list] : {std::pair{m_lblSessions, m_lstSessions}, std::pair{m_lblDays, m_lstDays}}) {
        auto *column = new QVBoxLayout;
        column->addWidget(label);
        column->addWidget(list);
        lists->addLayout(column);
    }

    // When broadcasts do not get through, the official types the address.
    m_grpManual = new QGroupBox;
    m_grpManual->setObjectName(QStringLiteral("grpManual"));
    m_txtIp = lineEdit("txtIp");
    m_txtUser = lineEdit("txtUser");
    m_txtPass = lineEdit("txtPass");
    m_txtPass->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    m_btnAddServer = new QPushButton;
    m_btnAddServer->setObjectName(QStringLiteral("btnAddServer"));
    m_btnAddServer->setMinimumHeight(TouchHeight);
    m_lblIp = new QLabel;
    m_lblUser = new QLabel;
    m_lblPass = new QLabel;
    auto *manual = new QHBoxLayout(m_grpManual);
    for (const auto &[label, edit] :
         {std::pair{m_lblIp, m_txtIp}, std::pair{m_lblUser, m_txtUser}, std::pair{m_lblPass, m_txtPass}}) {
        label->setBuddy(edit);
        manual->addWidget(label);
        manual->addWidget(edit, edit == m_txtIp ? 2 : 1);
    }
    manual->addWidget(m_btnAddServer);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addLayout(lists, 1);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_grpManual);
}

void MeetwiseSettingsWidget::retranslateUi()
{
    m_lblServer->setText(tr("server"));
    m_lblCompetition->setText(tr("competition"));
    m_lblSessions->setText(tr("sessions"));
    m_lblDays->setText(tr("days"));
    m_grpManual->setTitle(tr("Server not listed? Type its address"));
    m_lblIp->setText(tr("Address:"));
    m_lblUser->setText(tr("User:"));
    m_lblPass->setText(tr("Password:"));
    m_btnAddServer->setText(tr("Connect"));
    showStatus();
}

void MeetwiseSettingsWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void MeetwiseSettingsWidget::showEvent(QShowEvent *event)
{
    // Discovery starts when the page is first seen, and runs while it lives.
    if (!m_discoveryStarted) {
        m_discoveryStarted = true;
        if (!m_discovery->start())
            setStatus(Status::DiscoveryUnavailable);
    }
    QWidget::showEvent(event);
}

bool MeetwiseSettingsWidget::eventFilter(QObject *watched, QEvent *event)
{
    // A tap anywhere on a row ticks it, not only on its small box.
    for (QListView *list : {m_lstSessions, m_lstDays}) {
        if (watched != list->viewport() || event->type() != QEvent::MouseButtonRelease)
            continue;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = list->indexAt(mouse->position().toPoint());
        if (mouse->button() != Qt::LeftButton || !index.isValid())
            return false;
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        list->model()->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MeetwiseSettingsWidget::setStatus(Status status, const QString &error)
{
    m_status = status;
    m_statusServer = serverAddress();
    m_statusError = error;
    showStatus();
}

void MeetwiseSettingsWidget::showStatus()
{
    QString text;
    switch (m_status) {
    case Status::Searching:
        text = tr("Looking for servers on the network...");
        break;
    case Status::DiscoveryUnavailable:
        text = tr("Servers cannot be looked for on this network. Type the server's address below.");
        break;
    case Status::Asking:
        text = tr("Asking %1 for its competitions...").arg(m_statusServer);
        break;
    case Status::NoAnswer:
        text = tr("%1 did not answer: %2").arg(m_statusServer, m_statusError);
        break;
    case Status::NoCompetitions:
        text = tr("%1 has no competitions.").arg(m_statusServer);
        break;
    case Status::Ready:
        break;
    }
    m_lblStatus->setText(text);
}

QString MeetwiseSettingsWidget::serverAddress() const
{
    return m_cmbServer->currentData().toString();
}

bool MeetwiseSettingsWidget::isConfiguredServer(const QString &address) const
{
    return !address.isEmpty() && address == m_configuration.value(IpKey).toString();
}

QString MeetwiseSettingsWidget::itemText(const QString &address) const
{
    const QString name = m_credentials.value(address).name;
    return name.isEmpty() ? address : QStringLiteral("%1 - %2").arg(name, address);
}

void MeetwiseSettingsWidget::onNewServer(QString address, QString name, QString user, QString password)
{
    Credentials &credentials = m_credentials[address];
    // A server typed by hand or read from the file has no name until it
    // answers; its name is kept when it is typed again.
    if (!name.isEmpty())
        credentials.name = name;
    credentials.user = user;
    credentials.password = password;
    const int index = m_cmbServer->findData(address);
    if (index >= 0) {
        m_cmbServer->setItemText(index, itemText(address));
        if (index == m_cmbServer->currentIndex() && m_client) {
            m_client->setUser(user);
            m_client->setPassword(password);
            emit changed();
        }
        return;
    }
    m_cmbServer->addItem(itemText(address), address);
}

void MeetwiseSettingsWidget::onServerChanged()
{
    if (m_client) {
        // Its answers, still on their way, belong to the server left behind.
        m_client->setListener(nullptr);
        disconnect(m_client, nullptr, this, nullptr);
        m_client->deleteLater();
        m_client = nullptr;
    }
    m_competitionsReply = nullptr;
    {
        const QSignalBlocker blocker(m_cmbCompetition);
        m_cmbCompetition->clear();
    }
    onCompetitionChanged();

    const QString address = serverAddress();
    if (address.isEmpty())
        return;
    const Credentials credentials = m_credentials.value(address);
    m_client = new MeetwiseRESTService(this);
    m_client->setListener(this);
    m_client->setHost(address);
    m_client->setUser(credentials.user);
    m_client->setPassword(credentials.password);
    m_client->setTransferTimeout(RequestTimeout);
    connect(m_client, &MeetwiseRESTService::requestFinished, this, &MeetwiseSettingsWidget::onRequestFinished);
    m_competitionsReply = m_client->requestCompetitions();
    setStatus(Status::Asking);
}

void MeetwiseSettingsWidget::onRequestFinished(QNetworkReply *reply)
{
    if (reply != m_competitionsReply)
        return;
    m_competitionsReply = nullptr;
    if (reply->error() != QNetworkReply::NoError)
        setStatus(Status::NoAnswer, reply->errorString());
    else if (m_cmbCompetition->count() == 0)
        setStatus(Status::NoCompetitions);
}

void MeetwiseSettingsWidget::competitionsReceived(const QList<QVariantMap> &competitions)
{
    for (const QVariantMap &competition : competitions) {
        const QString id = competitionId(competition);
        if (id.isEmpty())
            continue;
        bool listed = false;
        for (int i = 0; i < m_cmbCompetition->count() && !listed; ++i)
            listed = competitionId(m_cmbCompetition->itemData(i).toMap()) == id;
        if (!listed)
            m_cmbCompetition->addItem(competition.value(QStringLiteral("name")).toString(), competition);
    }
    if (isConfiguredServer(serverAddress())) {
        for (int i = 0; i < m_cmbCompetition->count(); ++i) {
            if (competitionId(m_cmbCompetition->itemData(i).toMap()) ==
                m_configuration.value(CompetitionKey).toString())
                m_cmbCompetition->setCurrentIndex(i);
        }
    }
    setStatus(m_cmbCompetition->count() > 0 ? Status::Ready : Status::NoCompetitions);
    emit changed();
}

void MeetwiseSettingsWidget::onCompetitionChanged()
{
    if (m_cmbCompetition->currentIndex() < 0) {
        m_sessions->setSessions({});
        m_dates->setDates(QDate(), QDate());
        emit changed();
        return;
    }
    const QVariantMap competition = m_cmbCompetition->currentData().toMap();
    m_sessions->setSessions(competition.value(QStringLiteral("sessions")).toList());
    m_dates->setDates(competition.value(QStringLiteral("startdate")).toString(),
                      competition.value(QStringLiteral("enddate")).toString());
    // The stored choice comes back with the stored competition.
    if (isConfiguredServer(serverAddress()) &&
        competitionId(competition) == m_configuration.value(CompetitionKey).toString()) {
        m_sessions->setCheckedText(m_configuration.value(SessionsKey).toString());
        m_dates->setCheckedText(m_configuration.value(DatesKey).toString());
    }
    emit changed();
}

void MeetwiseSettingsWidget::onAddServerClicked()
{
    const QString address = m_txtIp->text().trimmed();
    if (address.isEmpty())
        return;
    const bool listed = m_cmbServer->findData(address) >= 0;
    // The first server in the list is chosen as it is added, and asked.
    onNewServer(address, QString(), m_txtUser->text(), m_txtPass->text());
    const int index = m_cmbServer->findData(address);
    if (index != m_cmbServer->currentIndex())
        m_cmbServer->setCurrentIndex(index);
    else if (listed)
        onServerChanged(); // asks again, with what was typed
}

void MeetwiseSettingsWidget::setConfiguration(const QVariantMap &configuration)
{
    m_configuration = configuration;
    m_txtIp->setText(configuration.value(IpKey).toString());
    m_txtUser->setText(configuration.value(UserKey).toString());
    m_txtPass->setText(configuration.value(PassKey).toString());
    onAddServerClicked();
}

QString MeetwiseSettingsWidget::chosen(const QString &key) const
{
    if (m_cmbCompetition->currentIndex() >= 0) {
        if (key == CompetitionKey)
            return competitionId(m_cmbCompetition->currentData().toMap());
        if (key == CompetitionNameKey)
            return m_cmbCompetition->currentText();
        return key == SessionsKey ? m_sessions->checkedText() : m_dates->checkedText();
    }
    // Not listed (yet): what was stored stays, rather than be lost.
    return isConfiguredServer(serverAddress()) ? m_configuration.value(key).toString() : QString();
}

QVariantMap MeetwiseSettingsWidget::configuration() const
{
    const QString address = serverAddress();
    const Credentials credentials = m_credentials.value(address);
    return {{IpKey, address},
            {UserKey, credentials.user},
            {PassKey, credentials.password},
            {CompetitionKey, chosen(CompetitionKey)},
            {CompetitionNameKey, chosen(CompetitionNameKey)},
            {SessionsKey, chosen(SessionsKey)},
            {DatesKey, chosen(DatesKey)},
            {SessionIdKey, m_client ? m_client->sessionId() : QString()}};
}

bool MeetwiseSettingsWidget::isComplete() const
{
    const QString competition = chosen(CompetitionKey);
    return !serverAddress().isEmpty() && !competition.isEmpty() && competition != QLatin1String("0");
}
