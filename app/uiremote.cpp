#include "app/uiremote.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QKeySequence>
#include <QListView>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

#include <limits>

namespace {

Q_LOGGING_CATEGORY(lcRemote, "stadionix.remote", QtInfoMsg)

// Gives the item view time to lay out after scrolling before the finger comes down.
constexpr int ScrollSettleMs = 20;

QJsonObject failure(const QString &text)
{
    return QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("error"), text}};
}

QString describe(const QObject *object)
{
    if (!object)
        return QStringLiteral("(none)");
    if (!object->objectName().isEmpty())
        return QStringLiteral("\"%1\"").arg(object->objectName());
    return QString::fromLatin1(object->metaObject()->className());
}

QString stripMnemonic(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                plain.append(text.at(++i));
            continue;
        }
        plain.append(text.at(i));
    }
    return plain.trimmed();
}

bool isWithin(const QWidget *widget, const QWidget *ancestor)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

// The modal dialog that keeps a finger from reaching the widget, if any.
QWidget *blockingModal(const QWidget *widget)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || isWithin(widget, modal))
        return nullptr;
    if (modal->windowModality() == Qt::WindowModal && modal->parentWidget()) {
        // A window-modal dialog only blocks the windows it sits on.
        for (const QWidget *blocked = modal->parentWidget()->window(); blocked;
             blocked = blocked->parentWidget() ? blocked->parentWidget()->window() : nullptr) {
            if (widget->window() == blocked)
                return modal;
        }
        return nullptr;
    }
    return modal;
}

QString unreachable(const QWidget *widget)
{
    if (!widget->isVisible())
        return QStringLiteral("%1 is not visible").arg(describe(widget));
    if (!widget->isEnabled())
        return QStringLiteral("%1 is disabled").arg(describe(widget));
    if (const QWidget *modal = blockingModal(widget)) {
        return QStringLiteral("%1 is blocked by the modal dialog %2 (\"%3\")")
            .arg(describe(widget), describe(modal), modal->windowTitle());
    }
    return QString();
}

// Higher is a better guess of what a tester means when several objects share a name: what is on screen, then
// what is inside the open dialog, then what is in the active window.
int rank(const QObject *object)
{
    const QWidget *widget = qobject_cast<const QWidget *>(object);
    for (const QObject *o = object; !widget && o; o = o->parent())
        widget = qobject_cast<const QWidget *>(o);
    if (!widget)
        return 0;
    int score = 0;
    if (widget->isVisible())
        score += 4;
    if (const QWidget *modal = QApplication::activeModalWidget(); modal && isWithin(widget, modal))
        score += 2;
    if (widget->window() == QApplication::activeWindow())
        score += 1;
    return score;
}

template <typename T> T *findNamed(const QString &name, const QString &scope)
{
    QList<T *> found;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops) {
        if (T *t = qobject_cast<T *>(top); t && top->objectName() == name && !found.contains(t))
            found.append(t);
        const auto children = top->findChildren<T *>(name);
        for (T *child : children) {
            if (!found.contains(child))
                found.append(child);
        }
    }
    T *best = nullptr;
    int bestRank = -1;
    for (T *candidate : std::as_const(found)) {
        if (!scope.isEmpty()) {
            bool inScope = false;
            for (const QObject *o = candidate->parent(); o && !inScope; o = o->parent())
                inScope = o->objectName() == scope;
            if (!inScope)
                continue;
        }
        const int r = rank(candidate);
        if (r > bestRank) {
            best = candidate;
            bestRank = r;
        }
    }
    return best;
}

QString notFound(const QString &what, const QString &name, const QString &scope)
{
    if (scope.isEmpty())
        return QStringLiteral("no %1 named \"%2\"").arg(what, name);
    return QStringLiteral("no %1 named \"%2\" inside \"%3\"").arg(what, name, scope);
}

QWidget *findWidget(const QJsonObject &command, QString *error)
{
    const QString name = command.value(QStringLiteral("object")).toString();
    const QString scope = command.value(QStringLiteral("parent")).toString();
    if (name.isEmpty()) {
        *error = QStringLiteral("\"object\" is missing");
        return nullptr;
    }
    QWidget *widget = findNamed<QWidget>(name, scope);
    if (!widget)
        *error = notFound(QStringLiteral("widget"), name, scope);
    return widget;
}

// Widgets first, then any other object below a window (actions, models), for property access.
QObject *findObject(const QJsonObject &command, QString *error)
{
    if (QWidget *widget = findWidget(command, error))
        return widget;
    if (command.value(QStringLiteral("object")).toString().isEmpty())
        return nullptr;
    const QString name = command.value(QStringLiteral("object")).toString();
    const QString scope = command.value(QStringLiteral("parent")).toString();
    QObject *object = findNamed<QObject>(name, scope);
    if (!object)
        *error = notFound(QStringLiteral("object"), name, scope);
    return object;
}

QAbstractItemView *findView(const QJsonObject &command, QString *error)
{
    QWidget *widget = findWidget(command, error);
    if (!widget)
        return nullptr;
    // A combo box's rows are those of its popup list, which a tap on the box opens.
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        widget = combo->view();
    auto *view = qobject_cast<QAbstractItemView *>(widget);
    if (!view)
        *error = QStringLiteral("%1 is not an item view").arg(describe(widget));
    else if (!view->model())
        *error = QStringLiteral("%1 has no model").arg(describe(widget));
    return view && view->model() ? view : nullptr;
}

bool isRowHidden(const QAbstractItemView *view, int row, const QModelIndex &parent)
{
    if (const auto *table = qobject_cast<const QTableView *>(view))
        return table->isRowHidden(row);
    if (const auto *list = qobject_cast<const QListView *>(view))
        return list->isRowHidden(row);
    if (const auto *tree = qobject_cast<const QTreeView *>(view))
        return tree->isRowHidden(row, parent);
    return false;
}

