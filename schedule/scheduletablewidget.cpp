#include "schedule/scheduletablewidget.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>

#include "app/settings.h"
#include "schedule/raceslistview.h"
#include "schedule/racesmodel.h"
#include "schedule/schedulelogging.h"
#include "schedule/scheduletablesortfiltermodel.h"
#include "schedule/scheduletablestyleditemdelegate.h"
#include "sync/folderinfodialog.h"

namespace {

const QString ScheduleGroup = QStringLiteral("schedule");
const QString FilterTrackKey = QStringLiteral("filter_track");
const QString FilterFieldKey = QStringLiteral("filter_field");
const QString CommunicationGroup = QStringLiteral("communication");
const QString DatabaseKey = QStringLiteral("database");

// A first start shows everything: with both kinds hidden the schedule would
// look empty, which reads as "no events".
constexpr int FirstStartFilterState = Qt::Checked;

constexpr int TouchHeight = 40;
const QSize ToolIconSize(32, 32);

QCheckBox *filterBox(const char *objectName, const QString &icon)
{
    auto *box = new QCheckBox;
    box->setObjectName(QLatin1String(objectName));
    box->setIcon(QIcon(icon));
    box->setIconSize(ToolIconSize);
    box->setMinimumHeight(TouchHeight);
    box->setChecked(true);
    // A finger needs a larger target than the style's indicator.
    box->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: 28px; height: 28px; }"));
    return box;
}

QPushButton *flatButton(const char *objectName, const QString &icon)
{
    auto *button = new QPushButton;
    button->setObjectName(QLatin1String(objectName));
    button->setFlat(true);
    button->setIcon(QIcon(icon));
    button->setIconSize(ToolIconSize);
    button->setMinimumSize(TouchHeight + 8, TouchHeight);
    return button;
}

} // namespace

ScheduleTableWidget::ScheduleTableWidget(QWidget *parent)
    : QWidget(parent)
    , m_model(new RacesModel(this))
    , m_proxy(new ScheduleTableSortFilterModel(this))
    , m_delegate(new ScheduleTableStyledItemDelegate(this))
    , m_dataFolder(QCoreApplication::applicationDirPath())
{
    setObjectName(QStringLiteral("ScheduleTableWidget"));
    buildForm();
    retranslateUi();

    m_proxy->setSourceModel(m_model);
    m_proxy->setDynamicSortFilter(true);
    m_proxy->sort(RacesModel::IdColumn, Qt::AscendingOrder);
    m_list->setItemDelegate(m_delegate);
    m_list->setModel(m_proxy);

    connect(m_list, &RacesListView::mousePress, this, &ScheduleTableWidget::onScheduleMousePress);
    connect(m_list, &RacesListView::mouseRelease, this, &ScheduleTableWidget::onScheduleMouseRelease);
    connect(m_list, &RacesListView::mouseMove, this, &ScheduleTableWidget::onScheduleMouseMove);
    connect(m_list, &RacesListView::doubleClicked, this, &ScheduleTableWidget::onScheduleTableDoubleClicked);
    connect(m_txtSearch, &QLineEdit::textChanged, m_proxy, &ScheduleTableSortFilterModel::onSearchTextChanged);
    connect(m_btnDatabaseLink, &QPushButton::clicked, this, &ScheduleTableWidget::onBtnDatabaseLinkClicked);
    connect(m_btnRefresh, &QPushButton::clicked, this, &ScheduleTableWidget::onBtnRefreshClicked);
    connect(m_chkTrackEvents, &QCheckBox::stateChanged, this, &ScheduleTableWidget::onCheckboxTrackEventsStateChanged);
    connect(m_chkFieldEvents, &QCheckBox::stateChanged, this, &ScheduleTableWidget::onCheckboxFieldEventsStateChanged);

    restoreFilters();
}

ScheduleTableWidget::~ScheduleTableWidget()
{
    // The view must let go of the models before they go.
    m_list->setModel(nullptr);
    m_list->setItemDelegate(nullptr);
    delete m_proxy;
    delete m_model;
    delete m_delegate;
}

void ScheduleTableWidget::buildForm()
{
    m_chkTrackEvents = filterBox("chkTrackEvents", QStringLiteral(":/custom/trackevents"));
    m_chkFieldEvents = filterBox("chkFieldEvents", QStringLiteral(":/custom/fieldevents"));
    m_btnDatabaseLink = flatButton("btnDatabaseLink", QStringLiteral(":/fatcow/icons/fatcow/database_link.png"));
    m_btnRefresh = flatButton("btnRefresh", QStringLiteral(":/fatcow/icons/fatcow/arrow_refresh.png"));

    m_txtSearch = new QLineEdit;
    m_txtSearch->setObjectName(QStringLiteral("txtSearch"));
    m_txtSearch->setMinimumHeight(TouchHeight);
    m_txtSearch->setClearButtonEnabled(true);

    m_list = new RacesListView;
    m_list->setObjectName(QStringLiteral("tblTimeSchedulesListView"));

    auto *layout = new QGridLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_chkTrackEvents, 0, 0);
    layout->addWidget(m_chkFieldEvents, 0, 1);
    layout->addWidget(m_txtSearch, 0, 2);
    layout->addWidget(m_btnRefresh, 0, 3);
    layout->addWidget(m_btnDatabaseLink, 0, 4);
    layout->addWidget(m_list, 1, 0, 1, 5);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);
}

