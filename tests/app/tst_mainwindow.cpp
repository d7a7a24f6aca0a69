#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/aboutdialog.h"
#include "app/burgermenu.h"
#include "app/clickablelabel.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "fieldevents/fieldeventwidget.h"
#include "records/disqualificationrulesmodel.h"
#include "records/heatevent.h"
#include "store/localdatabase.h"
#include "store/storeschema.h"
#include "trackevents/trackparticipantsmodel.h"
#include "schedule/racesmodel.h"
#include "schedule/scheduletablewidget.h"
#include "schedule/modalanswerer.h"
#include "store/unconfirmedactionsdialog.h"
#include "support/storefaults.h"
#include "support/testsupport.h"
#include "sync/databaseconnection.h"
#include "tools/meetwise-standin/standinserver.h"
#include "trackevents/trackeventwidget.h"

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.20.1");

QVariantMap heat(int id, const QString &name, const QString &fieldType, const QString &time)
{
    return {{"id", id},
            {"name", name},
            {"displayname", name},
            {"fieldType", fieldType},
            {"time", time},
            {"numberOfParticipants", 8},
            {"eventID", 1},
            {"roundID", 2},
            {"windMode", ""},
            {"seqno", 1},
            {"participantsCached", 0}};
}

QAction *menuAction(MainWindow &window, const QString &name)
{
    for (QAction *action : window.burgerMenu()->menuActions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menu_fiveActionsInOrder();
    void unpostedLine_redWhileCounting();
    void openingEvents_fieldTrackAndUnknown_data();
    void openingEvents_fieldTrackAndUnknown();
    void backToSchedule_keepsSearchAndBuildsNewScreen();
    void missingTranslation_storedAnyway();
    void aboutDialog_versionAndBuild();
    void unpostedLine_opensPendingActions();
    void changeNotStored_toldOnceWhileShown();
    void damagedStore_toldAtStart_newStoreBesideIt();
    void newerStore_toldAtStart_leftAsItIs();
    void withServer_scheduleAndRulesArrive();

private:
    QTemporaryDir *m_folder = nullptr;
};

void TestMainWindow::init()
{
    TestSupport::failOnUnexpectedWarnings();
    m_folder = new QTemporaryDir;
    qputenv("STADIONIX_DATA_FOLDER", m_folder->path().toLocal8Bit());
    QSettings().clear();
}

void TestMainWindow::cleanup()
{
    qunsetenv("STADIONIX_DATA_FOLDER");
    delete m_folder;
    m_folder = nullptr;
}

void TestMainWindow::menu_fiveActionsInOrder()
{
    MainWindow window;
    QStringList names;
    for (QAction *action : window.burgerMenu()->menuActions())
        names << action->objectName();
    QCOMPARE(names,
             (QStringList{"actionSchedule", "actionDevices", "actionSettings", "actionStandalone", "actionInfo"}));
    QCOMPARE(window.burgerMenu()->menuWidth(), 120);
    QCOMPARE(window.windowTitle(), QStringLiteral("Stadionix"));
    QCOMPARE(window.currentPage() ? window.currentPage()->objectName() : QString(), QString());
    window.show();
    QCOMPARE(window.currentPage()->objectName(), QStringLiteral("ScheduleTableWidget"));
}

void TestMainWindow::unpostedLine_redWhileCounting()
{
    MainWindow window;
    auto *label = window.findChild<ClickableLabel *>("lblUnconfirmedActions");
    window.show();
    window.onUpdateUnconfirmedActions(3);
    QCOMPARE(label->text(), QStringLiteral("Unposted results: 3"));
    QCOMPARE(label->property("code").toBool(), true);
    // Red exactly while something waits for the server.
    const auto background = [label] { return label->grab().toImage().pixelColor(2, 2); };
    QCOMPARE(background(), QColor(Qt::red));
    window.onUpdateUnconfirmedActions(0);
    QCOMPARE(label->text(), QString());
    QCOMPARE(label->property("code").toBool(), false);
    QVERIFY(background() != QColor(Qt::red));
}

void TestMainWindow::openingEvents_fieldTrackAndUnknown_data()
{
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<QString>("page");
    QTest::newRow("horizontal") << "H"
                                << "FieldEventWidget";
    QTest::newRow("vertical") << "V"
                              << "FieldEventWidget";
    QTest::newRow("track") << ""
                           << "TrackEventWidget";
    // Nothing opens; the schedule stays in view rather than an empty page.
    QTest::newRow("other field type opens nothing") << "Q"
                                                    << "ScheduleTableWidget";
}

void TestMainWindow::openingEvents_fieldTrackAndUnknown()
{
    QFETCH(QString, fieldType);
    QFETCH(QString, page);
    MainWindow window;
    window.show();
    window.scheduleWidget()->racesModel()->heatEventsReceived({heat(5, "Event", fieldType, "20260613 100000")});
    HeatEvent *event = window.scheduleWidget()->racesModel()->heatEvent(0);
    window.onScheduleTableDoubleClicked({event});
    QCoreApplication::processEvents();
    QWidget *shown = window.currentPage();
    QCOMPARE(shown ? shown->objectName() : QString(), page);
    QCOMPARE(window.scheduleWidget()->isVisible(), page == QLatin1String("ScheduleTableWidget"));
    if (auto *field = qobject_cast<FieldEventWidget *>(shown))
        QCOMPARE(field->windowTitle(), QStringLiteral("Field event"));

    // Two events at once open nothing.
    window.onBurgerMenuActionClicked(menuAction(window, "actionSchedule"));
    window.onScheduleTableDoubleClicked({event, event});
    QCOMPARE(window.currentPage(), window.scheduleWidget());
}

void TestMainWindow::backToSchedule_keepsSearchAndBuildsNewScreen()
{
    MainWindow window;
    window.show();
    ScheduleTableWidget *schedule = window.scheduleWidget();
    schedule->racesModel()->heatEventsReceived({heat(5, "Long Jump", "H", "20260613 100000")});
    schedule->findChild<QLineEdit *>("txtSearch")->setText("long");
    window.onScheduleTableDoubleClicked({schedule->racesModel()->heatEvent(0)});
    QPointer<QWidget> first = window.currentPage();
    window.onBurgerMenuActionClicked(menuAction(window, "actionSchedule"));
    QCOMPARE(window.currentPage(), schedule);
    QTRY_VERIFY(first.isNull());
    QCOMPARE(schedule->findChild<QLineEdit *>("txtSearch")->text(), QStringLiteral("long"));
    window.onScheduleTableDoubleClicked({schedule->racesModel()->heatEvent(0)});
    QVERIFY(window.currentPage() != schedule);
    QCOMPARE(window.scheduleWidget(), schedule);
}

void TestMainWindow::missingTranslation_storedAnyway()
{
    MainWindow window;
    window.onChangeLanguage("xx");
    QCOMPARE(window.language(), QStringLiteral("xx"));
    QCOMPARE(Settings::instance()->value("general", "language").toString(), QStringLiteral("xx"));
    QCOMPARE(menuAction(window, "actionSchedule")->text(), QStringLiteral("Schedule"));
    window.onChangeLanguage("en");
}

void TestMainWindow::aboutDialog_versionAndBuild()
{
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About"));
    const QString version = dialog.findChild<QLineEdit *>("txtVersion")->text();
    QVERIFY2(version.startsWith(QStringLiteral("1.0.9 (")) && version.endsWith(QLatin1Char(')')), qPrintable(version));
    QVERIFY(version.size() > 9);
}

void TestMainWindow::unpostedLine_opensPendingActions()
{
    MainWindow window;
    window.show();
    window.databaseConnection()->store()->appendPendingAction("results", 0, 1);
    ModalAnswerer answerer({[](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Unposted results"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    }});
    QTest::mouseClick(window.findChild<ClickableLabel *>("lblUnconfirmedActions"), Qt::LeftButton);
    QCOMPARE(answerer.answered(), 1);
}

void TestMainWindow::changeNotStored_toldOnceWhileShown()
{
    MainWindow window;
    window.show();
    QString text;
    const auto answer = [&text](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        text = box->text();
        box->accept();
    };
    ModalAnswerer answerer({answer, answer});
    // Several entries fail in a row: one message, not a pile of them.
    emit window.databaseConnection()->changeNotStored();
    emit window.databaseConnection()->changeNotStored();
    QVERIFY(QTest::qWaitFor([&] { return answerer.answered() == 1; }, 3000));
    // A second box would have been posted with the first and would be up
    // (and answered) before this returns.
    QCoreApplication::processEvents();
    QCOMPARE(answerer.answered(), 1);
    // That the mark is not shown as entered, that the entry waits for Enter,
    // and that the field card holds it.
    for (const char *part : {"could not be stored", "not shown as entered", "press Enter", "field card"})
        QVERIFY2(text.contains(QLatin1String(part)), qPrintable(text));
}

void TestMainWindow::damagedStore_toldAtStart_newStoreBesideIt()
{
    const QString path = LocalDatabase::defaultFilePath();
    QFile::remove(path);
    {
        LocalDatabase store(path, nullptr);
        store.storeHeatEvents({heat(31, "Long Jump W", "H", "20260613 140000")});
    }
    QVERIFY(StoreFaults::damagePages(path, 2, 3));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray damaged = file.readAll();
    file.close();

    QStringList told;
    ModalAnswerer answerer({[&told](QWidget *dialog) {
                                auto *box = qobject_cast<QMessageBox *>(dialog);
                                QVERIFY(box);
                                told << box->text();
                                for (QAbstractButton *button : box->buttons()) {
                                    if (button->text() == QStringLiteral("Start a new database"))
                                        button->click();
                                }
                            },
                            [&told](QWidget *dialog) {
                                auto *box = qobject_cast<QMessageBox *>(dialog);
                                QVERIFY(box);
                                told << box->text();
                                box->accept();
                            }});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("The local database is damaged")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("kept as")));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitFor([&] { return answerer.answered() == 2; }, 5000));
    QCOMPARE(told.size(), 2);
    QVERIFY2(told.first().contains(QStringLiteral("damaged")), qPrintable(told.first()));
    QVERIFY(window.databaseConnection()->store()->isUsable());

    // The damaged file is kept beside the new one, as it was.
    const QFileInfoList kept =
        QFileInfo(path).absoluteDir().entryInfoList({QStringLiteral("stadionix-damaged-*.db")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(told.last().contains(kept.first().fileName()), qPrintable(told.last()));
    QFile keptFile(kept.first().absoluteFilePath());
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QVERIFY(keptFile.readAll() == damaged);
    QFile::remove(kept.first().absoluteFilePath());
}

void TestMainWindow::newerStore_toldAtStart_leftAsItIs()
{
    const QString path = LocalDatabase::defaultFilePath();
    QFile::remove(path);
    {
        LocalDatabase store(path, nullptr);
        store.storeHeatEvents({heat(31, "Long Jump W", "H", "20260613 140000")});
        QSqlQuery query(store.database());
        QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = %1").arg(StoreSchema::CurrentVersion + 1)));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QString told;
    ModalAnswerer answerer({[&told](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        told = box->text();
        box->accept();
    }});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("made by a newer version")));
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return answerer.answered() == 1; }, 5000));
        QVERIFY(!window.databaseConnection()->store()->isUsable());
    }
    for (const QString &part : {QStringLiteral("newer version of Stadionix"),
                                QStringLiteral("database version %1").arg(StoreSchema::CurrentVersion + 1),
                                QStringLiteral("left as it is"), QDir::toNativeSeparators(path)})
        QVERIFY2(told.contains(part), qPrintable(told));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);
    file.close();
    QFile::remove(path);
}

