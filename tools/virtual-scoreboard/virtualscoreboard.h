#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

#include "devices/boardstate.h"

class BoardDecoder;
class QSocketNotifier;
class QTimer;
class WifiBridgeStandin;

// A virtual LED scoreboard: it takes the bytes a real board would take, from
// a pty (one end of a socat pair) or as a stand-in Wi-Fi bridge, decodes them
// with the board decoders of the core and keeps the board's state, which it
// draws and, on request, saves as a PNG after every change. Tests run it
// in-process; the program virtual-scoreboard wraps it in a window.
class VirtualScoreboard : public QObject
{
    Q_OBJECT

public:
    // What reaches the board, one switch each.
    enum Input { ChanghongInput, CPowerInput };

    struct Settings
    {
        Input input = CPowerInput;
        QSize size = QSize(192, 64); // until the board is told otherwise
        QString ptyPath;             // read from this pty ...
        bool bridge = false;         // ... or listen as a Wi-Fi bridge
        QHostAddress bridgeAddress = QHostAddress::AnyIPv4;
        quint16 bridgePort = 3210;
        QHostAddress announceTo = QHostAddress::Broadcast;
        QString bridgeName = QStringLiteral("WFBRDG000314");
        QString pngPath; // a PNG after every change; "%1" numbers them
        int pitch = 4;   // screen pixels from one LED to the next
    };

    // The input a name stands for ("changhong", "cpower", or a layout's
    // "controllertype"); false when none does.
    static bool inputFromName(const QString &name, Input *input);
    static QString inputName(Input input);
    // The size and input of a layout file.
    static bool readLayout(const QString &path, Settings *settings, QString *error);

    explicit VirtualScoreboard(QObject *parent = nullptr);
    ~VirtualScoreboard() override;

    bool start(const Settings &settings, QString *error = nullptr);
    void stop();
    const Settings &settings() const { return m_settings; }

    // Bytes as the board received them.
    void feed(const QByteArray &bytes);

    const BoardState &state() const { return m_state; }
    QImage image() const;
    int changes() const { return m_changes; }
    int rejected() const;
    bool savePng(const QString &path) const;
    // One line of the control channel ("state", "png PATH", "quit").
    QString command(const QString &line);

signals:
    // The board shows something else.
    void changed();
    void quitRequested();

private:
    void openPty();
    void closePty();
    void onPtyReadable();
    // Where the next picture goes ("%1": the number of changes so far).
    QString pngPath() const;

    Settings m_settings;
    std::unique_ptr<BoardDecoder> m_decoder;
    BoardState m_state;
    int m_changes = 0;
    int m_ptyFd = -1;
    QSocketNotifier *m_ptyNotifier = nullptr;
    QTimer *m_ptyRetry = nullptr;
    WifiBridgeStandin *m_bridge = nullptr;
};
