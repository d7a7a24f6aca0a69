#include "tools/virtual-scoreboard/virtualscoreboard.h"

#include <QFile>
#include <QJsonDocument>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include "devices/boarddecoder.h"
#include "devices/boardpainter.h"
#include "devices/layoutfileloader.h"
#include "tools/common/rawport.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

bool VirtualScoreboard::inputFromName(const QString &name, Input *input)
{
    const QString key = name.toLower().remove(QLatin1Char('-'));
    if (key == QLatin1String("changhong")) {
        *input = ChanghongInput;
        return true;
    }
    if (key == QLatin1String("cpower")) {
        *input = CPowerInput;
        return true;
    }
    return false;
}

QString VirtualScoreboard::inputName(Input input)
{
    return input == ChanghongInput ? QStringLiteral("Changhong") : QStringLiteral("C-Power");
}

bool VirtualScoreboard::readLayout(const QString &path, Settings *settings, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QJsonObject layout;
    if (!LayoutFileLoader::parse(file.readAll(), QStringLiteral("scoreboardlayout"), &layout, error))
        return false;
    const QString controller = layout.value(QLatin1String("controllertype")).toString();
    if (!inputFromName(controller, &settings->input)) {
        *error = QStringLiteral("no virtual board for the controller type \"%1\"").arg(controller);
        return false;
    }
    settings->size = QSize(layout.value(QLatin1String("width")).toInt(), layout.value(QLatin1String("height")).toInt());
    return true;
}

VirtualScoreboard::VirtualScoreboard(QObject *parent)
    : QObject(parent)
{}

VirtualScoreboard::~VirtualScoreboard()
{
    stop();
}

bool VirtualScoreboard::start(const Settings &settings, QString *error)
{
    stop();
    m_settings = settings;
    m_decoder = BoardDecoder::forController(inputName(settings.input));
    m_state = BoardState(settings.size);
    m_changes = 0;
    if (settings.bridge) {
        m_bridge = new WifiBridgeStandin(this);
        WifiBridgeStandin::Settings bridge;
        bridge.address = settings.bridgeAddress;
        bridge.port = settings.bridgePort;
        bridge.announceTo = settings.announceTo;
        bridge.name = settings.bridgeName;
        connect(m_bridge, &WifiBridgeStandin::forwarded, this, &VirtualScoreboard::feed);
        if (!m_bridge->start(bridge, error)) {
            stop();
            return false;
        }
    }
    // The dark board, so that the picture is there before the first change.
    if (!settings.pngPath.isEmpty())
        savePng(pngPath());
    if (!settings.ptyPath.isEmpty()) {
        m_ptyRetry = new QTimer(this);
        m_ptyRetry->setInterval(1000);
        connect(m_ptyRetry, &QTimer::timeout, this, &VirtualScoreboard::openPty);
        openPty();
    }
    return true;
}

void VirtualScoreboard::stop()
{
    delete m_bridge;
    m_bridge = nullptr;
    delete m_ptyRetry;
    m_ptyRetry = nullptr;
    closePty();
}

void VirtualScoreboard::openPty()
{
    if (m_ptyFd >= 0)
        return;
    const int fd = RawPort::open(m_settings.ptyPath, O_RDONLY);
    if (fd < 0) {
        // Not there yet: a socat pair started later (or again) is picked up.
        m_ptyRetry->start();
        return;
    }
    m_ptyRetry->stop();
    m_ptyFd = fd;
    m_ptyNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_ptyNotifier, &QSocketNotifier::activated, this, &VirtualScoreboard::onPtyReadable);
}

void VirtualScoreboard::closePty()
{
    delete m_ptyNotifier;
    m_ptyNotifier = nullptr;
    if (m_ptyFd >= 0)
        ::close(m_ptyFd);
    m_ptyFd = -1;
}

void VirtualScoreboard::onPtyReadable()
{
    if (RawPort::readAvailable(m_ptyFd, [this](const QByteArray &bytes) { feed(bytes); }))
        return;
    // The pair ended: wait for it to come back.
    closePty();
    if (m_ptyRetry)
        m_ptyRetry->start();
}

void VirtualScoreboard::feed(const QByteArray &bytes)
{
    if (!m_decoder)
        return;
    const QList<BoardCommand> commands = m_decoder->feed(bytes);
    if (commands.isEmpty())
        return;
    for (const BoardCommand &command : commands) {
        m_state.apply(command);
        ++m_changes;
        if (!m_settings.pngPath.isEmpty())
            savePng(pngPath());
    }
    emit changed();
}

QString VirtualScoreboard::pngPath() const
{
    return m_settings.pngPath.contains(QLatin1String("%1")) ? m_settings.pngPath.arg(m_changes, 4, 10, QLatin1Char('0'))
                                                            : m_settings.pngPath;
}

int VirtualScoreboard::rejected() const
{
    return m_decoder ? m_decoder->rejectedCount() : 0;
}

QImage VirtualScoreboard::image() const
{
    return BoardPainter::render(m_state, m_settings.pitch);
}

bool VirtualScoreboard::savePng(const QString &path) const
{
    // Written beside and renamed, so a reader never sees half a picture.
    const QString partial = path + QStringLiteral(".part");
    if (!image().save(partial, "PNG"))
        return false;
    QFile::remove(path);
    return QFile::rename(partial, path);
}

QString VirtualScoreboard::command(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed == QLatin1String("state")) {
        QJsonObject state = m_state.toJson();
        state.insert(QStringLiteral("changes"), m_changes);
        state.insert(QStringLiteral("rejected"), rejected());
        return QString::fromUtf8(QJsonDocument(state).toJson(QJsonDocument::Compact));
    }
    if (trimmed.startsWith(QLatin1String("png "))) {
        const QString path = trimmed.mid(4).trimmed();
        return savePng(path) ? QStringLiteral("saved %1").arg(path) : QStringLiteral("cannot save %1").arg(path);
    }
    if (trimmed == QLatin1String("quit")) {
        emit quitRequested();
        return QString();
    }
    return QStringLiteral("commands: state, png PATH, quit");
}
