#include "fieldevents/setstartingheightsdialog.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

#include "fieldevents/participantstartingheightwidget.h"
#include "records/participation.h"

SetStartingHeightsDialog::SetStartingHeightsDialog(const QList<Participation *> &participations, double firstHeight,
                                                   double heightStep, QWidget *parent)
    : QDialog(parent)
    , m_firstHeight(firstHeight)
    , m_heightStep(heightStep)
    , m_grpDefaults(new QGroupBox(this))
    , m_lblStartingHeight(new QLabel(this))
    , m_lblInterval(new QLabel(this))
    , m_spnStartingHeight(new QDoubleSpinBox(this))
    , m_spnInterval(new QDoubleSpinBox(this))
    , m_btnEnter(new QPushButton(this))
{
    m_spnStartingHeight->setObjectName(QStringLiteral("spnDefaultStartingHeight"));
    m_spnStartingHeight->setLocale(QLocale::c());
    m_spnStartingHeight->setRange(0, 10);
    m_spnStartingHeight->setSingleStep(0.05);
    m_spnStartingHeight->setDecimals(2);
    m_spnStartingHeight->setValue(firstHeight);
    m_spnInterval->setObjectName(QStringLiteral("spnInterval"));
    m_spnInterval->setLocale(QLocale::c());
    m_spnInterval->setRange(0, 1);
    m_spnInterval->setSingleStep(0.01);
    m_spnInterval->setDecimals(2);
    m_spnInterval->setValue(heightStep);
    m_btnEnter->setObjectName(QStringLiteral("btnEnter"));
    m_btnEnter->setIcon(QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/buttonenter_9.png")));
    m_btnEnter->setIconSize(QSize(96, 72));

    auto *defaults = new QFormLayout(m_grpDefaults);
    defaults->addRow(m_lblStartingHeight, m_spnStartingHeight);
    defaults->addRow(m_lblInterval, m_spnInterval);

    for (Participation *p : participations)
        m_originalHeights.append({p, p->startheight});

    QList<Participation *> sorted = participations;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Participation *a, const Participation *b) {
        return a->initial_order < b->initial_order;
    });
    auto *list = new QWidget;
    auto *listLayout = new QVBoxLayout(list);
    for (Participation *p : std::as_const(sorted)) {
        auto *row = new ParticipantStartingHeightWidget(p, list);
        listLayout->addWidget(row);
        m_rows.append(row);
    }
    listLayout->addStretch();
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grpDefaults);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_btnEnter, 0, Qt::AlignRight);

    connect(m_spnStartingHeight, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        m_firstHeight = value;
        for (ParticipantStartingHeightWidget *row : std::as_const(m_rows))
            row->setStartingHeight(value);
    });
    connect(m_spnInterval, &QDoubleSpinBox::valueChanged, this, [this](double value) { m_heightStep = value; });
    connect(m_btnEnter, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
}

void SetStartingHeightsDialog::done(int result)
{
    if (result != QDialog::Accepted) {
        for (const auto &[participation, height] : std::as_const(m_originalHeights)) {
            if (participation)
                participation->startheight = height;
        }
    }
    QDialog::done(result);
}

void SetStartingHeightsDialog::placeOn(const QScreen *screen)
{
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const int height = std::max(area.height() - 100, minimumSizeHint().height());
    const int width = std::max(sizeHint().width(), minimumSizeHint().width());
    setGeometry(area.left() + (area.width() - width) / 2, area.top() + 50, width, height);
}

void SetStartingHeightsDialog::retranslate()
{
    setWindowTitle(tr("Set starting heights"));
    m_grpDefaults->setTitle(tr("Default settings:"));
    m_lblStartingHeight->setText(tr("Starting height (m):"));
    m_lblInterval->setText(tr("Interval (m):"));
}

void SetStartingHeightsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
