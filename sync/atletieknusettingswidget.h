#pragma once

#include <QTimer>
#include <QVariantMap>
#include <QWidget>

#include "sync/atletieknuinterface.h"

class AtletiekNuRESTService;
class QLabel;
class QLineEdit;
class QPushButton;

// The AtletiekNu page of the folder dialog: the competition's code, checked
// with the service as it is typed, and the measured offset of the service's
// clock.
class AtletiekNuSettingsWidget : public QWidget, public AtletiekNuInterface
{
    Q_OBJECT

public:
    // A code is sent once typing has paused this long, not at every key.
    static constexpr int LoginDelay = 500;
    static constexpr const char *SuccessStyle = "QLabel { background-color: green; color: white; font-weight: bold; }";
    static constexpr const char *FailureStyle = "QLabel { background-color: red; color: white; font-weight: bold; }";

    // The service's host and a certificate to trust come from the settings
    // (group "atletieknu", keys "host" and "certificate").
    explicit AtletiekNuSettingsWidget(QWidget *parent = nullptr);
    ~AtletiekNuSettingsWidget() override;

    AtletiekNuRESTService *service() const { return m_service; }

    // code and servertimeoffset, as the "sync" file stores them.
    void setConfiguration(const QVariantMap &configuration);
    QVariantMap configuration() const;
    bool isComplete() const;

    void loginFinished(bool success, const QString &text) override;
    void serverTimeOffsetReceived(qint64 offset) override;

signals:
    void changed();

public slots:
    void onCodeChanged(QString code);
    void onRefreshServerTimeOffset();

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void retranslateUi();
    void onLoginDelayElapsed();
    void onResultsNotUploaded(const QString &errorText);

    AtletiekNuRESTService *m_service = nullptr;
    QTimer m_loginDelay;
    QLabel *m_lblCode = nullptr;
    QLabel *m_lblOffset = nullptr;
    QLineEdit *m_txtSynchronisationCode = nullptr;
    QLineEdit *m_txtServerTimeOffset = nullptr;
    QPushButton *m_btnServerTimeOffsetRefresh = nullptr;
    QLabel *m_lblInfo = nullptr;
};