bool isColumnHidden(const QAbstractItemView *view, int column)
{
    if (const auto *table = qobject_cast<const QTableView *>(view))
        return table->isColumnHidden(column);
    if (const auto *tree = qobject_cast<const QTreeView *>(view))
        return tree->isColumnHidden(column);
    return false;
}

// First row, in the order the view shows them, whose cell in the column contains the text.
QModelIndex findRow(const QAbstractItemView *view, const QModelIndex &parent, int column, const QString &text)
{
    const QAbstractItemModel *model = view->model();
    const bool tree = qobject_cast<const QTreeView *>(view) != nullptr;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        if (isRowHidden(view, row, parent))
            continue;
        const QModelIndex cell = model->index(row, column, parent);
        if (cell.data(Qt::DisplayRole).toString().contains(text, Qt::CaseInsensitive))
            return cell;
        if (tree) {
            const QModelIndex below = findRow(view, model->index(row, 0, parent), column, text);
            if (below.isValid())
                return below;
        }
    }
    return QModelIndex();
}

QString enumKey(const QMetaObject &metaObject, const char *enumName, int value)
{
    const int index = metaObject.indexOfEnumerator(enumName);
    if (index < 0 || value == 0)
        return QString();
    return QString::fromLatin1(metaObject.enumerator(index).valueToKey(value));
}

QString roleName(QDialogButtonBox::ButtonRole role)
{
    switch (role) {
    case QDialogButtonBox::AcceptRole:
        return QStringLiteral("AcceptRole");
    case QDialogButtonBox::RejectRole:
        return QStringLiteral("RejectRole");
    case QDialogButtonBox::DestructiveRole:
        return QStringLiteral("DestructiveRole");
    case QDialogButtonBox::ActionRole:
        return QStringLiteral("ActionRole");
    case QDialogButtonBox::HelpRole:
        return QStringLiteral("HelpRole");
    case QDialogButtonBox::YesRole:
        return QStringLiteral("YesRole");
    case QDialogButtonBox::NoRole:
        return QStringLiteral("NoRole");
    case QDialogButtonBox::ResetRole:
        return QStringLiteral("ResetRole");
    case QDialogButtonBox::ApplyRole:
        return QStringLiteral("ApplyRole");
    default:
        return QString();
    }
}

// Standard-button and role names of a button that sits in a button box (message boxes keep theirs in one too).
std::pair<QString, QString> buttonBoxNames(QAbstractButton *button)
{
    for (QWidget *p = button->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (auto *box = qobject_cast<QDialogButtonBox *>(p)) {
            return {enumKey(QDialogButtonBox::staticMetaObject, "StandardButtons", box->standardButton(button)),
                    roleName(box->buttonRole(button))};
        }
    }
    return {};
}

QList<QAbstractButton *> dialogButtons(QWidget *dialog)
{
    QList<QAbstractButton *> buttons;
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        buttons = box->buttons();
    else
        buttons = dialog->findChildren<QAbstractButton *>();
    buttons.removeIf([](const QAbstractButton *b) { return !b->isVisible(); });
    return buttons;
}

QJsonObject modalSummary(const QWidget *modal)
{
    return QJsonObject{
        {QStringLiteral("className"), QString::fromLatin1(modal->metaObject()->className())},
        {QStringLiteral("objectName"), modal->objectName()},
        {QStringLiteral("windowTitle"), modal->windowTitle()},
    };
}

QJsonValue toJson(const QVariant &value, const QMetaProperty *property, QString *error)
{
    if (!value.isValid())
        return QJsonValue(QJsonValue::Null);
    if (property && property->isEnumType()) {
        const QMetaEnum metaEnum = property->enumerator();
        const int number = value.toInt();
        const QByteArray key =
            metaEnum.isFlag() ? metaEnum.valueToKeys(number) : QByteArray(metaEnum.valueToKey(number));
        return key.isEmpty() ? QJsonValue(number) : QJsonValue(QString::fromLatin1(key));
    }
    switch (value.metaType().id()) {
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QJsonObject{{QStringLiteral("width"), s.width()}, {QStringLiteral("height"), s.height()}};
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QJsonObject{{QStringLiteral("x"), p.x()}, {QStringLiteral("y"), p.y()}};
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QJsonObject{{QStringLiteral("x"), r.x()},
                           {QStringLiteral("y"), r.y()},
                           {QStringLiteral("width"), r.width()},
                           {QStringLiteral("height"), r.height()}};
    }
    case QMetaType::QColor:
        return value.value<QColor>().name(QColor::HexArgb);
    case QMetaType::QFont:
        return value.value<QFont>().toString();
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODateWithMs);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return value.toTime().toString(Qt::ISODateWithMs);
    default:
        break;
    }
    const QJsonValue json = QJsonValue::fromVariant(value);
    if (!json.isNull() && !json.isUndefined())
        return json;
    if (value.metaType().id() != QMetaType::Nullptr && value.canConvert<QString>())
        return value.toString();
    if (value.metaType().id() == QMetaType::Nullptr)
        return json;
    *error = QStringLiteral("a value of type %1 cannot be expressed in JSON").arg(value.metaType().name());
    return QJsonValue(QJsonValue::Undefined);
}

ulong eventTimestamp()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return ulong(clock.elapsed());
}

// What a finger at this point of the widget lands on: the topmost widget of the window there.
QWidget *hitWidget(QWidget *area, const QPoint &point)
{
    QWidget *window = area->window();
    QWidget *hit = window->childAt(area->mapTo(window, point));
    return hit ? hit : window;
}

void giveClickFocus(QWidget *receiver)
{
    // A tap moves the focus like a mouse click does: to the nearest widget that takes focus by clicking.
    for (QWidget *w = receiver; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow())
            return;
    }
}

void sendMouse(QWidget *receiver, QEvent::Type type, const QPoint &local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPointF scene = receiver->mapTo(receiver->window(), local);
    const QPointF global = receiver->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), scene, global, button, buttons, Qt::NoModifier);
    event.setTimestamp(eventTimestamp());
    QApplication::sendEvent(receiver, &event);
}

