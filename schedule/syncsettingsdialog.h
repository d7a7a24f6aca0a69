#pragma once

#include <QDialog>
#include <QVariantMap>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// Lets the user type the server settings that the "sync" file holds: the kind
// of server and that kind's values. Pre-filled from the existing file.
class SyncSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    enum ServerKind { NoServer = 0, Meetwise = 1, AtletiekNu = 2 };

    // kind preselects a page (1 or 2); any other value takes the kind named
    // in the file, if any.
    SyncSettingsDialog(const QString &syncFilePath, int kind, QWidget *parent = nullptr);

    int serverKind() const;
    // Keys as the "sync" file stores them.
    QVariantMap meetwiseData() const;
    QVariantMap atletiekNuData() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void retranslateUi();
    void readFile(const QString &syncFilePath);
    void updateState();

    QRadioButton *m_rdbMeetwise = nullptr;
    QRadioButton *m_rdbAtletiekNu = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_txtIp = nullptr;
    QLineEdit *m_txtUser = nullptr;
    QLineEdit *m_txtPass = nullptr;
    QLineEdit *m_txtCompetition = nullptr;
    QLineEdit *m_txtSessions = nullptr;
    QLineEdit *m_txtDates = nullptr;
    QLineEdit *m_txtSessionId = nullptr;
    QLineEdit *m_txtCode = nullptr;
    QLineEdit *m_txtServerTimeOffset = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QList<QPair<QWidget *, const char *>> m_labels;
};
