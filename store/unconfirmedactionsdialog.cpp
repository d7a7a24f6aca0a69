#include "store/unconfirmedactionsdialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "store/unconfirmedactionsmodel.h"
#include "sync/databaseconnection.h"

UnconfirmedActionsDialog::UnconfirmedActionsDialog(DatabaseConnection *connection, QWidget *parent)
    : QDialog(parent)
    , m_connection(connection)
    , m_model(new UnconfirmedActionsModel(this))
    , m_tableView(new QTableView(this))
    , m_btnRemoveUnconfirmedActions(new QPushButton(this))
    , m_btnOk(new QPushButton(this))
{
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_btnRemoveUnconfirmedActions->setObjectName(QStringLiteral("btnRemoveUnconfirmedActions"));
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setIcon(QIcon(QStringLiteral(":/fatcow/icons/fatcow/accept_button.png")));
    m_tableView->setModel(m_model);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_btnRemoveUnconfirmedActions);
    buttons->addStretch();
    buttons->addWidget(m_btnOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(buttons);
    resize(900, 500);

    connect(m_btnRemoveUnconfirmedActions, &QPushButton::clicked, this, &UnconfirmedActionsDialog::onRemoveClicked);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    if (m_connection)
        m_model->setActions(m_connection->pendingActionList());
    retranslate();
}

void UnconfirmedActionsDialog::onRemoveClicked()
{
    const auto answer = QMessageBox::question(
        this, tr("Remove unprocessed actions"),
        tr("Are you sure you want to remove unprocessed actions? This data is not yet posted and processed by the "
           "server."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !m_connection)
        return;
    m_model->setActions({});
    m_connection->removeAllPendingActions();
}

void UnconfirmedActionsDialog::retranslate()
{
    setWindowTitle(tr("Unposted results"));
    m_btnRemoveUnconfirmedActions->setText(tr("Remove all changes"));
    m_btnOk->setText(tr("OK"));
}

void UnconfirmedActionsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
