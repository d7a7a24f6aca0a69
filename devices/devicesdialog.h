#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class DevicePorts;
class DeviceSet;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

// Where the official connects and tries out every device: one tab each for
// the scoreboard, the video scoreboard, the wind gauge, the EDM (with its
// calibration) and the countdown clock. Each tab picks its device's port
// (see DevicePorts, which keeps the lists, the colours and what a choice
// does); every change is written to the settings at once, not on OK. While
// the dialog is shown it listens for Wi-Fi bridges.
//
// The devices belong to the DeviceSet; without one (no application object)
// the tabs show the ports and store the choices only.
class DevicesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DevicesDialog(DeviceSet *devices, QWidget *parent = nullptr);
    ~DevicesDialog() override;

    // Take-off boards chosen for the EDM (1 or 2).
    int numberOfBoards() const;
    DevicePorts *ports() const { return m_ports; }

signals:
    void finishWifiToSerial();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void onPortActivated(int device, int row);
    void onCodeChanged(int device, int code);
    void onCurrentRowChanged(int device, int row);
    void onScoreboardTypeChanged(int index);
    void onScoreboardLayoutChanged(int index);
    void onScoreboardPreviewChanged();
    void onSendTextClicked();
    void onWindspeedTestClicked();
    void onWindspeedResult(double result);
    void onCountdownLayoutChanged(int index);
    void onStartAfterCallChanged(int state);
    void onDigitClicked(int digit);
    void onEDMSerialSettingChanged();
    void onEventTypeClicked();
    void onNumberOfBoardsChanged(int index);
    void onEDMCalibrationChanged();

private:
    QWidget *buildScoreboardTab();
    QWidget *buildVideoScoreboardTab();
    QWidget *buildWindspeedTab();
    QWidget *buildEDMTab();
    QWidget *buildCountdownTab();
    QComboBox *addPortSelector(const QString &group, bool hearsBridges, const QString &objectName);
    QPushButton *addButton(const QString &objectName);
    void retranslate();
    void showBrightness(QLabel *label, bool *shown, uint value, uint max);
    void fillScoreboardLayouts();
    void updateScoreboardControls();
    void updateEDMSerialVisibility();
    void updateEDMCalibration();
    void requestEDM(int measurementType);
    void drawCountdownDigits();
    int countdownValue() const;

    QPointer<DeviceSet> m_devices;
    DevicePorts *m_ports;
    QList<QComboBox *> m_portSelectors;
    QList<QLabel *> m_portLabels;
    QTabWidget *m_tabs;

    // Scoreboard.
    QComboBox *m_cmbScoreboardType;
    QComboBox *m_cmbScoreboardLayout;
    QCheckBox *m_chkClearAfterResult;
    QSpinBox *m_spnClearTimeout;
    QLabel *m_lblScoreboardType;
    QLabel *m_lblScoreboardLayout;
    QLabel *m_lblClearTimeout;
    QPushButton *m_btnBrightness;
    QPushButton *m_btnHorizontalParticipant;
    QPushButton *m_btnHorizontalResult;
    QPushButton *m_btnVerticalParticipant;
    QPushButton *m_btnVerticalResult;
    QPushButton *m_btnClearScoreboard;
    QPushButton *m_btnSendText;
    QLabel *m_lblBrightness;
    QLabel *m_lblPreview;
    bool m_brightnessShown = false;

    // Video scoreboard.
    QPushButton *m_btnVideoHorizontalParticipant;
    QPushButton *m_btnVideoHorizontalResult;
    QPushButton *m_btnVideoVerticalParticipant;
    QPushButton *m_btnVideoVerticalResult;
    QPushButton *m_btnVideoClear;

    // Wind gauge.
    QPushButton *m_btnWindspeedTest;
    QLabel *m_lblWindspeedResult;

    // EDM.
    QGroupBox *m_grpSerial;
    QLabel *m_lblBaudrate;
    QLabel *m_lblDatabits;
    QLabel *m_lblParity;
    QLabel *m_lblStopbits;
    QComboBox *m_cmbBaudrate;
    QComboBox *m_cmbDatabits;
    QComboBox *m_cmbParity;
    QComboBox *m_cmbStopbits;
    QLabel *m_lblEDMType;
    QComboBox *m_cmbEDMType;
    QLabel *m_lblNumberOfBoards;
    QComboBox *m_cmbNumberOfBoards;
    QRadioButton *m_rdbBoard1;
    QRadioButton *m_rdbBoard2;
    QPushButton *m_btnEventType;
    QLabel *m_lblEventType;
    QPushButton *m_btnReference1;
    QPushButton *m_btnReference2;
    QPushButton *m_btnTestMeasurement;
    QPushButton *m_btnDeviceTest;
    QLabel *m_lblReferences;
    QLabel *m_lblTestResults;
    QListWidget *m_lstTestResults;
    QLabel *m_lblMeasurement;

    // Countdown clock.
    QLabel *m_lblCountdownLayout;
    QComboBox *m_cmbCountdownLayout;
    QCheckBox *m_chkStartAfterCall;
    QPushButton *m_btnDigits[3];
    QPushButton *m_btnSendCountdown;
    QPushButton *m_btnCountdownBrightness;
    QLabel *m_lblCountdownBrightness;
    bool m_countdownBrightnessShown = false;
    int m_digits[3] = {1, 0, 0};

    QPushButton *m_btnOK;
    QPushButton *m_btnCancel;
};
