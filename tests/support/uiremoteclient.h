#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalSocket;

// Test side of the program's remote control (app/uiremote.h): drives a running program through its user interface
// over the local socket named by STADIONIX_REMOTE.
//
// Every wait runs a local event loop of the calling thread, so objects of the test itself (a QProcess, an
// in-process server) keep working meanwhile. A program in the same thread cannot be driven through a modal
// dialog: the dialog's exec() would sit on top of the waiting call. Use a separate process or a worker thread.
//
// Replies are the program's JSON objects, {"ok":true,...} or {"ok":false,"error":"..."}. A failure to reach the
// program comes back the same way, with "transport":true. The helpers return false (or an undefined value) on
// failure and keep the reason in lastError().
class UiRemoteClient
{
public:
    static constexpr int DefaultTimeout = 10000;

    UiRemoteClient();
    ~UiRemoteClient();
    UiRemoteClient(const UiRemoteClient &) = delete;
    UiRemoteClient &operator=(const UiRemoteClient &) = delete;

    // Retries until the program listens or the time is up, since it takes a while to start.
    bool connectToServer(const QString &name, int timeoutMs = DefaultTimeout);
    void disconnectFromServer();
    bool isConnected() const;

    // Sends one command and waits for its answer. An "id" is added unless the command has one.
    QJsonObject send(const QJsonObject &command, int timeoutMs = DefaultTimeout);
    // Sends a line as it is (for protocol tests) and returns the next answer.
    QJsonObject sendRaw(const QByteArray &line, int timeoutMs = DefaultTimeout);
    QString lastError() const { return m_lastError; }

    bool click(const QString &object, int holdMs = 0);
    bool rightClick(const QString &object);
    bool clickItem(const QString &view, const QString &text, int column = 0);
    bool doubleClickItem(const QString &view, const QString &text, int column = 0);
    bool clickCell(const QString &view, int row, int column, bool doubleClick = false);
    bool type(const QString &object, const QString &text);
    // A named key ("Return", "Escape", "Backspace", "Ctrl+A", "F5", or one character); an empty object sends it
    // to whatever has the focus.
    bool key(const QString &object, const QString &key);
    // Undefined when the property cannot be read.
    QJsonValue get(const QString &object, const QString &property);
    bool set(const QString &object, const QString &property, const QJsonValue &value);
    // The reply of "modal": "open" tells whether a modal dialog is up.
    QJsonObject modal();
    bool answer(const QString &button);
    bool answerObject(const QString &object);
    bool grab(const QString &file, const QString &object = QString());
    // Empty on failure; check lastError() when an empty list is possible.
    QStringList modelRows(const QString &view, int column = 0);
    bool quit();

    // Polls until the predicate holds or the time is up; the event loop runs between polls.
    bool waitFor(const std::function<bool()> &predicate, int timeoutMs = DefaultTimeout, int pollMs = 50);
    // Until the property has the value (numbers compare as numbers).
    bool waitFor(const QString &object, const QString &property, const QJsonValue &expected,
                 int timeoutMs = DefaultTimeout);
    bool waitForModal(int timeoutMs = DefaultTimeout);
    bool waitForNoModal(int timeoutMs = DefaultTimeout);

    // Lets the calling thread's event loop run for a while.
    static void pause(int ms);

private:
    bool succeeded(const QJsonObject &reply);
    QJsonObject transportFailure(const QString &text);
    bool takeLine(QByteArray *line);
    bool waitForLine(QByteArray *line, int timeoutMs);

    std::unique_ptr<QLocalSocket> m_socket;
    QByteArray m_buffer;
    QString m_lastError;
    qint64 m_nextId = 1;
    bool m_sending = false;
};