struct KeyStroke
{
    int key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

KeyStroke strokeForCharacter(char32_t character)
{
    KeyStroke stroke;
    stroke.text = QString::fromUcs4(&character, 1);
    if (character == U'\n' || character == U'\r') {
        stroke.key = Qt::Key_Return;
        stroke.text = QStringLiteral("\r");
    } else if (character == U'\t') {
        stroke.key = Qt::Key_Tab;
    } else if (character < 0x10000) {
        // Qt's key codes for printable characters are the upper-case code points.
        stroke.key = QChar(char16_t(character)).toUpper().unicode();
    }
    return stroke;
}

bool parseKey(const QString &name, KeyStroke *stroke)
{
    const QList<uint> codePoints = name.toUcs4();
    if (codePoints.size() == 1) {
        *stroke = strokeForCharacter(codePoints.first());
        return true;
    }
    static const QHash<QString, QString> aliases{
        {QStringLiteral("escape"), QStringLiteral("Esc")},
        {QStringLiteral("delete"), QStringLiteral("Del")},
        {QStringLiteral("pageup"), QStringLiteral("PgUp")},
        {QStringLiteral("pagedown"), QStringLiteral("PgDown")},
    };
    const QString portable = aliases.value(name.toLower(), name);
    const QKeySequence sequence = QKeySequence::fromString(portable, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return false;
    stroke->key = sequence[0].key();
    stroke->modifiers = sequence[0].keyboardModifiers();
    stroke->text.clear();
    static const QHash<int, QString> texts{
        {Qt::Key_Return, QStringLiteral("\r")},   {Qt::Key_Enter, QStringLiteral("\r")},
        {Qt::Key_Tab, QStringLiteral("\t")},      {Qt::Key_Backspace, QStringLiteral("\b")},
        {Qt::Key_Escape, QStringLiteral("\x1b")}, {Qt::Key_Delete, QStringLiteral("\x7f")},
        {Qt::Key_Space, QStringLiteral(" ")},
    };
    const bool commandModifier = stroke->modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (texts.contains(stroke->key)) {
        stroke->text = texts.value(stroke->key);
    } else if (!commandModifier && stroke->key > 0x20 && stroke->key < 0x01000000) {
        const QString character(QChar(char16_t(stroke->key)));
        stroke->text = (stroke->modifiers & Qt::ShiftModifier) ? character : character.toLower();
    }
    return true;
}

// The widget that actually takes the keys when the target gets the focus.
QWidget *keyReceiver(QWidget *target)
{
    QWidget *receiver = target;
    while (receiver->focusProxy())
        receiver = receiver->focusProxy();
    return receiver;
}

bool readInt(const QJsonObject &command, const QString &key, int lowest, int highest, int fallback, int *value,
             QString *error)
{
    const QJsonValue json = command.value(key);
    if (json.isUndefined()) {
        *value = fallback;
        return true;
    }
    const double number = json.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!json.isDouble() || number != double(qint64(number)) || number < lowest || number > highest) {
        *error = QStringLiteral("\"%1\" must be a whole number from %2 to %3").arg(key).arg(lowest).arg(highest);
        return false;
    }
    *value = int(number);
    return true;
}

bool parseButton(const QJsonObject &command, Qt::MouseButton *button, QString *error)
{
    const QString name = command.value(QStringLiteral("button")).toString(QStringLiteral("left"));
    if (name == QLatin1String("left"))
        *button = Qt::LeftButton;
    else if (name == QLatin1String("right"))
        *button = Qt::RightButton;
    else if (name == QLatin1String("middle"))
        *button = Qt::MiddleButton;
    else
        *error = QStringLiteral("unknown button \"%1\"").arg(name);
    return error->isEmpty();
}

} // namespace

struct UiRemote::Connection
{
    QPointer<QLocalSocket> socket;
    QByteArray buffer;
    QList<QByteArray> pending;
    bool busy = false;
};

struct UiRemote::Job
{
    ConnectionPtr connection;
    QJsonValue id;
    QJsonObject reply{{QStringLiteral("ok"), true}};
    QList<Step> steps;
    qsizetype next = 0;
    bool failed = false;

    // Where the finger is for the mouse steps, found when it comes down.
    QPointer<QWidget> receiver;
    QPoint local;
    Qt::MouseButton button = Qt::LeftButton;

    void fail(const QString &text)
    {
        failed = true;
        reply = failure(text);
    }
};

UiRemote::UiRemote(const QString &serverName, const QString &pictureFolder, QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
    , m_pictureFolder(pictureFolder.trimmed().isEmpty()
                          ? QString()
                          : QDir::cleanPath(QDir().absoluteFilePath(pictureFolder.trimmed())))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &UiRemote::onNewConnection);
    if (listen(serverName))
        qCInfo(lcRemote) << "remote control listening on" << m_server->fullServerName();
    else
        qCWarning(lcRemote) << "remote control cannot listen on" << serverName << ":" << m_errorString;
}

UiRemote::~UiRemote() = default;

bool UiRemote::listen(const QString &serverName)
{
    if (serverName.trimmed().isEmpty()) {
        m_errorString = QStringLiteral("no server name");
        return false;
    }
    // Asked before listening: with access options Qt moves the new socket into place over any existing file, which
    // would cut off another program that still serves this name. Only a dead socket file may be replaced.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(500)) {
        probe.disconnectFromServer();
        m_errorString = QStringLiteral("another program is listening on %1").arg(serverName);
        return false;
    }
    if (m_server->listen(serverName))
        return true;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(serverName);
        if (m_server->listen(serverName))
            return true;
    }
    m_errorString = m_server->errorString();
    return false;
}

UiRemote *UiRemote::startFromEnvironment(QObject *parent)
{
    const QString name = qEnvironmentVariable(EnvironmentVariable).trimmed();
    if (name.isEmpty())
        return nullptr;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qCWarning(lcRemote) << "remote control needs a QApplication";
        return nullptr;
    }
    auto *remote = new UiRemote(name, qEnvironmentVariable(PictureFolderVariable), parent);
    if (!remote->isListening()) {
        delete remote;
        return nullptr;
    }
    return remote;
}

