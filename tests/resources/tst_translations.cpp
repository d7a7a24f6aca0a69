#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>

#include "app/aboutdialog.h"
#include "app/clickablelabel.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "app/settingsdialog.h"
#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/resortparticipationsdialog.h"
#include "store/unconfirmedactionsdialog.h"
#include "store/unconfirmedactionsmodel.h"
#include "support/testsupport.h"

namespace {

struct TsMessage
{
    QString context;
    QString source;
    QString comment;
    QString type; // "unfinished", "vanished", "obsolete" or empty when finished
    bool numerus = false;
    QStringList translations; // one entry, or one per plural form
};

struct TsFile
{
    QString error;
    QString language;
    QList<TsMessage> messages;
};

QString keyOf(const TsMessage &message)
{
    return message.context + QLatin1String(" | ") + message.source +
           (message.comment.isEmpty() ? QString() : QLatin1String(" | ") + message.comment);
}

TsFile readTs(const QString &path)
{
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = QStringLiteral("cannot open %1").arg(path);
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            ts.language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = TsMessage();
            message.context = context;
            message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (message.numerus) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("numerusform"))
                        message.translations << xml.readElementText();
                    else
                        xml.skipCurrentElement();
                }
            } else {
                message.translations << xml.readElementText();
            }
            // <translation> closes a message in every file lupdate writes.
            ts.messages << message;
        }
    }
    if (xml.hasError())
        ts.error = QStringLiteral("%1: %2 at line %3").arg(path, xml.errorString()).arg(xml.lineNumber());
    return ts;
}

// The arg() markers of a text: "%1" (also written "%L1") and "%n".
QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?(\\d{1,2}|n)"));
    QSet<QString> found;
    for (const auto &match : marker.globalMatch(text))
        found.insert(QLatin1Char('%') + match.captured(1));
    return found;
}

QString tsPath(const QString &language)
{
    return TestSupport::sourceDir() + QStringLiteral("/resources/translations/stadionix_%1.ts").arg(language);
}

QString qmFolder()
{
    return TestSupport::buildDir() + QStringLiteral("/translations");
}

QString lupdatePath()
{
    // Not the lupdate on PATH: on Debian that may be the Qt 5 one, which reads
    // the sources differently.
    for (const QString &folder : {QLibraryInfo::path(QLibraryInfo::BinariesPath), QStringLiteral("/usr/lib/qt6/bin")}) {
        const QFileInfo candidate(folder + QStringLiteral("/lupdate"));
        if (candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QString();
}

// Texts the officials and the other systems read as marks: a translation
// must not turn them into something else.
const QSet<QString> marks{QStringLiteral("X"),   QStringLiteral("-"),   QStringLiteral("0"),   QStringLiteral("r"),
                          QStringLiteral("(r)"), QStringLiteral("DNS"), QStringLiteral("DNF"), QStringLiteral("DQ"),
                          QStringLiteral("NR"),  QStringLiteral("RUP")};

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void sourceFile_complete_data();
    void sourceFile_complete();
    void sourceFile_upToDate_data();
    void sourceFile_upToDate();
    void compiledFile_matchesSource_data();
    void compiledFile_matchesSource();
    void settingsDialog_listsEveryLanguageWithFlag();
    void languageSwitch_relabelsOpenScreens_data();
    void languageSwitch_relabelsOpenScreens();
};

void TestTranslations::sourceFile_complete_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("Dutch") << "nl";
    QTest::newRow("French") << "fr";
    QTest::newRow("German") << "de";
}

