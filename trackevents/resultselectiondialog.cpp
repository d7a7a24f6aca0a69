#include "trackevents/resultselectiondialog.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "records/resultmarks.h"

namespace {

constexpr int KeyHeight = 64;
const QString MarkColour = QStringLiteral("rgb(0, 92, 157)");
const QString TextColour = QStringLiteral("rgb(255, 255, 255)");

QPushButton *markButton(const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(objectName);
    // Return confirms a typed rule; it must never press a mark by accident.
    button->setAutoDefault(false);
    button->setMinimumHeight(KeyHeight);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background-color: %2; font-weight: bold; }"
                                         "QPushButton:pressed { color: %2; background-color: %1; }")
                              .arg(TextColour, MarkColour));
    return button;
}

} // namespace

ResultSelectionDialog::ResultSelectionDialog(const QList<DisqualificationRule> &rules, uint localId, uint lane,
                                             const QString &bib, const QString &name, const QString &info,
                                             QWidget *parent)
    : QDialog(parent)
    , m_rules(rules)
    , m_localId(localId)
    , m_value(ResultMarks::NoResult)
    , m_lblBib(new QLabel(bib, this))
    , m_lblName(new QLabel(name, this))
    , m_lblInfo(new QLabel(info, this))
    , m_buttonNR(markButton(QStringLiteral("buttonNR"), this))
    , m_buttonDNS(markButton(QStringLiteral("buttonDNS"), this))
    , m_buttonDNF(markButton(QStringLiteral("buttonDNF"), this))
    , m_buttonDQ(markButton(QStringLiteral("buttonDQ"), this))
    , m_cmbDisqualificationRule(new QComboBox(this))
    , m_txtDisqualification(new QLineEdit(this))
    , m_btnCancel(new QPushButton(this))
{
    Q_UNUSED(lane)
    setObjectName(QStringLiteral("ResultSelectionDialog"));
    m_lblBib->setObjectName(QStringLiteral("lblBib"));
    m_lblName->setObjectName(QStringLiteral("lblName"));
    m_lblInfo->setObjectName(QStringLiteral("lblInfo"));
    m_lblInfo->setWordWrap(true);
    QFont bold = m_lblName->font();
    bold.setBold(true);
    m_lblBib->setFont(bold);
    m_lblName->setFont(bold);

    m_cmbDisqualificationRule->setObjectName(QStringLiteral("cmbDisqualificationRule"));
    m_cmbDisqualificationRule->setMinimumHeight(KeyHeight);
    m_cmbDisqualificationRule->addItem(QString());
    for (const DisqualificationRule &rule : std::as_const(m_rules))
        m_cmbDisqualificationRule->addItem(rule.rule, rule.id);
    m_cmbDisqualificationRule->hide();
    m_txtDisqualification->setObjectName(QStringLiteral("txtDisqualification"));
    m_txtDisqualification->setMinimumHeight(KeyHeight);
    m_txtDisqualification->hide();
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setAutoDefault(false);
    m_btnCancel->setMinimumHeight(KeyHeight);

    auto *header = new QHBoxLayout;
    header->addWidget(m_lblBib);
    header->addWidget(m_lblName, 1);
    auto *marks = new QHBoxLayout;
    marks->addWidget(m_buttonNR);
    marks->addWidget(m_buttonDNS);
    marks->addWidget(m_buttonDNF);
    marks->addWidget(m_buttonDQ);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_lblInfo);
    layout->addLayout(marks);
    layout->addWidget(m_cmbDisqualificationRule);
    layout->addWidget(m_txtDisqualification);
    layout->addStretch();
    layout->addLayout(bottom);

    connect(m_buttonNR, &QPushButton::clicked, this, &ResultSelectionDialog::onButtonNRClicked);
    connect(m_buttonDNS, &QPushButton::clicked, this, &ResultSelectionDialog::onButtonDNSClicked);
    connect(m_buttonDNF, &QPushButton::clicked, this, &ResultSelectionDialog::onButtonDNFClicked);
    connect(m_buttonDQ, &QPushButton::clicked, this, &ResultSelectionDialog::onButtonDQClicked);
    connect(m_cmbDisqualificationRule, &QComboBox::currentIndexChanged, this,
            &ResultSelectionDialog::onCmbDisqualificationRuleCurrentIndexChanged);
    connect(m_txtDisqualification, &QLineEdit::textChanged, this,
            &ResultSelectionDialog::onDisqualificationTextChanged);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void ResultSelectionDialog::retranslate()
{
    setWindowTitle(tr("Result selection"));
    m_buttonNR->setText(tr("NR"));
    m_buttonDNS->setText(tr("DNS"));
    m_buttonDNF->setText(tr("DNF"));
    m_buttonDQ->setText(tr("DQ"));
    m_cmbDisqualificationRule->setItemText(0, tr("Custom"));
    m_txtDisqualification->setPlaceholderText(tr("Custom rule..."));
    m_btnCancel->setText(tr("Cancel"));
}

void ResultSelectionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void ResultSelectionDialog::choose(double value)
{
    m_value = value;
    m_text.clear();
    accept();
}

void ResultSelectionDialog::onButtonNRClicked()
{
    choose(ResultMarks::NoResult);
}

void ResultSelectionDialog::onButtonDNSClicked()
{
    choose(ResultMarks::DidNotStart);
}

void ResultSelectionDialog::onButtonDNFClicked()
{
    choose(ResultMarks::DidNotFinish);
}

void ResultSelectionDialog::onButtonDQClicked()
{
    m_value = ResultMarks::Disqualified;
    m_disqualifying = true;
    m_cmbDisqualificationRule->show();
    onCmbDisqualificationRuleCurrentIndexChanged(m_cmbDisqualificationRule->currentIndex());
}

void ResultSelectionDialog::onCmbDisqualificationRuleCurrentIndexChanged(int index)
{
    if (index <= 0) {
        m_txtDisqualification->show();
        m_txtDisqualification->setFocus();
        onDisqualificationTextChanged(m_txtDisqualification->text());
        return;
    }
    m_txtDisqualification->hide();
    m_value = ResultMarks::Disqualified;
    m_text = QStringLiteral("DQ:%1").arg(m_rules.at(index - 1).rule);
    accept();
}

void ResultSelectionDialog::onDisqualificationTextChanged(const QString &text)
{
    // A DQ without a typed reason carries no text rather than a bare "DQ:".
    m_text = text.trimmed().isEmpty() ? QString() : QStringLiteral("DQ:%1").arg(text);
}

void ResultSelectionDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Until DQ is chosen the dialog holds NR, which would remove the
    // participant's result: a stray Return must not confirm that.
    if (m_disqualifying)
        accept();
}