bool UiRemote::isListening() const
{
    return m_server->isListening();
}

QString UiRemote::fullServerName() const
{
    return m_server->fullServerName();
}

void UiRemote::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto connection = std::make_shared<Connection>();
        connection->socket = socket;
        m_connections.insert(socket, connection);
        connect(socket, &QLocalSocket::readyRead, this, [this, connection] { onReadyRead(connection); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            // Commands already received still run: a client may send "quit" and hang up at once.
            m_connections.remove(socket);
            socket->deleteLater();
        });
    }
}

void UiRemote::onReadyRead(const ConnectionPtr &connection)
{
    if (!connection->socket)
        return;
    connection->buffer.append(connection->socket->readAll());
    qsizetype newline;
    while ((newline = connection->buffer.indexOf('\n')) >= 0) {
        const QByteArray line = connection->buffer.left(newline).trimmed();
        connection->buffer.remove(0, newline + 1);
        if (!line.isEmpty())
            connection->pending.append(line);
    }
    if (connection->buffer.size() > MaxLineLength) {
        qCWarning(lcRemote) << "remote control: dropping a client that sent a line over" << MaxLineLength << "bytes";
        connection->buffer.clear();
        connection->pending.clear();
        connection->socket->write(
            QJsonDocument(failure(QStringLiteral("line too long"))).toJson(QJsonDocument::Compact) + '\n');
        connection->socket->disconnectFromServer();
        return;
    }
    startNext(connection);
}

void UiRemote::startNext(const ConnectionPtr &connection)
{
    if (connection->busy || connection->pending.isEmpty())
        return;
    connection->busy = true;
    const QByteArray line = connection->pending.takeFirst();
    // Never inside the socket's handler: a command that ends in a nested event loop would stall the socket.
    QMetaObject::invokeMethod(
        this, [this, connection, line] { execute(connection, line); }, Qt::QueuedConnection);
}

void UiRemote::finish(const ConnectionPtr &connection, QJsonObject reply, const QJsonValue &id)
{
    if (!id.isUndefined())
        reply.insert(QStringLiteral("id"), id);
    if (connection->socket && connection->socket->state() == QLocalSocket::ConnectedState) {
        connection->socket->write(QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n');
        connection->socket->flush();
    }
    connection->busy = false;
    startNext(connection);
}

void UiRemote::execute(const ConnectionPtr &connection, const QByteArray &line)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(line, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        const QString why = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                         : QStringLiteral("not a JSON object");
        finish(connection, failure(QStringLiteral("bad command: %1").arg(why)), QJsonValue::Undefined);
        return;
    }
    const QJsonObject command = document.object();
    const QJsonValue id = command.value(QStringLiteral("id"));
    const QString name = command.value(QStringLiteral("cmd")).toString();
    qCDebug(lcRemote) << "remote command" << line;

    auto job = std::make_shared<Job>();
    job->connection = connection;
    job->id = id;
    QJsonObject reply;
    if (name == QLatin1String("click")) {
        reply = commandClick(command, *job);
    } else if (name == QLatin1String("clickItem")) {
        reply = commandClickItem(command, *job, false);
    } else if (name == QLatin1String("clickCell")) {
        reply = commandClickItem(command, *job, true);
    } else if (name == QLatin1String("type")) {
        reply = commandType(command, *job);
    } else if (name == QLatin1String("key")) {
        reply = commandKey(command, *job);
    } else if (name == QLatin1String("get")) {
        reply = commandGet(command);
    } else if (name == QLatin1String("set")) {
        reply = commandSet(command, *job);
    } else if (name == QLatin1String("modal")) {
        reply = commandModal();
    } else if (name == QLatin1String("answer")) {
        reply = commandAnswer(command, *job);
    } else if (name == QLatin1String("grab")) {
        reply = commandGrab(command);
    } else if (name == QLatin1String("modelRows")) {
        reply = commandModelRows(command);
    } else if (name == QLatin1String("widgets")) {
        reply = commandWidgets(command);
    } else if (name == QLatin1String("trigger")) {
        // Menu actions have no widget of their own name to tap.
        QString error;
        auto *action = qobject_cast<QAction *>(findObject(command, &error));
        if (!action)
            reply = failure(error.isEmpty() ? QStringLiteral("not an action") : error);
        else
            job->steps.append(Step{0, [action = QPointer<QAction>(action)](Job &) {
                                       if (action)
                                           action->trigger();
                                   }});
    } else if (name == QLatin1String("wait")) {
        int ms = 0;
        QString error;
        if (!readInt(command, QStringLiteral("ms"), 0, MaxDelay, 0, &ms, &error))
            reply = failure(error);
        else
            job->steps.append(Step{ms, [](Job &) {}});
    } else if (name == QLatin1String("quit")) {
        // Answered first: once the windows are gone the program may end before another event is handled.
        finish(connection, QJsonObject{{QStringLiteral("ok"), true}}, id);
        QMetaObject::invokeMethod(
            this, [] { QApplication::closeAllWindows(); }, Qt::QueuedConnection);
        return;
    } else if (name.isEmpty()) {
        reply = failure(QStringLiteral("\"cmd\" is missing"));
    } else {
        reply = failure(QStringLiteral("unknown command \"%1\"").arg(name));
    }
    if (!reply.isEmpty()) {
        finish(connection, reply, id);
        return;
    }
    runJob(job);
}

void UiRemote::runJob(const JobPtr &job)
{
    job->next = 0;
    scheduleStep(job);
}