void ScheduleTableWidget::retranslateUi()
{
    m_chkTrackEvents->setToolTip(tr("Display track events"));
    m_chkFieldEvents->setToolTip(tr("Display field events"));
    m_btnDatabaseLink->setToolTip(tr("Connect to remote database"));
    m_btnRefresh->setToolTip(tr("<html><head/><body><p>Resync the events from the remote database</p></body></html>"));
    m_txtSearch->setPlaceholderText(tr("Search..."));
}

void ScheduleTableWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void ScheduleTableWidget::restoreFilters()
{
    Settings *settings = Settings::instance();
    const auto restore = [settings](QCheckBox *box, const QString &key) {
        const int stored = settings->value(ScheduleGroup, key, FirstStartFilterState).toInt();
        // Silently, then through the slot once, so the proxy and the settings
        // agree with the box whether or not its state changed.
        const QSignalBlocker blocker(box);
        box->setCheckState(stored == Qt::Checked ? Qt::Checked : Qt::Unchecked);
        return box->checkState();
    };
    onCheckboxTrackEventsStateChanged(restore(m_chkTrackEvents, FilterTrackKey));
    onCheckboxFieldEventsStateChanged(restore(m_chkFieldEvents, FilterFieldKey));
}

QString ScheduleTableWidget::syncFilePath() const
{
    return QStringLiteral("%1%2%3").arg(m_dataFolder, QDir::separator(), QStringLiteral("sync"));
}

void ScheduleTableWidget::onScheduleMousePress(QPoint position)
{
    m_dragScroller.press(position);
}

void ScheduleTableWidget::onScheduleMouseRelease(QPoint position)
{
    Q_UNUSED(position)
    m_dragScroller.release();
}

void ScheduleTableWidget::onScheduleMouseMove(QPoint position)
{
    const bool hasRows = m_proxy->rowCount() > 0;
    m_dragScroller.move(position, hasRows ? m_list->sizeHintForRow(0) : 0, hasRows, m_list->verticalScrollBar());
}

void ScheduleTableWidget::onBtnDatabaseLinkClicked()
{
    FolderInfoDialog dialog(syncFilePath(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    const int kind = dialog.serverKind();
    Settings::instance()->setValue(CommunicationGroup, DatabaseKey, kind);
    const QString type = dialog.databaseType();
    const QVariantMap data = dialog.configuration();
    if (!type.isEmpty() && !writeSyncFile(kind, data)) {
        qCWarning(lcSchedule) << "Could not write the server settings to" << syncFilePath();
        QMessageBox::warning(this, tr("Server connection"),
                             tr("The server settings could not be saved in %1.").arg(syncFilePath()));
    }
    emit setDatabaseConnectionData(type, data);
}

bool ScheduleTableWidget::writeSyncFile(int kind, const QVariantMap &data) const
{
    // Scoped: the file must be complete on disk before the signal goes out,
    // because the connection rewrites it in its slot.
    QSettings file(syncFilePath(), QSettings::IniFormat);
    if (kind == FolderInfoDialog::Meetwise) {
        file.setValue(QStringLiteral("type"), QStringLiteral("meetwise"));
        for (const char *key : {"ip", "user", "pass", "competition", "competitionname", "sessions", "dates"})
            file.setValue(QLatin1String(key), data.value(QLatin1String(key)));
        file.setValue(QStringLiteral("sessionID"), data.value(QStringLiteral("sessionID")).toString());
    } else {
        file.setValue(QStringLiteral("type"), QStringLiteral("atletieknu"));
        file.setValue(QStringLiteral("code"), data.value(QStringLiteral("code")));
        file.setValue(QStringLiteral("servertimeoffset"), data.value(QStringLiteral("servertimeoffset")));
    }
    file.sync();
    return file.status() == QSettings::NoError;
}

void ScheduleTableWidget::onBtnRefreshClicked()
{
    emit refreshSchedule();
}

void ScheduleTableWidget::onCheckboxTrackEventsStateChanged(int state)
{
    m_proxy->setShowTrackEvents(state == Qt::Checked);
    Settings::instance()->setValue(ScheduleGroup, FilterTrackKey, state);
}

void ScheduleTableWidget::onCheckboxFieldEventsStateChanged(int state)
{
    m_proxy->setShowFieldEvents(state == Qt::Checked);
    Settings::instance()->setValue(ScheduleGroup, FilterFieldKey, state);
}

void ScheduleTableWidget::onScheduleTableDoubleClicked(const QModelIndex &index)
{
    // A heat without participants is not enabled and must not open, even
    // when the slot is reached other than through the view.
    if (!(m_proxy->flags(index) & Qt::ItemIsEnabled))
        return;
    HeatEvent *heatEvent = m_proxy->heatEventAt(index);
    if (!heatEvent)
        return;
    emit scheduleTableDoubleClicked({heatEvent});
}