void TestMainWindow::withServer_scheduleAndRulesArrive()
{
    StandinServer server;
    QString error;
    server.loadCompetition(StandinServer::demoCompetitionPath(), &error);
    StandinServer::Settings settings;
    settings.address = QHostAddress(Host);
    settings.port = 8090;
    QVERIFY2(server.start(settings, &error), qPrintable(error));
    QFile sync(m_folder->filePath("sync"));
    QVERIFY(sync.open(QIODevice::WriteOnly));
    sync.write("[general]\ntype=meetwise\nip=" + Host.toLatin1() +
               "\nuser=official\npass=lap&time=42\ncompetition=1\n");
    sync.close();

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitFor([&] { return window.scheduleWidget()->racesModel()->rowCount() > 10; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return window.disqualificationRules()->rowCount() > 0; }, 5000));
    // A track heat from the server opens with its lanes.
    RacesModel *races = window.scheduleWidget()->racesModel();
    HeatEvent *track = nullptr;
    for (int row = 0; row < races->rowCount(); ++row) {
        if (races->heatEvent(row)->id() == QLatin1String("101"))
            track = races->heatEvent(row);
    }
    QVERIFY(track);
    window.onScheduleTableDoubleClicked({track});
    auto *screen = qobject_cast<TrackEventWidget *>(window.currentPage());
    QVERIFY(screen);
    QVERIFY(QTest::qWaitFor([&] { return screen->model()->rowCount() == 7; }, 5000));
}

STADIONIX_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