void UiRemote::scheduleStep(const JobPtr &job)
{
    if (job->next >= job->steps.size()) {
        scheduleReply(job, SettleRounds);
        return;
    }
    auto run = [this, job] {
        const Step step = job->steps.at(job->next++);
        // Queued before the step runs: if the step ends in a modal exec(), the rest of the job and its answer
        // are served by the dialog's event loop.
        scheduleStep(job);
        if (!job->failed)
            step.run(*job);
    };
    const int delay = job->steps.at(job->next).delayMs;
    // Precise: a coarse timer may fire 5 % early, and a hold must last at least as long as asked.
    if (delay > 0)
        QTimer::singleShot(delay, Qt::PreciseTimer, this, run);
    else
        QMetaObject::invokeMethod(this, run, Qt::QueuedConnection);
}

void UiRemote::scheduleReply(const JobPtr &job, int rounds)
{
    QMetaObject::invokeMethod(
        this,
        [this, job, rounds] {
            if (rounds > 1) {
                scheduleReply(job, rounds - 1);
                return;
            }
            QJsonObject reply = job->reply;
            if (const QWidget *modal = QApplication::activeModalWidget(); modal && !job->failed)
                reply.insert(QStringLiteral("modal"), modalSummary(modal));
            finish(job->connection, reply, job->id);
        },
        Qt::QueuedConnection);
}

void UiRemote::appendTap(Job &job, const Locator &locate, int pressDelay, int holdMs, bool doubleTap)
{
    job.steps.append(Step{pressDelay, [locate](Job &j) {
                              QWidget *area = nullptr;
                              QPoint point;
                              if (!locate(j, &area, &point))
                                  return;
                              QWidget *window = area->window();
                              QWidget *hit = hitWidget(area, point);
                              j.receiver = hit;
                              j.local = hit->mapFrom(window, area->mapTo(window, point));
                              if (!isWithin(hit, area))
                                  j.reply.insert(QStringLiteral("receiver"), describe(hit));
                              giveClickFocus(hit);
                              sendMouse(hit, QEvent::MouseButtonPress, j.local, j.button, j.button);
                          }});
    const auto release = [](Job &j) {
        // Like a mouse grab: the release goes where the press went, even if the press changed the screen.
        if (j.receiver)
            sendMouse(j.receiver, QEvent::MouseButtonRelease, j.local, j.button, Qt::NoButton);
    };
    job.steps.append(Step{holdMs, release});
    if (doubleTap) {
        // Widgets see a second tap as press, release, double click, release.
        job.steps.append(Step{0, [](Job &j) {
                                  if (j.receiver)
                                      sendMouse(j.receiver, QEvent::MouseButtonDblClick, j.local, j.button, j.button);
                              }});
        job.steps.append(Step{0, release});
    }
}

void UiRemote::appendWidgetTap(Job &job, QWidget *target, int holdMs, bool doubleTap)
{
    QPointer<QWidget> guard(target);
    const QString name = describe(target);
    // A finger cannot tap what is scrolled out of sight; it scrolls first.
    job.steps.append(Step{0, [guard](Job &) {
                              for (QWidget *p = guard ? guard->parentWidget() : nullptr; p; p = p->parentWidget()) {
                                  if (auto *area = qobject_cast<QScrollArea *>(p)) {
                                      area->ensureWidgetVisible(guard);
                                      return;
                                  }
                              }
                          }});
    const Locator locate = [guard, name](Job &j, QWidget **area, QPoint *point) {
        if (!guard) {
            j.fail(QStringLiteral("%1 went away").arg(name));
            return false;
        }
        if (const QString problem = unreachable(guard); !problem.isEmpty()) {
            j.fail(problem);
            return false;
        }
        const QRegion region = guard->visibleRegion();
        if (region.isEmpty()) {
            j.fail(QStringLiteral("%1 is not on screen").arg(name));
            return false;
        }
        const QPoint centre = guard->rect().center();
        *area = guard;
        *point = region.contains(centre) ? centre : region.begin()->center();
        return true;
    };
    appendTap(job, locate, 0, holdMs, doubleTap);
}

void UiRemote::appendKeyStroke(Job &job, int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    job.steps.append(Step{0, [key, modifiers, text](Job &j) {
                              if (!j.receiver)
                                  return;
                              QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
                              QApplication::sendEvent(j.receiver, &press);
                          }});
    job.steps.append(Step{0, [key, modifiers, text](Job &j) {
                              if (!j.receiver)
                                  return;
                              QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
                              QApplication::sendEvent(j.receiver, &release);
                          }});
}

QJsonObject UiRemote::commandClick(const QJsonObject &command, Job &job)
{
    QString error;
    QWidget *target = findWidget(command, &error);
    if (!target)
        return failure(error);
    int hold = 0;
    if (!parseButton(command, &job.button, &error) ||
        !readInt(command, QStringLiteral("hold"), 0, MaxDelay, 0, &hold, &error))
        return failure(error);
    if (const QString problem = unreachable(target); !problem.isEmpty())
        return failure(problem);
    appendWidgetTap(job, target, hold, command.value(QStringLiteral("double")).toBool());
    return QJsonObject();
}

