#pragma once

#include <QDialog>
#include <QPointer>

class DatabaseConnection;
class QPushButton;
class QTableView;
class UnconfirmedActionsModel;

// Shows what the server has not confirmed yet and lets the official discard
// it all, after a question.
class UnconfirmedActionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UnconfirmedActionsDialog(DatabaseConnection *connection, QWidget *parent = nullptr);

    UnconfirmedActionsModel *model() const { return m_model; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void onRemoveClicked();
    void retranslate();

    QPointer<DatabaseConnection> m_connection;
    UnconfirmedActionsModel *m_model;
    QTableView *m_tableView;
    QPushButton *m_btnRemoveUnconfirmedActions;
    QPushButton *m_btnOk;
};
