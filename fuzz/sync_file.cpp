// The "sync" file that binds the program to its server: any file reads
// without a crash, and every value the program writes into it (a password
// with quotes, semicolons or commas, an address, a session header) reads
// back unchanged.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "fuzzsupport.h"
#include "sync/databaseconnection.h"
#include "sync/meetwiserestservice.h"

namespace {

// The folder of that file: in memory where the system offers a folder there
// (/dev/shm), as writing a file on a disk for every input costs ten times
// the run itself.
QString folderTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString folder = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return folder + QStringLiteral("/stadionix-fuzz-sync-XXXXXX");
}

// One file, rewritten with a modification time of its own each time:
// QSettings keeps the files it has read and reads one again only when its
// size or time has changed. (A new file each time would grow that cache, and
// libFuzzer would look for a leak after every run.)
QString writeFile(const QByteArray &bytes)
{
    static QTemporaryDir folder(folderTemplate());
    static qint64 count = 0;
    const QString path = folder.filePath(QStringLiteral("sync"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.setFileTime(QDateTime::fromMSecsSinceEpoch(++count * 1000, Qt::UTC), QFileDevice::FileModificationTime))
        FuzzSupport::fail("the file could not be written", path);
    return path;
}

int readFile(const QByteArray &bytes, MeetwiseRESTService &rest, QString &code)
{
    return DatabaseConnection::readSyncFile(writeFile(bytes), rest, code);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    MeetwiseRESTService rest;
    rest.setMachineId(QStringLiteral("3d1219c7c4c5404aaa1f6d2a48adfda4"));
    QString code;
    if (readFile(bytes, rest, code) == DatabaseConnection::MeetwiseServer)
        rest.sessionId();

    // The same bytes as a value, written the way the program writes the file.
    const QString text = QString::fromUtf8(bytes);
    const QString value = DatabaseConnection::iniValue(text);
    QByteArray file = "[general]\ntype=meetwise\n";
    for (const char *key : {"ip", "user", "pass", "sessionID"})
        file += QStringLiteral("%1=%2\n").arg(QLatin1String(key), value).toUtf8();
    FUZZ_CHECK(readFile(file, rest, code) == DatabaseConnection::MeetwiseServer, QString::fromUtf8(file));
    FUZZ_CHECK(rest.host() == text && rest.user() == text && rest.password() == text, QString::fromUtf8(file));
    if (!text.isEmpty())
        FUZZ_CHECK(rest.sessionId() == text, QString::fromUtf8(file));
    return 0;
}
