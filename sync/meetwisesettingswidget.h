#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <QWidget>

#include "sync/meetwiseinterface.h"

class MeetwiseDatesModel;
class MeetwiseDiscovery;
class MeetwiseRESTService;
class MeetwiseSessionsModel;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QNetworkReply;
class QPushButton;

// The Meetwise page of the folder dialog: finds competition servers on the
// network, lets the official pick one, a competition of it, its sessions and
// its days, and gives the settings the "sync" file keeps. A server the
// broadcasts do not reach can be added by typing its address.
class MeetwiseSettingsWidget : public QWidget, public MeetwiseInterface
{
    Q_OBJECT

public:
    // A request to a server that does not answer ends after this long.
    static constexpr int RequestTimeout = 5000;

    explicit MeetwiseSettingsWidget(QWidget *parent = nullptr);
    ~MeetwiseSettingsWidget() override;

    MeetwiseDiscovery *discovery() const { return m_discovery; }
    MeetwiseSessionsModel *sessionsModel() const { return m_sessions; }
    MeetwiseDatesModel *datesModel() const { return m_dates; }

    // The settings as the "sync" file holds them (ip, user, pass, competition,
    // sessions, dates, sessionID): the server is listed and chosen, and the
    // competition, sessions and days are chosen as soon as it lists them.
    void setConfiguration(const QVariantMap &configuration);
    // Keys as the "sync" file stores them. While the chosen server has not
    // listed its competitions, the stored ones are kept.
    QVariantMap configuration() const;
    // A server and a competition are chosen.
    bool isComplete() const;

    void competitionsReceived(const QList<QVariantMap> &competitions) override;

signals:
    void new_server(QString address, QString name, QString user, QString password);
    // What configuration() gives may have changed.
    void changed();

public slots:
    void onNewServer(QString address, QString name, QString user, QString password);
    void onServerChanged();
    void onCompetitionChanged();
    void onAddServerClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Status { Searching, DiscoveryUnavailable, Asking, NoAnswer, NoCompetitions, Ready };

    struct Credentials
    {
        QString name;
        QString user;
        QString password;
    };

    void buildForm();
    void retranslateUi();
    void onRequestFinished(QNetworkReply *reply);
    void setStatus(Status status, const QString &error = QString());
    void showStatus();
    QString serverAddress() const;
    bool isConfiguredServer(const QString &address) const;
    QString itemText(const QString &address) const;
    // The competition, sessions or days as configuration() gives them.
    QString chosen(const QString &key) const;

    MeetwiseDiscovery *m_discovery = nullptr;
    MeetwiseRESTService *m_client = nullptr;
    MeetwiseSessionsModel *m_sessions = nullptr;
    MeetwiseDatesModel *m_dates = nullptr;
    QHash<QString, Credentials> m_credentials;
    QVariantMap m_configuration;
    QPointer<QNetworkReply> m_competitionsReply;
    bool m_discoveryStarted = false;
    Status m_status = Status::Searching;
    QString m_statusServer;
    QString m_statusError;

    QComboBox *m_cmbServer = nullptr;
    QComboBox *m_cmbCompetition = nullptr;
    QListView *m_lstSessions = nullptr;
    QListView *m_lstDays = nullptr;
    QLabel *m_lblServer = nullptr;
    QLabel *m_lblCompetition = nullptr;
    QLabel *m_lblSessions = nullptr;
    QLabel *m_lblDays = nullptr;
    QLabel *m_lblStatus = nullptr;
    QGroupBox *m_grpManual = nullptr;
    QLabel *m_lblIp = nullptr;
    QLabel *m_lblUser = nullptr;
    QLabel *m_lblPass = nullptr;
    QLineEdit *m_txtIp = nullptr;
    QLineEdit *m_txtUser = nullptr;
    QLineEdit *m_txtPass = nullptr;
    QPushButton *m_btnAddServer = nullptr;
};
