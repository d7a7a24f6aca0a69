#include "schedule/syncsettingsdialog.h"

#include <QButtonGroup>
#include <QDate>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString DateFormat = QStringLiteral("yyyyMMdd");

QString settingText(const QSettings &file, const QString &key)
{
    // An unquoted value with commas (as "sessions=3,4") reads back as a list.
    const QVariant value = file.value(key);
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QLineEdit *lineEdit(const char *objectName, const QString &pattern = QString())
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(objectName));
    edit->setMinimumHeight(40);
    if (!pattern.isEmpty())
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

bool datesValid(const QString &text)
{
    if (text.isEmpty())
        return true;
    const QStringList days = text.split(QLatin1Char(','));
    for (const QString &day : days) {
        if (!QDate::fromString(day, DateFormat).isValid())
            return false;
    }
    return true;
}

} // namespace

SyncSettingsDialog::SyncSettingsDialog(const QString &syncFilePath, int kind, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SyncSettingsDialog"));
    buildForm();
    retranslateUi();
    readFile(syncFilePath);
    if (kind == Meetwise)
        m_rdbMeetwise->setChecked(true);
    else if (kind == AtletiekNu)
        m_rdbAtletiekNu->setChecked(true);
    updateState();
}

void SyncSettingsDialog::buildForm()
{
    m_rdbMeetwise = new QRadioButton;
    m_rdbMeetwise->setObjectName(QStringLiteral("rdbMeetwise"));
    m_rdbAtletiekNu = new QRadioButton;
    m_rdbAtletiekNu->setObjectName(QStringLiteral("rdbAtletiekNu"));
    auto *kinds = new QButtonGroup(this);
    kinds->addButton(m_rdbMeetwise, Meetwise);
    kinds->addButton(m_rdbAtletiekNu, AtletiekNu);

    m_txtIp = lineEdit("txtIp");
    m_txtUser = lineEdit("txtUser");
    m_txtPass = lineEdit("txtPass");
    m_txtPass->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    m_txtCompetition = lineEdit("txtCompetition", QStringLiteral("\\d*"));
    m_txtSessions = lineEdit("txtSessions", QStringLiteral("(\\d+(,\\d+)*)?"));
    m_txtDates = lineEdit("txtDates", QStringLiteral("(\\d{8}(,\\d{8})*)?"));
    m_txtSessionId = lineEdit("txtSessionId");
    m_txtCode = lineEdit("txtCode");
    m_txtServerTimeOffset = lineEdit("txtServerTimeOffset", QStringLiteral("-?\\d*"));

    auto addRow = [this](QFormLayout *form, const char *label, QLineEdit *edit) {
        auto *text = new QLabel;
        text->setBuddy(edit);
        form->addRow(text, edit);
        m_labels.append({text, label});
    };

    auto *meetwisePage = new QWidget;
    auto *meetwiseForm = new QFormLayout(meetwisePage);
    addRow(meetwiseForm, QT_TR_NOOP("Server address:"), m_txtIp);
    addRow(meetwiseForm, QT_TR_NOOP("User:"), m_txtUser);
    addRow(meetwiseForm, QT_TR_NOOP("Password:"), m_txtPass);
    addRow(meetwiseForm, QT_TR_NOOP("Competition:"), m_txtCompetition);
    addRow(meetwiseForm, QT_TR_NOOP("Sessions (comma-separated):"), m_txtSessions);
    addRow(meetwiseForm, QT_TR_NOOP("Days (yyyyMMdd, comma-separated):"), m_txtDates);
    addRow(meetwiseForm, QT_TR_NOOP("Session ID:"), m_txtSessionId);

    auto *atletiekNuPage = new QWidget;
    auto *atletiekNuForm = new QFormLayout(atletiekNuPage);
    addRow(atletiekNuForm, QT_TR_NOOP("Competition code:"), m_txtCode);
    addRow(atletiekNuForm, QT_TR_NOOP("Server time offset (ms):"), m_txtServerTimeOffset);

    m_pages = new QStackedWidget;
    m_pages->addWidget(new QWidget); // nothing chosen yet
    m_pages->addWidget(meetwisePage);
    m_pages->addWidget(atletiekNuPage);

    m_btnOK = new QPushButton;
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton;
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *kindRow = new QHBoxLayout;
    kindRow->addWidget(m_rdbMeetwise);
    kindRow->addWidget(m_rdbAtletiekNu);
    kindRow->addStretch();
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_btnOK);
    buttonRow->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(kindRow);
    layout->addWidget(m_pages);
    layout->addLayout(buttonRow);

    connect(kinds, &QButtonGroup::idToggled, this, [this](int, bool) { updateState(); });
    for (QLineEdit *edit : {m_txtIp, m_txtUser, m_txtPass, m_txtCompetition, m_txtSessions, m_txtDates, m_txtSessionId,
                            m_txtCode, m_txtServerTimeOffset})
        connect(edit, &QLineEdit::textChanged, this, &SyncSettingsDialog::updateState);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SyncSettingsDialog::retranslateUi()
{
    setWindowTitle(tr("Server connection"));
    m_rdbMeetwise->setText(tr("Meetwise server"));
    m_rdbAtletiekNu->setText(tr("AtletiekNu service"));
    for (const auto &[label, text] : std::as_const(m_labels))
        static_cast<QLabel *>(label)->setText(tr(text));
    m_btnOK->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
}

void SyncSettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void SyncSettingsDialog::readFile(const QString &syncFilePath)
{
    const QSettings file(syncFilePath, QSettings::IniFormat);
    m_txtIp->setText(settingText(file, QStringLiteral("ip")));
    m_txtUser->setText(settingText(file, QStringLiteral("user")));
    m_txtPass->setText(settingText(file, QStringLiteral("pass")));
    m_txtCompetition->setText(settingText(file, QStringLiteral("competition")));
    m_txtSessions->setText(settingText(file, QStringLiteral("sessions")));
    m_txtDates->setText(settingText(file, QStringLiteral("dates")));
    m_txtSessionId->setText(settingText(file, QStringLiteral("sessionID")));
    m_txtCode->setText(settingText(file, QStringLiteral("code")));
    m_txtServerTimeOffset->setText(settingText(file, QStringLiteral("servertimeoffset")));

    const QString type = settingText(file, QStringLiteral("type")).toLower();
    if (type == QLatin1String("meetwise"))
        m_rdbMeetwise->setChecked(true);
    else if (type == QLatin1String("atletieknu"))
        m_rdbAtletiekNu->setChecked(true);
}

void SyncSettingsDialog::updateState()
{
    const int kind = serverKind();
    m_pages->setCurrentIndex(kind);
    bool complete = false;
    if (kind == Meetwise) {
        complete = !m_txtIp->text().trimmed().isEmpty() && m_txtCompetition->hasAcceptableInput() &&
                   m_txtSessions->hasAcceptableInput() && m_txtDates->hasAcceptableInput() &&
                   datesValid(m_txtDates->text());
    } else if (kind == AtletiekNu) {
        complete = !m_txtCode->text().trimmed().isEmpty() && m_txtServerTimeOffset->hasAcceptableInput();
    }
    m_btnOK->setEnabled(complete);
}

int SyncSettingsDialog::serverKind() const
{
    if (m_rdbMeetwise->isChecked())
        return Meetwise;
    if (m_rdbAtletiekNu->isChecked())
        return AtletiekNu;
    return NoServer;
}

QVariantMap SyncSettingsDialog::meetwiseData() const
{
    return {
        {QStringLiteral("ip"), m_txtIp->text().trimmed()},
        {QStringLiteral("user"), m_txtUser->text()},
        {QStringLiteral("pass"), m_txtPass->text()},
        {QStringLiteral("competition"), m_txtCompetition->text()},
        {QStringLiteral("sessions"), m_txtSessions->text()},
        {QStringLiteral("dates"), m_txtDates->text()},
        {QStringLiteral("sessionID"), m_txtSessionId->text()},
    };
}

QVariantMap SyncSettingsDialog::atletiekNuData() const
{
    return {
        {QStringLiteral("code"), m_txtCode->text().trimmed()},
        {QStringLiteral("servertimeoffset"), m_txtServerTimeOffset->text()},
    };
}
