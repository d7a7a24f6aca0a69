#include "app/settingsdialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "app/settings.h"

SettingsDialog::SettingsDialog(QWidget *parent, const QString &translationsFolder)
    : QDialog(parent)
    , m_lblLanguage(new QLabel(this))
    , m_cmbLanguage(new QComboBox(this))
    , m_btnOK(new QPushButton(this))
{
    m_cmbLanguage->setObjectName(QStringLiteral("cmbLanguage"));
    // Every name shown whole, whatever the font.
    m_cmbLanguage->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setIcon(QIcon(QStringLiteral(":/fatcow/icons/fatcow/accept_button.png")));
    auto *row = new QHBoxLayout;
    row->addWidget(m_lblLanguage);
    row->addWidget(m_cmbLanguage, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addWidget(m_btnOK, 0, Qt::AlignRight);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();

    // Connected before filling: choosing the stored language already tells
    // the main window.
    connect(m_cmbLanguage, &QComboBox::currentIndexChanged, this, &SettingsDialog::onLanguageChosen);
    // Tapping the entry already shown applies it as well: the box may show a
    // language that is not the one in force (no file for the stored code).
    connect(m_cmbLanguage, &QComboBox::activated, this, &SettingsDialog::onLanguageChosen);
    fillLanguages(translationsFolder.isEmpty() ? defaultTranslationsFolder() : translationsFolder);
}

QString SettingsDialog::defaultTranslationsFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}

QString SettingsDialog::languageCodeOfFile(const QString &fileName)
{
    QString base = fileName;
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        base.truncate(dot);
    const int underscore = base.indexOf(QLatin1Char('_'));
    return underscore >= 0 ? base.mid(underscore + 1) : QString();
}

QString SettingsDialog::languageName(const QString &code)
{
    const QLocale locale(code);
    // English is the one language whose own name the locale data gives with
    // a country ("American English").
    QString name = locale.language() == QLocale::English ? QLocale::languageToString(QLocale::English)
                                                         : locale.nativeLanguageName();
    if (name.isEmpty())
        return code;
    name = locale.toUpper(name.left(1)) + name.mid(1);
    if (code.contains(QLatin1Char('_')) && !locale.nativeTerritoryName().isEmpty())
        name += QStringLiteral(" (%1)").arg(locale.nativeTerritoryName());
    return name;
}

void SettingsDialog::fillLanguages(const QString &folder)
{
    const QString stored = Settings::instance()
                               ->value(QStringLiteral("general"), QStringLiteral("language"), QStringLiteral("en"))
                               .toString();
    QString system = QLocale::system().name();
    system.truncate(system.lastIndexOf(QLatin1Char('_')));

    QStringList files = QDir(folder).entryList({QStringLiteral("stadionix*.qm")}, QDir::Files, QDir::Name);
    // In the order of the names shown.
    std::stable_sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return languageName(languageCodeOfFile(a)).localeAwareCompare(languageName(languageCodeOfFile(b))) < 0;
    });
    int chosen = -1;
    bool storedFound = false;
    {
        // Filling must not announce the first entry as a choice.
        const QSignalBlocker blocker(m_cmbLanguage);
        for (const QString &file : files) {
            const QString code = languageCodeOfFile(file);
            const QString name = languageName(code);
            m_cmbLanguage->addItem(QIcon(QStringLiteral(":/flags/%1").arg(code)), name, code);
            const int index = m_cmbLanguage->count() - 1;
            if (code == stored) {
                storedFound = true;
                chosen = index;
            } else if (!storedFound && code == system) {
                chosen = index;
            }
        }
        m_cmbLanguage->setCurrentIndex(-1);
    }
    if (chosen >= 0) {
        m_cmbLanguage->setCurrentIndex(chosen);
    } else if (m_cmbLanguage->count() > 0) {
        const QSignalBlocker blocker(m_cmbLanguage);
        m_cmbLanguage->setCurrentIndex(0);
    }
}

void SettingsDialog::onLanguageChosen(int index)
{
    if (index < 0)
        return;
    emit changeLanguage(m_cmbLanguage->itemData(index).toString());
}

void SettingsDialog::retranslate()
{
    setWindowTitle(tr("Settings"));
    m_lblLanguage->setText(tr("Language:"));
    m_btnOK->setText(tr("OK"));
}

void SettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
