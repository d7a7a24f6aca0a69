#include "trackevents/laneselectiondialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int KeySize = 64;

// A key that a finger can hit. Return must not press whichever key has the
// focus: it confirms the typed lane instead.
QPushButton *key(const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setMinimumSize(KeySize, KeySize);
    return button;
}

} // namespace

LaneSelectionDialog::LaneSelectionDialog(uint localId, uint lane, const QString &bib, const QString &name,
                                         const QString &info, QWidget *parent)
    : QDialog(parent)
    , m_localId(localId)
    , m_lane(lane)
    , m_lblBib(new QLabel(bib, this))
    , m_lblName(new QLabel(name, this))
    , m_lblInfo(new QLabel(info, this))
    , m_btnToggleInputField(key(QStringLiteral("btnToggleInputField"), this))
    , m_txtLane(new QLineEdit(this))
    , m_btnCancel(key(QStringLiteral("btnCancel"), this))
{
    setObjectName(QStringLiteral("LaneSelectionDialog"));
    m_lblBib->setObjectName(QStringLiteral("lblBib"));
    m_lblName->setObjectName(QStringLiteral("lblName"));
    m_lblInfo->setObjectName(QStringLiteral("lblInfo"));
    m_lblInfo->setWordWrap(true);
    QFont bold = m_lblName->font();
    bold.setBold(true);
    m_lblBib->setFont(bold);
    m_lblName->setFont(bold);

    auto *keys = new QGridLayout;
    for (int number = 1; number <= LaneButtons; ++number) {
        QPushButton *button = key(QStringLiteral("btnLane%1").arg(number), this);
        button->setText(QString::number(number));
        keys->addWidget(button, (number - 1) / 5, (number - 1) % 5);
        m_laneButtons.append(button);
    }
    connect(m_laneButtons.at(0), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane1Clicked);
    connect(m_laneButtons.at(1), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane2Clicked);
    connect(m_laneButtons.at(2), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane3Clicked);
    connect(m_laneButtons.at(3), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane4Clicked);
    connect(m_laneButtons.at(4), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane5Clicked);
    connect(m_laneButtons.at(5), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane6Clicked);
    connect(m_laneButtons.at(6), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane7Clicked);
    connect(m_laneButtons.at(7), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane8Clicked);
    connect(m_laneButtons.at(8), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane9Clicked);
    connect(m_laneButtons.at(9), &QPushButton::clicked, this, &LaneSelectionDialog::onBtnLane10Clicked);

    m_txtLane->setObjectName(QStringLiteral("txtLane"));
    m_txtLane->setMinimumHeight(KeySize);
    // Lanes 1 to 99: a leading zero or a third digit cannot even be typed.
    m_txtLane->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9]?")), m_txtLane));
    m_txtLane->hide();

    auto *header = new QHBoxLayout;
    header->addWidget(m_lblBib);
    header->addWidget(m_lblName, 1);
    auto *custom = new QHBoxLayout;
    custom->addWidget(m_btnToggleInputField);
    custom->addWidget(m_txtLane, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_lblInfo);
    layout->addLayout(keys);
    layout->addLayout(custom);
    layout->addLayout(bottom);

    connect(m_btnToggleInputField, &QPushButton::clicked, this, &LaneSelectionDialog::onBtnToggleInputFieldClicked);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void LaneSelectionDialog::retranslate()
{
    setWindowTitle(tr("Lane selection"));
    m_btnToggleInputField->setText(tr("Other lane"));
    m_txtLane->setPlaceholderText(tr("Enter lane number"));
    m_btnCancel->setText(tr("Cancel"));
}

void LaneSelectionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void LaneSelectionDialog::chooseLane(uint lane)
{
    m_lane = lane;
    accept();
}

void LaneSelectionDialog::onBtnLane1Clicked()
{
    chooseLane(1);
}
void LaneSelectionDialog::onBtnLane2Clicked()
{
    chooseLane(2);
}
void LaneSelectionDialog::onBtnLane3Clicked()
{
    chooseLane(3);
}
void LaneSelectionDialog::onBtnLane4Clicked()
{
    chooseLane(4);
}
void LaneSelectionDialog::onBtnLane5Clicked()
{
    chooseLane(5);
}
void LaneSelectionDialog::onBtnLane6Clicked()
{
    chooseLane(6);
}
void LaneSelectionDialog::onBtnLane7Clicked()
{
    chooseLane(7);
}
void LaneSelectionDialog::onBtnLane8Clicked()
{
    chooseLane(8);
}
void LaneSelectionDialog::onBtnLane9Clicked()
{
    chooseLane(9);
}
void LaneSelectionDialog::onBtnLane10Clicked()
{
    chooseLane(10);
}

void LaneSelectionDialog::onBtnToggleInputFieldClicked()
{
    updateCustomField(m_txtLane->isHidden());
}

void LaneSelectionDialog::updateCustomField(bool toggle)
{
    m_txtLane->setVisible(toggle);
    if (toggle)
        m_txtLane->setFocus();
}

void LaneSelectionDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (!m_txtLane->isHidden() && m_txtLane->hasAcceptableInput())
        m_lane = m_txtLane->text().toUInt();
    accept();
}