QJsonObject UiRemote::commandClickItem(const QJsonObject &command, Job &job, bool byCell)
{
    QString error;
    QAbstractItemView *view = findView(command, &error);
    if (!view)
        return failure(error);
    int column = 0;
    int hold = 0;
    if (!parseButton(command, &job.button, &error) ||
        !readInt(command, QStringLiteral("column"), 0, std::numeric_limits<int>::max(), 0, &column, &error) ||
        !readInt(command, QStringLiteral("hold"), 0, MaxDelay, 0, &hold, &error)) {
        return failure(error);
    }
    if (const QString problem = unreachable(view); !problem.isEmpty())
        return failure(problem);
    const QAbstractItemModel *model = view->model();
    const QModelIndex root = view->rootIndex();
    if (column >= model->columnCount(root))
        return failure(QStringLiteral("%1 has no column %2").arg(describe(view)).arg(column));
    if (isColumnHidden(view, column))
        return failure(QStringLiteral("column %1 of %2 is hidden").arg(column).arg(describe(view)));

    QModelIndex index;
    if (command.contains(QStringLiteral("row"))) {
        int row = 0;
        if (!readInt(command, QStringLiteral("row"), 0, std::numeric_limits<int>::max(), 0, &row, &error))
            return failure(error);
        if (row >= model->rowCount(root))
            return failure(QStringLiteral("%1 has no row %2").arg(describe(view)).arg(row));
        if (isRowHidden(view, row, root))
            return failure(QStringLiteral("row %1 of %2 is hidden").arg(row).arg(describe(view)));
        index = model->index(row, column, root);
    } else if (!byCell && command.value(QStringLiteral("text")).isString()) {
        const QString text = command.value(QStringLiteral("text")).toString();
        index = findRow(view, root, column, text);
        if (!index.isValid()) {
            return failure(
                QStringLiteral("no row of %1 shows \"%2\" in column %3").arg(describe(view), text).arg(column));
        }
    } else {
        return failure(byCell ? QStringLiteral("\"row\" is missing")
                              : QStringLiteral("\"text\" or \"row\" is missing"));
    }
    job.reply.insert(QStringLiteral("row"), index.row());
    job.reply.insert(QStringLiteral("text"), index.data(Qt::DisplayRole).toString());

    QPointer<QAbstractItemView> guard(view);
    const QPersistentModelIndex persistent(index);
    const QString name = describe(view);
    job.steps.append(Step{0, [guard, persistent](Job &) {
                              if (guard && persistent.isValid())
                                  guard->scrollTo(persistent);
                          }});
    const Locator locate = [guard, persistent, name](Job &j, QWidget **area, QPoint *point) {
        if (!guard) {
            j.fail(QStringLiteral("%1 went away").arg(name));
            return false;
        }
        if (!persistent.isValid()) {
            j.fail(QStringLiteral("the row of %1 went away").arg(name));
            return false;
        }
        if (const QString problem = unreachable(guard); !problem.isEmpty()) {
            j.fail(problem);
            return false;
        }
        const QRect cell = guard->visualRect(persistent) & guard->viewport()->rect();
        if (cell.isEmpty()) {
            j.fail(QStringLiteral("row %1 of %2 is not on screen").arg(persistent.row()).arg(name));
            return false;
        }
        *area = guard->viewport();
        *point = cell.center();
        return true;
    };
    appendTap(job, locate, ScrollSettleMs, hold, command.value(QStringLiteral("double")).toBool());
    return QJsonObject();
}

QJsonObject UiRemote::commandType(const QJsonObject &command, Job &job)
{
    QString error;
    QWidget *target = findWidget(command, &error);
    if (!target)
        return failure(error);
    if (!command.value(QStringLiteral("text")).isString())
        return failure(QStringLiteral("\"text\" is missing"));
    if (const QString problem = unreachable(target); !problem.isEmpty())
        return failure(problem);
    QPointer<QWidget> guard(target);
    const QString name = describe(target);
    job.steps.append(Step{0, [guard, name](Job &j) {
                              if (!guard) {
                                  j.fail(QStringLiteral("%1 went away").arg(name));
                                  return;
                              }
                              guard->setFocus(Qt::OtherFocusReason);
                              j.receiver = keyReceiver(guard);
                          }});
    const QList<uint> characters = command.value(QStringLiteral("text")).toString().toUcs4();
    for (const uint character : characters) {
        const KeyStroke stroke = strokeForCharacter(character);
        appendKeyStroke(job, stroke.key, stroke.modifiers, stroke.text);
    }
    return QJsonObject();
}

QJsonObject UiRemote::commandKey(const QJsonObject &command, Job &job)
{
    const QString keyName = command.value(QStringLiteral("key")).toString();
    if (keyName.isEmpty())
        return failure(QStringLiteral("\"key\" is missing"));
    KeyStroke stroke;
    if (!parseKey(keyName, &stroke))
        return failure(QStringLiteral("unknown key \"%1\"").arg(keyName));
    QPointer<QWidget> guard;
    if (command.contains(QStringLiteral("object"))) {
        QString error;
        QWidget *target = findWidget(command, &error);
        if (!target)
            return failure(error);
        if (const QString problem = unreachable(target); !problem.isEmpty())
            return failure(problem);
        guard = target;
    }
    const bool named = guard;
    job.steps.append(Step{0, [guard, named](Job &j) {
                              if (named) {
                                  if (!guard) {
                                      j.fail(QStringLiteral("the widget went away"));
                                      return;
                                  }
                                  guard->setFocus(Qt::OtherFocusReason);
                                  j.receiver = keyReceiver(guard);
                                  return;
                              }
                              QWidget *receiver = QApplication::focusWidget();
                              if (!receiver)
                                  receiver = QApplication::activeModalWidget();
                              if (!receiver)
                                  receiver = QApplication::activeWindow();
                              if (!receiver)
                                  j.fail(QStringLiteral("no widget has the keyboard focus"));
                              j.receiver = receiver;
                          }});
    appendKeyStroke(job, stroke.key, stroke.modifiers, stroke.text);
    return QJsonObject();
}

QJsonObject UiRemote::commandGet(const QJsonObject &command)
{
    QString error;
    QObject *object = findObject(command, &error);
    if (!object)
        return failure(error);
    const QString property = command.value(QStringLiteral("property")).toString();
    if (property.isEmpty())
        return failure(QStringLiteral("\"property\" is missing"));
    if (property == QLatin1String("className")) {
        return QJsonObject{{QStringLiteral("ok"), true},
                           {QStringLiteral("value"), QString::fromLatin1(object->metaObject()->className())}};
    }
    const QByteArray name = property.toUtf8();
    const int index = object->metaObject()->indexOfProperty(name.constData());
    if (index < 0 && !object->dynamicPropertyNames().contains(name))
        return failure(QStringLiteral("%1 has no property \"%2\"").arg(describe(object), property));
    QJsonValue value;
    if (index >= 0) {
        const QMetaProperty metaProperty = object->metaObject()->property(index);
        value = toJson(metaProperty.read(object), &metaProperty, &error);
    } else {
        value = toJson(object->property(name.constData()), nullptr, &error);
    }
    if (value.isUndefined())
        return failure(QStringLiteral("property \"%1\" of %2: %3").arg(property, describe(object), error));
    return QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("value"), value}};
}

