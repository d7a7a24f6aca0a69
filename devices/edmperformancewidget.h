#pragma once

#include <QString>
#include <QWidget>

#include "app/screendevices.h"

class AnimatedButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class ThirdPartyResult;
class UdpResultOutput;

// The measuring station of a field event scored elsewhere: no competition
// data; each distance the meter measures (also one taken on the instrument
// without a tap here), or the status of an attempt, is shown in large type
// and passed on at once to the scoreboard, the result output and, when
// enabled, as a UDP datagram.
class EDMPerformanceWidget : public QWidget
{
    Q_OBJECT

public:
    explicit EDMPerformanceWidget(QWidget *parent = nullptr);
    ~EDMPerformanceWidget() override;

    // The devices the page drives (the application's unless a test gives
    // its own); the result output device is taken from them too.
    void setDevices(const ScreenDevices &devices);
    // After the devices dialog: take the meter's results again, with the
    // pending type, the take-off board choice and the current board.
    void reloadEDMState();
    // Before the devices dialog, and when the page goes: the meter's results
    // and the readings taken on the instrument without a request are no
    // longer this page's, so that a stray reading during the calibration is
    // not taken as one.
    void releaseEDM();

    QString resultText() const { return m_resultText; }
    UdpResultOutput *udpOutput() const { return m_udp; }

public slots:
    void onEDMResult(double result, double resultMeasuredByTape);
    void onUDPOutputStateChanged(int state);
    void onIPTextChanged(QString text);
    void onPortValueChanged(int value);
    void onThirdPartySerialCurrentIndexChanged(int index);
    void onThirdPartySerialPortOpened(bool open);
    void onFailClicked();
    void onPassClicked();
    void onSkipClicked();
    void onRelegatedClicked();
    void onNoValidTrialClicked();
    void onCountdownClicked();
    void onWindClicked();
    void onTakeOffBoard1Clicked();
    void onTakeOffBoard2Clicked();
    void onEDMClicked();
    void onEnterClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    AnimatedButton *makeButton(const QString &objectName, const QString &image);
    void buildForm();
    void retranslate();
    void fillPortChoice();
    void showIPState();
    unsigned eventType() const;
    void setCurrentBoard();
    void playDrop();
    void setStatus(const QString &text);
    void showResult();
    // To the scoreboard, the result output and (udp) the UDP output.
    void send(bool udp);
    void recalculateFromBoard(int board);
    void connectDevices();
    void disconnectDevices();

    ScreenDevices m_devices;
    ThirdPartyResult *m_output = nullptr;
    UdpResultOutput *m_udp;
    QString m_resultText;
    // This page has the meter's results and its readings without a request.
    bool m_holdsEDM = false;

    QLabel *m_lblResult;
    AnimatedButton *m_btnFail;
    AnimatedButton *m_btnPass;
    AnimatedButton *m_btnSkip;
    AnimatedButton *m_btnRelegated;
    AnimatedButton *m_btnNoValidTrial;
    AnimatedButton *m_btnEnter;
    AnimatedButton *m_btnEDM;
    AnimatedButton *m_btnWind;
    AnimatedButton *m_btnCountdown;
    QFrame *m_frmTakeOffBoard;
    QLabel *m_lblTakeOffBoard;
    QRadioButton *m_rdbTakeOffBoard1;
    QRadioButton *m_rdbTakeOffBoard2;
    QGroupBox *m_grpThirdParty;
    QLabel *m_lblSerial;
    QComboBox *m_cmbThirdPartySerialPort;
    QGroupBox *m_grpUDP;
    QCheckBox *m_chkUDPOutputEnabled;
    QLabel *m_lblIP;
    QLineEdit *m_txtIP;
    QLabel *m_lblPort;
    QSpinBox *m_spnPort;
    QLabel *m_lblIPState;
};
