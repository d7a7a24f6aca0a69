#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include "app/aboutdialog.h"
#include "app/applogging.h"
#include "app/burgermenu.h"
#include "app/clickablelabel.h"
#include "app/settings.h"
#include "app/settingsdialog.h"
#include "app/stadionix.h"
#include "devices/devicesdialog.h"
#include "devices/deviceset.h"
#include "devices/edmdialogs.h"
#include "devices/edmmodel.h"
#include "devices/edmperformancewidget.h"
#include "devices/scoreboard.h"
#include "fieldevents/fieldeventwidget.h"
#include "records/disqualificationrulesmodel.h"
#include "records/heatevent.h"
#include "schedule/racesmodel.h"
#include "schedule/scheduletablesortfiltermodel.h"
#include "schedule/scheduletablewidget.h"
#include "store/localdatabase.h"
#include "store/storeschema.h"
#include "store/unconfirmedactionsdialog.h"
#include "sync/databaseconnection.h"
#include "trackevents/trackeventwidget.h"

namespace {

const char StyleSheet[] =
    "QWidget#BurgerMenu { background-color: rgb(15, 62, 106); }\n"
    "QPushButton#BurgerButton { background-color: rgb(15, 62, 106); color: rgb(209, 218, 226); font-size: 18px; "
    "border: none; }\n"
    "QPushButton#BurgerButton:hover, QPushButton#BurgerButton:checked, QPushButton#BurgerButton:checked:hover "
    "{ background-color: rgb(0, 92, 156); }\n"
    "QPushButton#MainBurgerButton { background-color: rgb(15, 62, 106); border: none; }\n"
    "QPushButton#MainBurgerButton:hover { background-color: rgb(0, 92, 156); }\n";

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_rules(new DisqualificationRulesModel(this))
    , m_translator(new QTranslator(this))
{
    buildForm();
    m_connection = new DatabaseConnection(this, defaultDataFolder());
    m_schedule = new ScheduleTableWidget(m_pageArea);
    m_schedule->setDataFolder(defaultDataFolder());
    addPage(m_schedule);
    connect(m_connection, &DatabaseConnection::updateUnconfirmedActions, this, &MainWindow::onUpdateUnconfirmedActions);
    connect(m_connection, &DatabaseConnection::changeNotStored, this, &MainWindow::onChangeNotStored);

    if (m_connection->serverKind() == DatabaseConnection::MeetwiseServer) {
        const QStringList parts = m_language.split(QLatin1Char('_'));
        m_connection->requestDisqualificationRules(m_rules, parts.size() == 2 ? parts.first() : QStringLiteral("en"));
        m_connection->registerListener(m_schedule->racesModel());
    } else if (m_connection->serverKind() == DatabaseConnection::AtletiekNuService) {
        m_connection->registerListener(m_schedule->racesModel());
    }

    connect(m_schedule, &ScheduleTableWidget::setDatabaseConnectionData, this,
            &MainWindow::onSetDatabaseConnectionData);
    connect(m_schedule, &ScheduleTableWidget::refreshSchedule, this, &MainWindow::onRefreshSchedule);
    connect(m_schedule, &ScheduleTableWidget::scheduleTableDoubleClicked, this,
            &MainWindow::onScheduleTableDoubleClicked);
    connect(m_lblUnconfirmedActions, &ClickableLabel::clicked, this, &MainWindow::onUnconfirmedActionsClicked);

    m_menu->setMenuWidth(120);
    m_menu->setBurgerIcon(QIcon(QStringLiteral(":/custom/burger")));
    const QString base = QStringLiteral(":/fieldtablet/icons/fieldtablet/");
    m_menu->addMenuAction(QIcon(base + QStringLiteral("buttoncalendar.png")), tr("Schedule"));
    m_menu->addMenuAction(QIcon(base + QStringLiteral("button_devices.png")), tr("Devices"));
    m_menu->addMenuAction(QIcon(base + QStringLiteral("buttonsettings.png")), tr("Settings"));
    m_menu->addMenuAction(QIcon(base + QStringLiteral("buttontotalstation.png")), tr("Standalone"));
    m_menu->addMenuAction(QIcon(base + QStringLiteral("buttonhelp.png")), tr("Info"));
    setStyleSheet(QString::fromLatin1(StyleSheet));
    connect(m_menu, &BurgerMenu::triggered, this, &MainWindow::onBurgerMenuActionClicked);
    connect(m_menu, &BurgerMenu::expandedChanged, this, &MainWindow::onBurgerMenuExpanded);

    if (auto *app = qobject_cast<Stadionix *>(QCoreApplication::instance()); app && app->devices()) {
        app->devices()->edmModel()->setDatabaseConnection(m_connection);
        new EDMDialogs(app->devices()->edmModel(), this);
        app->devices()->scoreboard()->setCharacterTransformations(m_connection->store()->characterTransformations());
    }

    changeLanguage(Settings::instance()
                       ->value(QStringLiteral("general"), QStringLiteral("language"), QStringLiteral("en"))
                       .toString());
    warnWhenStoreUnusable();
}

MainWindow::~MainWindow()
{
    QCoreApplication::removeTranslator(m_translator);
    // Pages other than the schedule may hold the connection's records.
    clearPageArea();
}

QString MainWindow::defaultDataFolder()
{
    const QString folder = qEnvironmentVariable("STADIONIX_DATA_FOLDER");
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void MainWindow::buildForm()
{
    setWindowTitle(QStringLiteral("Stadionix"));
    resize(800, 600);
    auto *central = new QWidget(this);
    auto *grid = new QGridLayout(central);
    grid->setContentsMargins(3, 3, 3, 3);
    m_menu = new BurgerMenu(central);
    m_menu->setObjectName(QStringLiteral("wgtBurgerMenu"));
    grid->addWidget(m_menu, 0, 0, 2, 1);
    auto *top = new QHBoxLayout;
    m_lblUnconfirmedActions = new ClickableLabel(central);
    m_lblUnconfirmedActions->setObjectName(QStringLiteral("lblUnconfirmedActions"));
    m_lblUnconfirmedActions->setMinimumHeight(25);
    m_lblUnconfirmedActions->setAlignment(Qt::AlignCenter);
    m_lblUnconfirmedActions->setStyleSheet(
        QStringLiteral("*[code=\"1\"] { background-color: red; color: white; selection-background-color: "
                       "transparent; }\n*[code=\"0\"] { background-color: transparent; color: white; "
                       "selection-background-color: transparent; }"));
    top->addWidget(m_lblUnconfirmedActions);
    grid->addLayout(top, 0, 1);
    m_pageArea = new QWidget(central);
    m_pageArea->setObjectName(QStringLiteral("wgtEvent"));
    m_pageLayout = new QVBoxLayout(m_pageArea);
    m_pageLayout->setContentsMargins(0, 3, 0, 0);
    grid->addWidget(m_pageArea, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    setCentralWidget(central);
}

void MainWindow::onChangeNotStored()
{
    // One box at a time, however many entries fail while it is up.
    if (m_changeNotStoredShown)
        return;
    m_changeNotStoredShown = true;
    QTimer::singleShot(0, this, [this] {
        QMessageBox::critical(this, tr("Local database"),
                              tr("The last change could not be stored on this device, so it is not shown as "
                                 "entered. What was typed is still there: press Enter to try again, and write it "
                                 "down on the field card."));
        m_changeNotStoredShown = false;
    });
}

void MainWindow::warnWhenStoreUnusable()
{
    if (m_connection->store()->isUsable())
        return;
    // Once the window is up, on top of it.
    QTimer::singleShot(0, this, [this] {
        LocalDatabase *store = m_connection->store();
        const QString detail = store->errorText();
        switch (store->problem()) {
        case LocalDatabase::Problem::Damaged:
            offerNewStore(detail);
            return;
        case LocalDatabase::Problem::NotWritable:
            QMessageBox::critical(this, tr("Local database"),
                                  tr("The local database cannot be written, so results cannot be stored on this "
                                     "device. Do not use this device to enter results.\n\n%1")
                                      .arg(detail));
            return;
        case LocalDatabase::Problem::NewerVersion:
            QMessageBox::critical(
                this, tr("Local database"),
                tr("The local database %1 was made by a newer version of Stadionix (database version %2; this "
                   "version reads up to %3). It is left as it is, with everything in it. Use the newer version of "
                   "Stadionix on this device; until then, do not use this device to enter results.")
                    .arg(QDir::toNativeSeparators(store->filePath()))
                    .arg(store->fileVersion())
                    .arg(StoreSchema::CurrentVersion));
            return;
        case LocalDatabase::Problem::Foreign:
            QMessageBox::critical(this, tr("Local database"),
                                  tr("The file %1 is not a Stadionix database. It is left as it is. Move it "
                                     "elsewhere, so that a new database can be started there; until then, do not "
                                     "use this device to enter results.\n\n%2")
                                      .arg(QDir::toNativeSeparators(store->filePath()), detail));
            return;
        default:
            QMessageBox::critical(this, tr("Local database"),
                                  tr("The local database cannot be opened, so results cannot be stored on this "
                                     "device. Do not use this device to enter results.\n\n%1")
                                      .arg(detail));
        }
    });
}

void MainWindow::offerNewStore(const QString &detail)
{
    QMessageBox box(QMessageBox::Critical, tr("Local database"),
                    tr("The local database is damaged, so results cannot be stored in it. Results not yet posted "
                       "to the server are only in that file; it is kept as it is. A new database can be started "
                       "beside it. Until then, do not use this device to enter results.\n\n%1")
                        .arg(detail),
                    QMessageBox::NoButton, this);
    QPushButton *start = box.addButton(tr("Start a new database"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() != start)
        return;
    LocalDatabase *store = m_connection->store();
    const QString kept = store->startNewBesideDamaged();
    if (kept.isEmpty() || !store->isUsable()) {
        QMessageBox::critical(this, tr("Local database"),
                              tr("A new local database could not be started. Do not use this device to enter "
                                 "results.\n\n%1")
                                  .arg(store->errorText()));
        return;
    }
    QMessageBox::information(this, tr("Local database"),
                             tr("A new local database has been started. The damaged one is kept as %1.")
                                 .arg(QDir::toNativeSeparators(kept)));
    onUpdateUnconfirmedActions(m_connection->pendingActionCount());
    // The EDM's records go to the new file too.
    if (auto *app = qobject_cast<Stadionix *>(QCoreApplication::instance()); app && app->devices())
        app->devices()->edmModel()->setDatabaseConnection(m_connection);
    if (m_connection->serverKind() != DatabaseConnection::NoServer)
        requestSchedule();
}

QWidget *MainWindow::currentPage() const
{
    for (int i = 0; i < m_pageLayout->count(); ++i) {
        QWidget *widget = m_pageLayout->itemAt(i)->widget();
        if (widget && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void MainWindow::addPage(QWidget *page)
{
    m_pageLayout->addWidget(page);
    page->show();
}

void MainWindow::clearPageArea()
{
    while (m_pageLayout && m_pageLayout->count() > 0) {
        QLayoutItem *item = m_pageLayout->takeAt(0);
        QWidget *widget = item->widget();
        delete item;
        if (!widget)
            continue;
        if (widget == m_schedule) {
            m_schedule->hide();
            continue;
        }
        if (auto *track = qobject_cast<TrackEventWidget *>(widget))
            disconnect(track, &TrackEventWidget::openTrackEvent, this, &MainWindow::onOpenTrackEvent);
        // Now, not when it is deleted: by then the next page may hold the meter.
        if (auto *standalone = qobject_cast<EDMPerformanceWidget *>(widget))
            standalone->releaseEDM();
        widget->hide();
        widget->deleteLater();
    }
}

void MainWindow::requestSchedule()
{
    m_connection->registerListener(m_schedule->racesModel());
}

// ---- Slots -------------------------------------------------------------------------

void MainWindow::onSetDatabaseConnectionData(QString database, QVariantMap data)
{
    m_connection->onSetDatabaseConnectionData(database, data);
    if (database == QLatin1String("meetwise") || database == QLatin1String("atletieknu"))
        requestSchedule();
}

void MainWindow::onRefreshSchedule()
{
    const int kind =
        Settings::instance()->value(QStringLiteral("communication"), QStringLiteral("database"), 3).toInt();
    if (kind == 1 || kind == 2)
        requestSchedule();
}

QVariantMap MainWindow::eventData(const HeatEvent *heatEvent)
{
    QVariantMap map;
    if (!heatEvent)
        return map;
    for (auto it = heatEvent->data().cbegin(); it != heatEvent->data().cend(); ++it)
        map.insert(QStringLiteral("event.%1").arg(it.key()), it.value());
    return map;
}

void MainWindow::onScheduleTableDoubleClicked(QList<HeatEvent *> heatEventList)
{
    if (heatEventList.size() != 1)
        return;
    clearPageArea();
    const HeatEvent *heatEvent = heatEventList.first();
    const QVariantMap map = eventData(heatEvent);
    const QString fieldType = heatEvent ? heatEvent->fieldType() : QStringLiteral("UNKNOWN");
    if (fieldType == QLatin1String("H") || fieldType == QLatin1String("V")) {
        auto *screen = new FieldEventWidget(m_pageArea, map);
        screen->setDatabaseConnection(m_connection, map);
        addPage(screen);
        return;
    }
    if (!fieldType.isEmpty()) {
        // Nothing opens for this kind of event; keep the schedule in view
        // rather than leaving an empty page behind.
        addPage(m_schedule);
        return;
    }
    auto *track = new TrackEventWidget(nullptr);
    track->setDisqualificationRules(m_rules->rules());
    track->setEvent(m_connection, map);
    ScheduleTableSortFilterModel *proxy = m_schedule->proxyModel();
    track->setNavigation(proxy->previousTrackEvent(heatEvent->id()), proxy->nextTrackEvent(heatEvent->id()));
    connect(track, &TrackEventWidget::openTrackEvent, this, &MainWindow::onOpenTrackEvent);
    addPage(track);
}

void MainWindow::onOpenTrackEvent(QModelIndex index)
{
    TrackEventWidget *track = m_pageArea->findChild<TrackEventWidget *>(QStringLiteral("TrackEventWidget"));
    if (!track)
        return;
    // The rules may have arrived after the screen was built.
    track->setDisqualificationRules(m_rules->rules());
    ScheduleTableSortFilterModel *proxy = m_schedule->proxyModel();
    const HeatEvent *heatEvent = proxy->heatEventAt(index);
    if (!heatEvent)
        return;
    const QVariantMap map = eventData(heatEvent);
    track->setEvent(m_connection, map);
    track->setNavigation(proxy->previousTrackEvent(heatEvent->id()), proxy->nextTrackEvent(heatEvent->id()));
}

void MainWindow::onUpdateUnconfirmedActions(uint count)
{
    m_unconfirmedActions = count;
    showUnconfirmedActions();
}

void MainWindow::showUnconfirmedActions()
{
    const uint count = m_unconfirmedActions;
    m_lblUnconfirmedActions->setText(count != 0 ? tr("Unposted results: %1").arg(count) : QString());
    // The style sheet matches code="1"; a bool property reads "true" there,
    // which would never turn the line red.
    m_lblUnconfirmedActions->setProperty("code", count != 0 ? 1 : 0);
    m_lblUnconfirmedActions->style()->unpolish(m_lblUnconfirmedActions);
    m_lblUnconfirmedActions->style()->polish(m_lblUnconfirmedActions);
}

void MainWindow::onUnconfirmedActionsClicked()
{
    UnconfirmedActionsDialog dialog(m_connection, this);
    dialog.exec();
}

void MainWindow::onBurgerMenuActionClicked(QAction *action)
{
    const QString name = action->objectName();
    auto *app = qobject_cast<Stadionix *>(QCoreApplication::instance());
    EDMModel *edmModel = app && app->devices() ? app->devices()->edmModel() : nullptr;

    if (name == QLatin1String("actionSchedule")) {
        clearPageArea();
        addPage(m_schedule);
    } else if (name == QLatin1String("actionDevices")) {
        QWidget *page = currentPage();
        auto *field = qobject_cast<FieldEventWidget *>(page);
        auto *standalone = qobject_cast<EDMPerformanceWidget *>(page);
        if (standalone)
            standalone->releaseEDM();
        else if (edmModel && field)
            disconnect(edmModel, &EDMModel::edmResult, nullptr, nullptr);
        DevicesDialog dialog(app ? app->devices() : nullptr, this);
        if (const QScreen *screen = this->screen()) {
            dialog.adjustSize();
            const QSize free = screen->size() - dialog.size();
            dialog.move(free.width() / 2, free.height() / 2);
        }
        if (dialog.exec() == QDialog::Accepted) {
            Settings::instance()->setValue(QStringLiteral("edm"), QStringLiteral("event_type"),
                                           edmModel ? edmModel->eventType() : 0);
            Settings::instance()->setValue(QStringLiteral("edm"), QStringLiteral("number_boards"),
                                           dialog.numberOfBoards());
        }
        if (field)
            field->refreshDeviceState();
        if (standalone)
            standalone->reloadEDMState();
    } else if (name == QLatin1String("actionSettings")) {
        SettingsDialog dialog(this);
        connect(&dialog, &SettingsDialog::changeLanguage, this, &MainWindow::onChangeLanguage);
        dialog.exec();
    } else if (name == QLatin1String("actionStandalone")) {
        clearPageArea();
        addPage(new EDMPerformanceWidget(this));
    } else if (name == QLatin1String("actionInfo")) {
        AboutDialog dialog(this);
        dialog.exec();
    }
}

void MainWindow::onBurgerMenuExpanded(bool expanded)
{
    qCDebug(lcApp).noquote() << QStringLiteral("Expanded changed: %1")
                                    .arg(expanded ? QStringLiteral("expanded") : QStringLiteral("collapsed"));
    if (expanded) {
        m_savedSize = size();
        return;
    }
    QTimer::singleShot(260, this, &MainWindow::onBurgerMenuCollapsed);
}

void MainWindow::onBurgerMenuCollapsed()
{
    if (m_savedSize.isValid())
        resize(m_savedSize);
}

void MainWindow::onChangeLanguage(QString language)
{
    qCDebug(lcApp).noquote() << QStringLiteral("Change language to ") + language;
    changeLanguage(language);
}

void MainWindow::changeLanguage(const QString &language)
{
    if (language == m_language)
        return;
    m_language = language;
    QLocale::setDefault(QLocale(language));
    QCoreApplication::removeTranslator(m_translator);
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/translations/");
    if (m_translator->load(QStringLiteral("stadionix_%1.qm").arg(language), folder))
        QCoreApplication::installTranslator(m_translator);
    Settings::instance()->setValue(QStringLiteral("general"), QStringLiteral("language"), language);
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_lblUnconfirmedActions)
        showUnconfirmedActions();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (auto *app = qobject_cast<Stadionix *>(QCoreApplication::instance()); app && app->devices())
        app->devices()->closeAll();
    QMainWindow::closeEvent(event);
}