QJsonObject UiRemote::commandSet(const QJsonObject &command, Job &job)
{
    QString error;
    QObject *object = findObject(command, &error);
    if (!object)
        return failure(error);
    const QString property = command.value(QStringLiteral("property")).toString();
    if (property.isEmpty())
        return failure(QStringLiteral("\"property\" is missing"));
    if (!command.contains(QStringLiteral("value")))
        return failure(QStringLiteral("\"value\" is missing"));
    const QJsonValue json = command.value(QStringLiteral("value"));
    const QByteArray name = property.toUtf8();
    const int index = object->metaObject()->indexOfProperty(name.constData());
    // A typing error must not quietly create a new dynamic property.
    if (index < 0 && !object->dynamicPropertyNames().contains(name))
        return failure(QStringLiteral("%1 has no property \"%2\"").arg(describe(object), property));
    QVariant value = json.toVariant();
    if (index >= 0) {
        const QMetaProperty metaProperty = object->metaObject()->property(index);
        if (!metaProperty.isWritable())
            return failure(QStringLiteral("property \"%1\" of %2 is read-only").arg(property, describe(object)));
        if (metaProperty.isEnumType()) {
            const QMetaEnum metaEnum = metaProperty.enumerator();
            bool ok = json.isDouble();
            int number = json.toInt();
            if (json.isString()) {
                const QByteArray key = json.toString().toLatin1();
                number = metaEnum.isFlag() ? metaEnum.keysToValue(key.constData(), &ok)
                                           : metaEnum.keyToValue(key.constData(), &ok);
            }
            if (!ok)
                return failure(QStringLiteral("%1 is not a value of %2")
                                   .arg(json.toVariant().toString(), QString::fromLatin1(metaEnum.name())));
            value = number;
        } else if (metaProperty.metaType() != QMetaType::fromType<QVariant>() &&
                   !value.convert(metaProperty.metaType())) {
            const QByteArray shown = QJsonDocument(QJsonArray{json}).toJson(QJsonDocument::Compact);
            return failure(QStringLiteral("%1 cannot be turned into a %2 for \"%3\"")
                               .arg(QString::fromUtf8(shown.mid(1, shown.size() - 2)),
                                    QString::fromLatin1(metaProperty.typeName()), property));
        }
    }
    QPointer<QObject> guard(object);
    const QString objectName = describe(object);
    const bool declared = index >= 0;
    job.steps.append(Step{0, [guard, name, value, declared, objectName](Job &j) {
                              if (!guard) {
                                  j.fail(QStringLiteral("%1 went away").arg(objectName));
                                  return;
                              }
                              // What a finger could not change, a script may not either.
                              if (auto *widget = qobject_cast<QWidget *>(guard.data())) {
                                  const QString reason = unreachable(widget);
                                  if (!reason.isEmpty()) {
                                      j.fail(reason);
                                      return;
                                  }
                              }
                              // Dynamic properties always report false from setProperty.
                              if (!guard->setProperty(name.constData(), value) && declared) {
                                  j.fail(QStringLiteral("%1 refused \"%2\"").arg(objectName, QString::fromUtf8(name)));
                              }
                          }});
    return QJsonObject();
}

QJsonObject UiRemote::commandModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("open"), false}};
    QJsonObject reply = modalSummary(modal);
    reply.insert(QStringLiteral("ok"), true);
    reply.insert(QStringLiteral("open"), true);
    if (const auto *box = qobject_cast<QMessageBox *>(modal)) {
        reply.insert(QStringLiteral("text"), box->text());
        reply.insert(QStringLiteral("informativeText"), box->informativeText());
    }
    QJsonArray buttons;
    const auto dialogButtonList = dialogButtons(modal);
    for (QAbstractButton *button : dialogButtonList) {
        QJsonObject entry{{QStringLiteral("text"), stripMnemonic(button->text())},
                          {QStringLiteral("enabled"), button->isEnabled()},
                          {QStringLiteral("className"), QString::fromLatin1(button->metaObject()->className())}};
        if (!button->objectName().isEmpty())
            entry.insert(QStringLiteral("object"), button->objectName());
        const auto [standard, role] = buttonBoxNames(button);
        if (!standard.isEmpty())
            entry.insert(QStringLiteral("standard"), standard);
        if (!role.isEmpty())
            entry.insert(QStringLiteral("role"), role);
        buttons.append(entry);
    }
    reply.insert(QStringLiteral("buttons"), buttons);
    return reply;
}

QJsonObject UiRemote::commandAnswer(const QJsonObject &command, Job &job)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return failure(QStringLiteral("no modal dialog is open"));
    QWidget *target = nullptr;
    if (command.contains(QStringLiteral("object"))) {
        const QString name = command.value(QStringLiteral("object")).toString();
        const auto candidates = modal->findChildren<QWidget *>(name);
        for (QWidget *candidate : candidates) {
            if (!target || (candidate->isVisible() && !target->isVisible()))
                target = candidate;
        }
        if (!target) {
            return failure(QStringLiteral("no widget named \"%1\" in the dialog %2 (\"%3\")")
                               .arg(name, describe(modal), modal->windowTitle()));
        }
    } else if (command.value(QStringLiteral("button")).isString()) {
        const QString wanted = stripMnemonic(command.value(QStringLiteral("button")).toString()).toCaseFolded();
        const auto buttons = dialogButtons(modal);
        // Text first, then the standard-button name, then the role, so "Yes" finds a button labelled "Yes" even
        // when a translation labels the standard Yes button differently.
        const std::function<QString(QAbstractButton *)> keys[] = {
            [](QAbstractButton *b) { return stripMnemonic(b->text()); },
            [](QAbstractButton *b) { return buttonBoxNames(b).first; },
            [](QAbstractButton *b) { return buttonBoxNames(b).second; },
        };
        for (const auto &key : keys) {
            for (QAbstractButton *button : buttons) {
                if (!target && key(button).toCaseFolded() == wanted)
                    target = button;
            }
        }
        if (!target) {
            QStringList offered;
            for (QAbstractButton *button : buttons)
                offered.append(stripMnemonic(button->text()));
            return failure(QStringLiteral("no button \"%1\" in the dialog %2 (\"%3\"); it offers: %4")
                               .arg(command.value(QStringLiteral("button")).toString(), describe(modal),
                                    modal->windowTitle(), offered.join(QStringLiteral(", "))));
        }
    } else {
        return failure(QStringLiteral("\"button\" or \"object\" is missing"));
    }
    if (const QString problem = unreachable(target); !problem.isEmpty())
        return failure(problem);
    if (const auto *button = qobject_cast<QAbstractButton *>(target))
        job.reply.insert(QStringLiteral("button"), stripMnemonic(button->text()));
    appendWidgetTap(job, target, 0, false);
    return QJsonObject();
}

