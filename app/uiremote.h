#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QPoint;
class QWidget;

// Remote control of the user interface for end-to-end tests, which run the real program as a separate process and
// must drive it the way an official does. Another process cannot reach the widgets, so this serves a line-based
// JSON protocol on a local socket. It is only ever started on request (see startFromEnvironment).
//
// Commands run on the GUI thread from posted events, never inside the socket's read handler, and an action is
// answered from a posted event queued before the action runs. So a tap that ends in a modal exec() is still
// answered (from the dialog's own event loop), and the client can then look at the dialog and answer it.
//
// One JSON object per line each way; an "id" in a command comes back in its answer. Answers are {"ok":true,...}
// or {"ok":false,"error":"..."}; an action's answer also names the modal dialog open by then ("modal").
//   click      object [parent] [button:left|right|middle] [hold:ms] [double]
//   clickItem  object (text [column] | row [column]) [double] [button] [hold]   text: first row containing it
//   clickCell  object row column [double] [button] [hold]
//   type       object text                  key  [object] key ("Return", "Escape", "Ctrl+A", "7")
//   get        object property  -> value     set  object property value
//   modal      -> open, className, objectName, windowTitle, [text, informativeText], buttons
//   answer     button (text, standard name or role) | object      grab  [object] file -> file, width, height
//   modelRows  object [column] -> rows       widgets [class] [all] -> widgets       wait ms       quit
// Objects are found by objectName among all windows; of several, the visible one, then the one in the open
// dialog, then the one in the active window wins. "parent" narrows the search to below an object of that name.
// Taps and "set" are refused for hidden, disabled or modally blocked widgets, as a finger could not make them
// either. "grab" writes only below the folder for pictures named when the remote control starts (a relative
// "file" is taken within it); without one it writes nothing.
class UiRemote : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *EnvironmentVariable = "STADIONIX_REMOTE";
    // The folder "grab" may write pictures to.
    static constexpr const char *PictureFolderVariable = "STADIONIX_REMOTE_PICTURES";
    // A line longer than this is not a command; the connection is dropped instead of buffering without end.
    static constexpr int MaxLineLength = 1 << 20;
    // Upper bound of "hold" and "wait", so a typo cannot stall a connection for hours.
    static constexpr int MaxDelay = 60000;
    // Event-loop passes after an action before its answer goes out, so that queued reactions (queued
    // connections, zero timers) have run when the client looks again.
    static constexpr int SettleRounds = 3;

    // Listens on the local server of that name (a bare name lands in the temporary folder, a path is taken as it
    // is), for this user only. A stale socket left by a crashed run is replaced; a live one is left alone.
    // Pictures go below pictureFolder only; empty: none are written.
    explicit UiRemote(const QString &serverName, const QString &pictureFolder = QString(), QObject *parent = nullptr);
    ~UiRemote() override;

    // The remote control named by STADIONIX_REMOTE, with the picture folder named by STADIONIX_REMOTE_PICTURES
    // (none when unset), or nullptr when STADIONIX_REMOTE is unset or blank or the server cannot listen. Needs a
    // QApplication.
    static UiRemote *startFromEnvironment(QObject *parent);

    bool isListening() const;
    QString fullServerName() const;
    QString errorString() const { return m_errorString; }

private:
    struct Connection;
    struct Job;
    struct Step
    {
        int delayMs = 0;
        std::function<void(Job &)> run;
    };
    using ConnectionPtr = std::shared_ptr<Connection>;
    using JobPtr = std::shared_ptr<Job>;
    // Finds, when the finger comes down, the widget it lands in and the point there; fails the job otherwise.
    using Locator = std::function<bool(Job &job, QWidget **area, QPoint *point)>;

    bool listen(const QString &serverName);
    void onNewConnection();
    void onReadyRead(const ConnectionPtr &connection);
    void startNext(const ConnectionPtr &connection);
    void execute(const ConnectionPtr &connection, const QByteArray &line);
    void finish(const ConnectionPtr &connection, QJsonObject reply, const QJsonValue &id);
    void runJob(const JobPtr &job);
    void scheduleStep(const JobPtr &job);
    void scheduleReply(const JobPtr &job, int rounds);
    static void appendTap(Job &job, const Locator &locate, int pressDelay, int holdMs, bool doubleTap);
    static void appendWidgetTap(Job &job, QWidget *target, int holdMs, bool doubleTap);
    static void appendKeyStroke(Job &job, int key, Qt::KeyboardModifiers modifiers, const QString &text);

    // Each returns an immediate reply, or fills the job's steps and returns an empty object.
    QJsonObject commandClick(const QJsonObject &command, Job &job);
    QJsonObject commandClickItem(const QJsonObject &command, Job &job, bool byCell);
    QJsonObject commandType(const QJsonObject &command, Job &job);
    QJsonObject commandKey(const QJsonObject &command, Job &job);
    QJsonObject commandGet(const QJsonObject &command);
    QJsonObject commandSet(const QJsonObject &command, Job &job);
    QJsonObject commandModal();
    QJsonObject commandAnswer(const QJsonObject &command, Job &job);
    QJsonObject commandGrab(const QJsonObject &command);
    // Where a picture named "file" goes: below the picture folder, or empty with the reason.
    QString picturePath(const QString &file, QString *error) const;
    QJsonObject commandModelRows(const QJsonObject &command);
    QJsonObject commandWidgets(const QJsonObject &command);

    QLocalServer *m_server = nullptr;
    QString m_pictureFolder;
    QString m_errorString;
    QHash<QLocalSocket *, ConnectionPtr> m_connections;
};
