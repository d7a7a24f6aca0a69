#include "sync/atletieknusettingswidget.h"

#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSslCertificate>

#include "app/settings.h"
#include "sync/atletieknurestservice.h"
#include "sync/synclogging.h"

namespace {

constexpr int TouchHeight = 40;
const QString SettingsGroup = QStringLiteral("atletieknu");
const QString CodeKey = QStringLiteral("code");
const QString OffsetKey = QStringLiteral("servertimeoffset");

QList<QSslCertificate> trustedCertificates(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSync) << "Cannot read the certificate to trust" << path << file.errorString();
        return {};
    }
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(file.readAll(), QSsl::Pem);
    if (certificates.isEmpty())
        qCWarning(lcSync) << "No certificate in" << path;
    return certificates;
}

} // namespace

AtletiekNuSettingsWidget::AtletiekNuSettingsWidget(QWidget *parent)
    : QWidget(parent)
    , m_service(new AtletiekNuRESTService(this))
{
    setObjectName(QStringLiteral("wdgAtletiekNu"));
    Settings *settings = Settings::instance();
    const QString host = settings->value(SettingsGroup, QStringLiteral("host")).toString().trimmed();
    m_service->setHost(QUrl(host.isEmpty() ? QString::fromLatin1(AtletiekNuRESTService::DefaultHost) : host));
    m_service->setTrustedCertificates(
        trustedCertificates(settings->value(SettingsGroup, QStringLiteral("certificate")).toString()));
    m_service->setListener(this);
    buildForm();
    retranslateUi();

    m_loginDelay.setSingleShot(true);
    m_loginDelay.setInterval(LoginDelay);
    connect(&m_loginDelay, &QTimer::timeout, this, &AtletiekNuSettingsWidget::onLoginDelayElapsed);
    connect(m_txtSynchronisationCode, &QLineEdit::textChanged, this, &AtletiekNuSettingsWidget::onCodeChanged);
    connect(m_txtServerTimeOffset, &QLineEdit::textChanged, this, &AtletiekNuSettingsWidget::changed);
    connect(m_btnServerTimeOffsetRefresh, &QPushButton::clicked, this,
            &AtletiekNuSettingsWidget::onRefreshServerTimeOffset);
    connect(m_service, &AtletiekNuRESTService::resultsNotUploaded, this,
            &AtletiekNuSettingsWidget::onResultsNotUploaded);
}

AtletiekNuSettingsWidget::~AtletiekNuSettingsWidget()
{
    m_service->setListener(nullptr);
}

void AtletiekNuSettingsWidget::buildForm()
{
    m_txtSynchronisationCode = new QLineEdit;
    m_txtSynchronisationCode->setObjectName(QStringLiteral("txtSynchronisationCode"));
    m_txtSynchronisationCode->setMinimumHeight(TouchHeight);
    m_txtServerTimeOffset = new QLineEdit;
    m_txtServerTimeOffset->setObjectName(QStringLiteral("txtServerTimeOffset"));
    m_txtServerTimeOffset->setMinimumHeight(TouchHeight);
    m_txtServerTimeOffset->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d*")), m_txtServerTimeOffset));
    m_btnServerTimeOffsetRefresh = new QPushButton;
    m_btnServerTimeOffsetRefresh->setObjectName(QStringLiteral("btnServerTimeOffsetRefresh"));
    m_btnServerTimeOffsetRefresh->setIcon(QIcon(QStringLiteral(":/fatcow/icons/fatcow/arrow_refresh.png")));
    m_btnServerTimeOffsetRefresh->setIconSize(QSize(32, 32));
    m_btnServerTimeOffsetRefresh->setMinimumSize(TouchHeight + 8, TouchHeight);
    m_lblInfo = new QLabel;
    m_lblInfo->setObjectName(QStringLiteral("lblInfo"));
    m_lblInfo->setWordWrap(true);
    m_lblInfo->setMinimumHeight(TouchHeight);
    m_lblCode = new QLabel;
    m_lblCode->setBuddy(m_txtSynchronisationCode);
    m_lblOffset = new QLabel;
    m_lblOffset->setBuddy(m_txtServerTimeOffset);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lblCode, 0, 0);
    layout->addWidget(m_txtSynchronisationCode, 0, 1, 1, 2);
    layout->addWidget(m_lblOffset, 1, 0);
    layout->addWidget(m_txtServerTimeOffset, 1, 1);
    layout->addWidget(m_btnServerTimeOffsetRefresh, 1, 2);
    layout->addWidget(m_lblInfo, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);
}

void AtletiekNuSettingsWidget::retranslateUi()
{
    m_lblCode->setText(tr("competition code:"));
    m_lblOffset->setText(tr("server time offset:"));
    m_btnServerTimeOffsetRefresh->setToolTip(tr("Measure the server time offset again"));
}

void AtletiekNuSettingsWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void AtletiekNuSettingsWidget::onCodeChanged(QString code)
{
    Q_UNUSED(code)
    // The verdict on the code as it was is no verdict on the code as it is.
    m_lblInfo->clear();
    m_lblInfo->setStyleSheet(QString());
    m_loginDelay.start();
    emit changed();
}

void AtletiekNuSettingsWidget::onLoginDelayElapsed()
{
    const QString code = m_txtSynchronisationCode->text().trimmed();
    if (!code.isEmpty())
        m_service->setCode(code);
}

void AtletiekNuSettingsWidget::onRefreshServerTimeOffset()
{
    m_service->refreshTimeOffset();
}

void AtletiekNuSettingsWidget::loginFinished(bool success, const QString &text)
{
    m_lblInfo->setText(text);
    m_lblInfo->setStyleSheet(QLatin1String(success ? SuccessStyle : FailureStyle));
}

void AtletiekNuSettingsWidget::serverTimeOffsetReceived(qint64 offset)
{
    m_txtServerTimeOffset->setText(QString::number(offset));
}

void AtletiekNuSettingsWidget::onResultsNotUploaded(const QString &errorText)
{
    QMessageBox::warning(this, QStringLiteral("AtletiekNu"),
                         tr("The results could not be uploaded to AtletiekNu: %1").arg(errorText));
}

void AtletiekNuSettingsWidget::setConfiguration(const QVariantMap &configuration)
{
    m_txtSynchronisationCode->setText(configuration.value(CodeKey).toString());
    // Kept until a new measurement replaces it, so that accepting the dialog
    // before the service answers does not lose it.
    m_txtServerTimeOffset->setText(configuration.value(OffsetKey).toString());
}

QVariantMap AtletiekNuSettingsWidget::configuration() const
{
    return {{CodeKey, m_txtSynchronisationCode->text().trimmed()}, {OffsetKey, m_txtServerTimeOffset->text()}};
}

bool AtletiekNuSettingsWidget::isComplete() const
{
    return !m_txtSynchronisationCode->text().trimmed().isEmpty() && m_txtServerTimeOffset->hasAcceptableInput();
}
