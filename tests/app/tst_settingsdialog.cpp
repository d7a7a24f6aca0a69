#include <QApplication>
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings.h"
#include "app/settingsdialog.h"
#include "support/testsupport.h"

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void languageCode_data();
    void languageCode();
    void storedLanguage_selected();
    void noTranslationFiles_emptyListNothingEmitted();
    void choosingAnother_emitsItsCode();
    void tappingTheShownEntry_appliesIt();
    void languageName_ownName_data();
    void languageName_ownName();
    void everyName_shownWhole();
};

static QString folderWith(QTemporaryDir &dir, const QStringList &files)
{
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
    }
    return dir.path();
}

void TestSettingsDialog::languageCode_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("code");
    QTest::newRow("dutch") << "stadionix_nl.qm"
                           << "nl";
    QTest::newRow("region kept after the first underscore") << "stadionix_pt_BR.qm"
                                                            << "pt_BR";
}

void TestSettingsDialog::languageCode()
{
    QFETCH(QString, file);
    QFETCH(QString, code);
    QCOMPARE(SettingsDialog::languageCodeOfFile(file), code);
}

void TestSettingsDialog::storedLanguage_selected()
{
    Settings::instance()->setValue("general", "language", "fr");
    QTemporaryDir dir;
    const QString folder =
        folderWith(dir, {"stadionix_de.qm", "stadionix_en.qm", "stadionix_fr.qm", "stadionix_nl.qm", "other_it.qm"});
    SettingsDialog dialog(nullptr, folder);
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbLanguage"));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->currentData().toString(), QStringLiteral("fr"));
    QCOMPARE(combo->currentText(), QStringLiteral("Français"));
    QVERIFY(!combo->itemIcon(combo->currentIndex()).isNull());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
}

void TestSettingsDialog::noTranslationFiles_emptyListNothingEmitted()
{
    QTemporaryDir dir;
    SettingsDialog dialog(nullptr, dir.path());
    QSignalSpy spy(&dialog, &SettingsDialog::changeLanguage);
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbLanguage"));
    QCOMPARE(combo->count(), 0);
    QCOMPARE(spy.count(), 0);
}

void TestSettingsDialog::choosingAnother_emitsItsCode()
{
    Settings::instance()->setValue("general", "language", "en");
    QTemporaryDir dir;
    SettingsDialog dialog(nullptr, folderWith(dir, {"stadionix_de.qm", "stadionix_en.qm", "stadionix_nl.qm"}));
    QSignalSpy spy(&dialog, &SettingsDialog::changeLanguage);
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbLanguage"));
    combo->setCurrentIndex(combo->findData(QStringLiteral("nl")));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), QStringLiteral("nl"));
}

void TestSettingsDialog::tappingTheShownEntry_appliesIt()
{
    // No file for the stored code: the box shows a language that may not be
    // the one in force, and choosing it must still apply it.
    Settings::instance()->setValue("general", "language", "fr");
    QTemporaryDir dir;
    SettingsDialog dialog(nullptr, folderWith(dir, {"stadionix_de.qm", "stadionix_nl.qm"}));
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbLanguage"));
    QVERIFY(combo->currentIndex() >= 0);
    const QString shown = combo->currentData().toString();
    QSignalSpy spy(&dialog, &SettingsDialog::changeLanguage);
    emit combo->activated(combo->currentIndex());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), shown);
}

void TestSettingsDialog::languageName_ownName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("German") << "de"
                            << "Deutsch";
    QTest::newRow("English, without a country") << "en"
                                                << "English";
    QTest::newRow("French, capitalised") << "fr"
                                         << "Français";
    QTest::newRow("Dutch") << "nl"
                           << "Nederlands";
    QTest::newRow("a country named in the code") << "pt_BR"
                                                 << "Português (Brasil)";
}

void TestSettingsDialog::languageName_ownName()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(SettingsDialog::languageName(code), name);
}

void TestSettingsDialog::everyName_shownWhole()
{
    // The program's 18-point font, and a dialog as small as it will go.
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(18);
    QApplication::setFont(large);
    QTemporaryDir dir;
    SettingsDialog dialog(
        nullptr, folderWith(dir, {"stadionix_de.qm", "stadionix_en.qm", "stadionix_fr.qm", "stadionix_nl.qm"}));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(dialog.minimumSizeHint());
    QCoreApplication::processEvents();
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbLanguage"));
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.iconSize = combo->iconSize();
    const QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    for (int index = 0; index < combo->count(); ++index) {
        const QString name = combo->itemText(index);
        QVERIFY2(field.width() >= combo->fontMetrics().horizontalAdvance(name) + combo->iconSize().width(),
                 qPrintable(name));
    }
    QApplication::setFont(before);
}

STADIONIX_TEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