QString UiRemote::picturePath(const QString &file, QString *error) const
{
    if (m_pictureFolder.isEmpty()) {
        *error = QStringLiteral("no folder for pictures was named at the start (%1)")
                     .arg(QLatin1String(PictureFolderVariable));
        return QString();
    }
    const QString path = QDir::cleanPath(QDir(m_pictureFolder).absoluteFilePath(file));
    const QString outside = QStringLiteral("%1 is outside the folder for pictures %2").arg(file, m_pictureFolder);
    if (!path.startsWith(m_pictureFolder + QLatin1Char('/'))) {
        *error = outside;
        return QString();
    }
    // Nor may a link inside lead out of it: the deepest folder of the path
    // that exists already must really lie within.
    if (!QDir().mkpath(m_pictureFolder)) {
        *error = QStringLiteral("cannot make the folder for pictures %1").arg(m_pictureFolder);
        return QString();
    }
    const QString root = QFileInfo(m_pictureFolder).canonicalFilePath();
    QString existing = QFileInfo(path).absolutePath();
    while (!QFileInfo::exists(existing))
        existing = QFileInfo(existing).absolutePath();
    const QString real = QFileInfo(existing).canonicalFilePath();
    if ((real != root && !real.startsWith(root + QLatin1Char('/'))) || QFileInfo(path).isSymLink()) {
        *error = outside;
        return QString();
    }
    return path;
}

QJsonObject UiRemote::commandGrab(const QJsonObject &command)
{
    QString file = command.value(QStringLiteral("file")).toString();
    if (file.isEmpty())
        return failure(QStringLiteral("\"file\" is missing"));
    QString problem;
    file = picturePath(file, &problem);
    if (file.isEmpty())
        return failure(problem);
    QWidget *widget = nullptr;
    if (command.contains(QStringLiteral("object"))) {
        QString error;
        widget = findWidget(command, &error);
        if (!widget)
            return failure(error);
    } else {
        widget = QApplication::activeModalWidget();
        if (!widget)
            widget = QApplication::activeWindow();
        if (!widget) {
            const auto tops = QApplication::topLevelWidgets();
            for (QWidget *top : tops) {
                if (top->isVisible() && top->windowType() != Qt::ToolTip && top->windowType() != Qt::Popup) {
                    widget = top;
                    break;
                }
            }
        }
        if (!widget)
            return failure(QStringLiteral("no window to grab"));
    }
    const QPixmap pixmap = widget->grab();
    const QFileInfo info(file);
    QDir().mkpath(info.absolutePath());
    if (pixmap.isNull() || !pixmap.save(info.absoluteFilePath(), "PNG"))
        return failure(QStringLiteral("cannot write %1").arg(info.absoluteFilePath()));
    return QJsonObject{{QStringLiteral("ok"), true},
                       {QStringLiteral("file"), info.absoluteFilePath()},
                       {QStringLiteral("object"), describe(widget)},
                       {QStringLiteral("width"), pixmap.width()},
                       {QStringLiteral("height"), pixmap.height()}};
}

QJsonObject UiRemote::commandModelRows(const QJsonObject &command)
{
    QString error;
    QAbstractItemView *view = findView(command, &error);
    if (!view)
        return failure(error);
    int column = 0;
    if (!readInt(command, QStringLiteral("column"), 0, std::numeric_limits<int>::max(), 0, &column, &error))
        return failure(error);
    const QAbstractItemModel *model = view->model();
    const QModelIndex root = view->rootIndex();
    if (column >= model->columnCount(root))
        return failure(QStringLiteral("%1 has no column %2").arg(describe(view)).arg(column));
    QJsonArray rows;
    for (int row = 0; row < model->rowCount(root); ++row) {
        if (!isRowHidden(view, row, root))
            rows.append(model->index(row, column, root).data(Qt::DisplayRole).toString());
    }
    return QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("rows"), rows}};
}

QJsonObject UiRemote::commandWidgets(const QJsonObject &command)
{
    const bool all = command.value(QStringLiteral("all")).toBool();
    const QByteArray className = command.value(QStringLiteral("class")).toString().toLatin1();
    QList<QWidget *> widgets;
    QSet<QWidget *> seen;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops) {
        QList<QWidget *> tree = top->findChildren<QWidget *>();
        tree.prepend(top);
        for (QWidget *widget : std::as_const(tree)) {
            if (!seen.contains(widget)) {
                seen.insert(widget);
                widgets.append(widget);
            }
        }
    }
    QJsonArray list;
    for (const QWidget *widget : std::as_const(widgets)) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || (!all && !widget->isVisible()))
            continue;
        if (!className.isEmpty() && !widget->inherits(className.constData()))
            continue;
        list.append(QJsonObject{{QStringLiteral("object"), name},
                                {QStringLiteral("className"), QString::fromLatin1(widget->metaObject()->className())},
                                {QStringLiteral("visible"), widget->isVisible()},
                                {QStringLiteral("enabled"), widget->isEnabled()},
                                {QStringLiteral("window"), describe(widget->window())}});
    }
    return QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("widgets"), list}};
}
