#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QImage>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

#include "devices/boardstate.h"
#include "devices/resultframedecoder.h"
#include "devices/videomessagedecoder.h"

class BoardDecoder;
class PtyReader;
class WifiBridgeStandin;

// A virtual LED scoreboard: it takes the bytes a real board would take, from
// a pty (one end of a socat pair) or as a stand-in Wi-Fi bridge, decodes them
// with the board decoders of the core and keeps the board's state, which it
// draws and, on request, saves as a PNG after every change. Beside the board
// it can stand in for the video wall (JSON lines) and for a system that takes
// the result frames, each on a pty of its own, and keeps the last message of
// each kind. Tests run it in-process; the program virtual-scoreboard wraps it
// in a window.
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
        QString ptyPath;             // read the board from this pty ...
        bool bridge = false;         // ... or listen as a Wi-Fi bridge
        QHostAddress bridgeAddress = QHostAddress::AnyIPv4;
        quint16 bridgePort = 3210;
        QHostAddress announceTo = QHostAddress::Broadcast;
        QString bridgeName = QStringLiteral("WFBRDG000314");
        QString videoPtyPath;  // the video wall's lines from this pty
        QString resultPtyPath; // the result frames from this pty
        QString pngPath;       // a PNG after every change; "%1" numbers them
        int pitch = 4;         // screen pixels from one LED to the next
    };

    // The input a name stands for ("changhong", "cpower", or a layout's
    // "controllertype"); false when none does.
    static bool inputFromName(const QString &name, Input *input);
    static QString inputName(Input input);
    // The size and input of a layout file: a scoreboard layout, or a
    // countdown clock layout for a board of a delivered make.
    static bool readLayout(const QString &path, Settings *settings, QString *error);

    explicit VirtualScoreboard(QObject *parent = nullptr);
    ~VirtualScoreboard() override;

    bool start(const Settings &settings, QString *error = nullptr);
    void stop();
    const Settings &settings() const { return m_settings; }

    // Bytes as the board received them.
    void feed(const QByteArray &bytes);
    // Bytes as the video wall received them.
    void feedVideo(const QByteArray &bytes);
    // Bytes as the system that takes the result frames received them.
    void feedResults(const QByteArray &bytes);

    const BoardState &state() const { return m_state; }
    QImage image() const;
    int changes() const { return m_changes; }
    int rejected() const;
    bool savePng(const QString &path) const;

    // The last video message of each type ("4" to "8", "a").
    QMap<QString, QJsonObject> lastVideoMessages() const { return m_lastVideo; }
    int videoMessageCount() const { return m_videoCount; }
    int videoRejected() const { return m_video.rejectedCount(); }
    // The last result frame's text (see ResultFrame::decode).
    QString lastResult() const { return m_lastResult; }
    int resultCount() const { return m_resultCount; }
    int resultRejected() const { return m_results.rejectedCount(); }
    // The lines the program prints for them.
    static QString videoLine(const QJsonObject &message);
    static QString resultLine(const QString &text);

    // One line of the control channel ("state", "png PATH", "quit").
    QString command(const QString &line);

signals:
    // The board shows something else.
    void changed();
    void videoMessageReceived(const QJsonObject &message);
    void resultReceived(const QString &text);
    void quitRequested();

private:
    // Where the next picture goes ("%1": the number of changes so far).
    QString pngPath() const;

    Settings m_settings;
    std::unique_ptr<BoardDecoder> m_decoder;
    BoardState m_state;
    int m_changes = 0;
    PtyReader *m_boardPty = nullptr;
    PtyReader *m_videoPty = nullptr;
    PtyReader *m_resultPty = nullptr;
    WifiBridgeStandin *m_bridge = nullptr;
    VideoMessageDecoder m_video;
    QMap<QString, QJsonObject> m_lastVideo;
    int m_videoCount = 0;
    ResultFrameDecoder m_results;
    QString m_lastResult;
    int m_resultCount = 0;
};
