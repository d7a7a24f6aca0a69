#include "sync/folderinfodialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/settings.h"
#include "sync/atletieknusettingswidget.h"
#include "sync/meetwisesettingswidget.h"

namespace {

constexpr int ToggleHeight = 60;

QString settingText(const QSettings &file, const QString &key)
{
    // An unquoted value with commas (as "sessions=3,4") reads back as a list.
    const QVariant value = file.value(key);
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QVariantMap settingsOf(const QSettings &file, const QStringList &keys)
{
    QVariantMap map;
    for (const QString &key : keys)
        map.insert(key, settingText(file, key));
    return map;
}

QPushButton *kindToggle(const char *objectName, const QString &icon)
{
    auto *button = new QPushButton;
    button->setObjectName(QLatin1String(objectName));
    button->setCheckable(true);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(40, 40));
    button->setMinimumHeight(ToggleHeight);
    return button;
}

} // namespace

FolderInfoDialog::FolderInfoDialog(const QString &syncFilePath, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FolderInfoDialog"));
    buildForm();
    retranslateUi();
    readFile(syncFilePath);
    updateState();
}

void FolderInfoDialog::buildForm()
{
    m_btnMeetwise = kindToggle("btnMeetwise", QStringLiteral(":/fatcow/icons/fatcow/database_link.png"));
    m_btnAtletiekNu = kindToggle("btnAtletiekNu", QStringLiteral(":/custom/atletieknu"));
    m_meetwise = new MeetwiseSettingsWidget;
    m_atletiekNu = new AtletiekNuSettingsWidget;
    m_pages = new QStackedWidget;
    m_pages->setObjectName(QStringLiteral("stkPages"));
    m_pages->addWidget(new QWidget); // no server chosen
    m_pages->addWidget(m_meetwise);
    m_pages->addWidget(m_atletiekNu);

    m_btnOK = new QPushButton;
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setIcon(QIcon(QStringLiteral(":/fatcow/icons/fatcow/accept_button.png")));
    m_btnOK->setMinimumHeight(ToggleHeight);
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton;
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setMinimumHeight(ToggleHeight);

    auto *kinds = new QHBoxLayout;
    kinds->addWidget(m_btnMeetwise);
    kinds->addWidget(m_btnAtletiekNu);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    connect(m_btnMeetwise, &QPushButton::toggled, this, &FolderInfoDialog::onMeetwiseToggled);
    connect(m_btnAtletiekNu, &QPushButton::toggled, this, &FolderInfoDialog::onAtletiekNuToggled);
    connect(m_meetwise, &MeetwiseSettingsWidget::changed, this, &FolderInfoDialog::updateState);
    connect(m_atletiekNu, &AtletiekNuSettingsWidget::changed, this, &FolderInfoDialog::updateState);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FolderInfoDialog::retranslateUi()
{
    setWindowTitle(tr("Server connection"));
    m_btnMeetwise->setText(tr("Meetwise server"));
    m_btnAtletiekNu->setText(QStringLiteral("AtletiekNu"));
    m_btnOK->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
}

void FolderInfoDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void FolderInfoDialog::readFile(const QString &syncFilePath)
{
    const QSettings file(syncFilePath, QSettings::IniFormat);
    const QString type = settingText(file, QStringLiteral("type")).toLower();
    if (type == QLatin1String("meetwise"))
        m_meetwise->setConfiguration(
            settingsOf(file, {QStringLiteral("ip"), QStringLiteral("user"), QStringLiteral("pass"),
                              QStringLiteral("competition"), QStringLiteral("competitionname"),
                              QStringLiteral("sessions"), QStringLiteral("dates"), QStringLiteral("sessionID")}));
    else if (type == QLatin1String("atletieknu"))
        m_atletiekNu->setConfiguration(settingsOf(file, {QStringLiteral("code"), QStringLiteral("servertimeoffset")}));

    int kind = Settings::instance()->value(QStringLiteral("communication"), QStringLiteral("database")).toInt();
    if (kind != Meetwise && kind != AtletiekNu)
        kind = type == QLatin1String("meetwise") ? Meetwise : type == QLatin1String("atletieknu") ? AtletiekNu : 0;
    if (kind == Meetwise)
        m_btnMeetwise->setChecked(true);
    else if (kind == AtletiekNu)
        m_btnAtletiekNu->setChecked(true);
}

void FolderInfoDialog::onMeetwiseToggled(bool checked)
{
    keepOneChecked(m_btnMeetwise, m_btnAtletiekNu, checked);
}

void FolderInfoDialog::onAtletiekNuToggled(bool checked)
{
    keepOneChecked(m_btnAtletiekNu, m_btnMeetwise, checked);
}

void FolderInfoDialog::keepOneChecked(QPushButton *toggled, QPushButton *other, bool checked)
{
    {
        // Set silently, so that these changes do not come back here.
        const QSignalBlocker blockToggled(toggled);
        const QSignalBlocker blockOther(other);
        if (checked)
            other->setChecked(false);
        else if (!other->isChecked())
            toggled->setChecked(true); // tapping the chosen kind again keeps it
    }
    updateState();
}

int FolderInfoDialog::serverKind() const
{
    if (m_btnMeetwise->isChecked())
        return Meetwise;
    if (m_btnAtletiekNu->isChecked())
        return AtletiekNu;
    return NoServer;
}

QString FolderInfoDialog::databaseType() const
{
    switch (serverKind()) {
    case Meetwise:
        return QStringLiteral("meetwise");
    case AtletiekNu:
        return QStringLiteral("atletieknu");
    default:
        return QString();
    }
}

QVariantMap FolderInfoDialog::configuration() const
{
    switch (serverKind()) {
    case Meetwise:
        return m_meetwise->configuration();
    case AtletiekNu:
        return m_atletiekNu->configuration();
    default:
        return {};
    }
}

void FolderInfoDialog::updateState()
{
    const int kind = serverKind();
    m_pages->setCurrentIndex(kind);
    const bool complete =
        (kind == Meetwise && m_meetwise->isComplete()) || (kind == AtletiekNu && m_atletiekNu->isComplete());
    m_btnOK->setEnabled(complete);
}