void TestTranslations::sourceFile_complete()
{
    QFETCH(QString, language);
    const TsFile ts = readTs(tsPath(language));
    QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
    QVERIFY2(ts.language.startsWith(language), qPrintable(ts.language));
    QVERIFY(ts.messages.size() > 100);

    QStringList problems;
    for (const TsMessage &message : ts.messages) {
        const QString key = keyOf(message);
        if (!message.type.isEmpty())
            problems << QStringLiteral("%1: %2").arg(message.type, key);
        if (message.translations.isEmpty())
            problems << QStringLiteral("no translation: %1").arg(key);
        const QSet<QString> wanted = placeholders(message.source);
        for (const QString &translation : message.translations) {
            if (translation.trimmed().isEmpty()) {
                problems << QStringLiteral("empty: %1").arg(key);
                continue;
            }
            // A missing %1 drops the value; an extra one shows a raw "%2".
            const QSet<QString> given = placeholders(translation);
            if (given != wanted)
                problems << QStringLiteral("placeholders differ: %1 -> %2").arg(key, translation);
            if (marks.contains(message.source) && translation != message.source)
                problems << QStringLiteral("mark changed: %1 -> %2").arg(key, translation);
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestTranslations::sourceFile_upToDate_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("Dutch") << "nl";
    QTest::newRow("French") << "fr";
    QTest::newRow("German") << "de";
}

void TestTranslations::sourceFile_upToDate()
{
    QFETCH(QString, language);
    const QString lupdate = lupdatePath();
    if (lupdate.isEmpty())
        QSKIP("lupdate is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QFileInfo(tsPath(language)).fileName());
    QVERIFY(QFile::copy(tsPath(language), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    // The same folders and options as the stadionix_lupdate target.
    QStringList arguments{QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                          QStringLiteral("-I"), QStringLiteral(".")};
    if (language == QLatin1String("en"))
        arguments << QStringLiteral("-pluralonly");
    arguments << QStringLiteral("app") << QStringLiteral("records") << QStringLiteral("store") << QStringLiteral("sync")
              << QStringLiteral("fieldevents") << QStringLiteral("trackevents") << QStringLiteral("schedule")
              << QStringLiteral("devices") << QStringLiteral("resources/translations/standardbuttons.h")
              << QStringLiteral("-ts") << copy;
    QProcess process;
    process.setWorkingDirectory(TestSupport::sourceDir());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(lupdate, arguments);
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, process.readAll().constData());

    const TsFile committed = readTs(tsPath(language));
    const TsFile fresh = readTs(copy);
    QVERIFY2(committed.error.isEmpty(), qPrintable(committed.error));
    QVERIFY2(fresh.error.isEmpty(), qPrintable(fresh.error));
    QSet<QString> committedKeys;
    for (const TsMessage &message : committed.messages)
        committedKeys.insert(keyOf(message));
    QSet<QString> freshKeys;
    for (const TsMessage &message : fresh.messages)
        freshKeys.insert(keyOf(message));

    QStringList problems;
    for (const QString &key : freshKeys - committedKeys)
        problems << QStringLiteral("not in the committed file: %1").arg(key);
    for (const QString &key : committedKeys - freshKeys)
        problems << QStringLiteral("no longer in the sources: %1").arg(key);
    problems.sort();
    QVERIFY2(problems.isEmpty(),
             qPrintable(QStringLiteral("refresh with the stadionix_lupdate target and translate:\n") +
                        problems.join(QLatin1Char('\n'))));
}

void TestTranslations::compiledFile_matchesSource_data()
{
    sourceFile_upToDate_data();
}

void TestTranslations::compiledFile_matchesSource()
{
    QFETCH(QString, language);
    const QString qm = qmFolder() + QStringLiteral("/stadionix_%1.qm").arg(language);
    QVERIFY2(QFileInfo::exists(qm), qPrintable(qm));
    // Loaded the way the main window loads it.
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("stadionix_%1.qm").arg(language), qmFolder() + QLatin1Char('/')));
    QVERIFY2(translator.language().startsWith(language), qPrintable(translator.language()));

    // A stale or partly compiled file shows English in a translated screen.
    const TsFile ts = readTs(tsPath(language));
    QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
    QStringList problems;
    for (const TsMessage &message : ts.messages) {
        const QString expected = message.translations.value(0);
        const QByteArray context = message.context.toUtf8();
        const QByteArray source = message.source.toUtf8();
        const QByteArray comment = message.comment.toUtf8();
        const QString given =
            translator.translate(context.constData(), source.constData(),
                                 comment.isEmpty() ? nullptr : comment.constData(), message.numerus ? 1 : -1);
        if (given != expected)
            problems << QStringLiteral("%1: %2 instead of %3").arg(keyOf(message), given, expected);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    if (language != QLatin1String("en"))
        QVERIFY(!translator.isEmpty());
}

void TestTranslations::settingsDialog_listsEveryLanguageWithFlag()
{
    Settings::instance()->setValue(QStringLiteral("general"), QStringLiteral("language"), QStringLiteral("nl"));
    SettingsDialog dialog(nullptr, qmFolder());
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbLanguage"));
    QVERIFY(combo);

    // Each language by its own name, in the order of those names.
    const QList<QPair<QString, QString>> expected{
        {QStringLiteral("de"), QStringLiteral("Deutsch")},
        {QStringLiteral("en"), QStringLiteral("English")},
        {QStringLiteral("fr"), QStringLiteral("Français")},
        {QStringLiteral("nl"), QStringLiteral("Nederlands")},
    };
    QCOMPARE(combo->count(), expected.size());
    for (int index = 0; index < expected.size(); ++index) {
        const auto &[code, name] = expected.at(index);
        QCOMPARE(combo->findData(code), index);
        QCOMPARE(combo->itemText(index), name);
        const QImage flag = combo->itemIcon(index).pixmap(QSize(32, 32)).toImage();
        QVERIFY2(!flag.isNull(), qPrintable(code));
        QCOMPARE(flag.convertToFormat(QImage::Format_ARGB32), QIcon(QStringLiteral(":/flags/") + code)
                                                                  .pixmap(QSize(32, 32))
                                                                  .toImage()
                                                                  .convertToFormat(QImage::Format_ARGB32));
    }
    QCOMPARE(combo->currentData().toString(), QStringLiteral("nl"));
    Settings::instance()->setValue(QStringLiteral("general"), QStringLiteral("language"), QStringLiteral("en"));
}

void TestTranslations::languageSwitch_relabelsOpenScreens_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("Dutch") << "nl"
                           << QStringList{"Instellingen",
                                          "Taal:",
                                          "Deelnemers herschikken",
                                          "Aantal deelnemers",
                                          "Kiezen",
                                          "Naam",
                                          "Startvolgorde",
                                          "Poging 1",
                                          "Niet verzonden resultaten",
                                          "Alle wijzigingen verwijderen",
                                          "startnummer",
                                          "Over",
                                          "Versie:",
                                          "&Ja",
                                          "&Nee",
                                          "Niet verzonden resultaten: 3"};
    QTest::newRow("French") << "fr"
                            << QStringList{"Paramètres",
                                           "Langue :",
                                           "Réordonner les athlètes",
                                           "Nombre d'athlètes",
                                           "Sélectionner",
                                           "Nom",
                                           "Ordre de passage",
                                           "Essai 1",
                                           "Résultats non transmis",
                                           "Supprimer toutes les modifications",
                                           "dossard",
                                           "À propos",
                                           "Version :",
                                           "&Oui",
                                           "&Non",
                                           "Résultats non transmis : 3"};
    QTest::newRow("German") << "de"
                            << QStringList{"Einstellungen",
                                           "Sprache:",
                                           "Teilnehmer neu ordnen",
                                           "Anzahl der Teilnehmer",
                                           "Auswählen",
                                           "Name",
                                           "Startreihenfolge",
                                           "Versuch 1",
                                           "Nicht übermittelte Ergebnisse",
                                           "Alle Änderungen entfernen",
                                           "Startnummer",
                                           "Über",
                                           "Version:",
                                           "&Ja",
                                           "&Nein",
                                           "Nicht übermittelte Ergebnisse: 3"};
}

void TestTranslations::languageSwitch_relabelsOpenScreens()
{
    QFETCH(QString, language);
    QFETCH(QStringList, expected);

    // Screens open before the switch, as an official would have them.
    SettingsDialog settings(nullptr, qmFolder());
    ResortParticipationsDialog resort;
    FieldEventParticipantsModel grid(
        QVariantMap{{QStringLiteral("fieldType"), QStringLiteral("H")}, {QStringLiteral("attempts"), 6}});
    UnconfirmedActionsDialog unconfirmed(nullptr);
    AboutDialog about;
    QMessageBox question(QMessageBox::Question, QStringLiteral("?"), QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No);
    MainWindow window;
    window.onUpdateUnconfirmedActions(3);
    auto *unposted = window.findChild<ClickableLabel *>(QStringLiteral("lblUnconfirmedActions"));
    QVERIFY(unposted);
    settings.show();
    resort.show();
    unconfirmed.show();
    about.show();
    question.show();

    auto *spnNumber = resort.findChild<QSpinBox *>(QStringLiteral("spnNumberOfParticipants"));
    QVERIFY(spnNumber);
    auto *resortForm = resort.findChild<QFormLayout *>();
    QVERIFY(resortForm);
    auto *settingsLabel = settings.findChild<QLabel *>();
    auto *aboutLabel = about.findChild<QLabel *>();
    QVERIFY(settingsLabel && aboutLabel);

    const QList<std::function<QString()>> texts{
        [&] { return settings.windowTitle(); },
        [&] { return settingsLabel->text(); },
        [&] { return resort.windowTitle(); },
        [&] { return qobject_cast<QLabel *>(resortForm->labelForField(spnNumber))->text(); },
        [&] { return resort.findChild<QPushButton *>(QStringLiteral("btnSelect"))->text(); },
        [&] { return grid.headerData(FieldEventParticipantsModel::NameColumn, Qt::Horizontal).toString(); },
        [&] { return grid.headerData(FieldEventParticipantsModel::OrderColumn, Qt::Horizontal).toString(); },
        [&] {
            return grid.headerData(FieldEventParticipantsModel::FirstAttemptColumn, Qt::Horizontal, Qt::ToolTipRole)
                .toString();
        },
        [&] { return unconfirmed.windowTitle(); },
        [&] { return unconfirmed.findChild<QPushButton *>(QStringLiteral("btnRemoveUnconfirmedActions"))->text(); },
        [&] { return unconfirmed.model()->headerData(1, Qt::Horizontal).toString(); },
        [&] { return about.windowTitle(); },
        [&] { return aboutLabel->text(); },
        [&] { return question.button(QMessageBox::Yes)->text(); },
        [&] { return question.button(QMessageBox::No)->text(); },
        [&] { return unposted->text(); },
    };
    const QStringList english{"Settings",
                              "Language:",
                              "Resort participants",
                              "Number of participants",
                              "Select",
                              "Name",
                              "Start order",
                              "Attempt 1",
                              "Unposted results",
                              "Remove all changes",
                              "bib",
                              "About",
                              "Version:",
                              "&Yes",
                              "&No",
                              "Unposted results: 3"};
    QCOMPARE(expected.size(), texts.size());
    auto current = [&] {
        QStringList shown;
        for (const auto &text : texts)
            shown << text();
        return shown;
    };
    QCOMPARE(current(), english);

    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("stadionix_%1.qm").arg(language), qmFolder() + QLatin1Char('/')));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    // The change event is posted once; nothing may need a later refresh.
    QCoreApplication::processEvents();
    QCOMPARE(current(), expected);

    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(current(), english);
}

STADIONIX_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
