#include "tools/virtual-scoreboard/virtualscoreboard.h"

#include <QFile>
#include <QJsonDocument>

#include "devices/boarddecoder.h"
#include "devices/boardpainter.h"
#include "devices/layoutfileloader.h"
#include "tools/virtual-scoreboard/ptyreader.h"
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
    const QByteArray text = file.readAll();
    QJsonObject layout;
    // A countdown clock on a board of a delivered make gives its size too.
    if (!LayoutFileLoader::parse(text, QStringLiteral("countdownclocklayout"), &layout, error) &&
        !LayoutFileLoader::parse(text, QStringLiteral("scoreboardlayout"), &layout, error))
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
    m_video = VideoMessageDecoder();
    m_lastVideo.clear();
    m_videoCount = 0;
    m_results = ResultFrameDecoder();
    m_lastResult.clear();
    m_resultCount = 0;
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
    const auto reader = [this](const QString &path, void (VirtualScoreboard::*feeder)(const QByteArray &)) {
        if (path.isEmpty())
            return static_cast<PtyReader *>(nullptr);
        auto *pty = new PtyReader(path, this);
        connect(pty, &PtyReader::received, this, feeder);
        return pty;
    };
    m_boardPty = reader(settings.ptyPath, &VirtualScoreboard::feed);
    m_videoPty = reader(settings.videoPtyPath, &VirtualScoreboard::feedVideo);
    m_resultPty = reader(settings.resultPtyPath, &VirtualScoreboard::feedResults);
    return true;
}

void VirtualScoreboard::stop()
{
    delete m_bridge;
    m_bridge = nullptr;
    for (PtyReader **pty : {&m_boardPty, &m_videoPty, &m_resultPty}) {
        delete *pty;
        *pty = nullptr;
    }
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

void VirtualScoreboard::feedVideo(const QByteArray &bytes)
{
    const QList<QJsonObject> messages = m_video.feed(bytes);
    for (const QJsonObject &message : messages) {
        m_lastVideo.insert(VideoMessageDecoder::typeOf(message), message);
        ++m_videoCount;
        emit videoMessageReceived(message);
    }
}

void VirtualScoreboard::feedResults(const QByteArray &bytes)
{
    const QStringList texts = m_results.feed(bytes);
    for (const QString &text : texts) {
        m_lastResult = text;
        ++m_resultCount;
        emit resultReceived(text);
    }
}

QString VirtualScoreboard::videoLine(const QJsonObject &message)
{
    return QStringLiteral("video %1: %2")
        .arg(VideoMessageDecoder::typeOf(message),
             QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

QString VirtualScoreboard::resultLine(const QString &text)
{
    return QStringLiteral("result: %1").arg(text.isEmpty() ? QStringLiteral("(nothing)") : text);
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
        QJsonObject video;
        for (auto it = m_lastVideo.cbegin(); it != m_lastVideo.cend(); ++it)
            video.insert(it.key(), it.value());
        state.insert(QStringLiteral("video"), QJsonObject{{QStringLiteral("last"), video},
                                                          {QStringLiteral("messages"), m_videoCount},
                                                          {QStringLiteral("rejected"), videoRejected()}});
        state.insert(QStringLiteral("results"), QJsonObject{{QStringLiteral("last"), m_lastResult},
                                                            {QStringLiteral("frames"), m_resultCount},
                                                            {QStringLiteral("rejected"), resultRejected()}});
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
