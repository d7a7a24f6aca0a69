#include "app/singleinstanceguard.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include "app/applogging.h"

static QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    return name;
}

QString SingleInstanceGuard::claimKey()
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayLiteral("SingleApplication"));
    hash.addData(QCoreApplication::applicationName().toUtf8());
    hash.addData(QCoreApplication::organizationName().toUtf8());
    hash.addData(QCoreApplication::organizationDomain().toUtf8());
    hash.addData(QCoreApplication::applicationVersion().toUtf8());
    hash.addData(QCoreApplication::applicationFilePath().toLower().toUtf8());
    hash.addData(userName().toUtf8());
    return QString::fromLatin1(hash.result().toBase64()).replace(QLatin1Char('/'), QLatin1Char('_'));
}

SingleInstanceGuard::SingleInstanceGuard(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
{
    // A lock file knows the process that holds it; when that process is gone
    // (even after SIGKILL) the lock is stale and taken over at once.
    const QString base = QDir::tempPath() + QLatin1Char('/') + m_key;
    m_lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(ContactTimeoutMs)) {
        m_primary = true;
        // The local server marks the primary as reachable; a socket left by a
        // killed primary is removed first.
        QLocalServer::removeServer(m_key);
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server->listen(m_key))
            qCDebug(lcApp) << "Single instance server not listening:" << m_server->errorString();
        return;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        // No claim could be made at all (an unwritable temporary folder):
        // nothing shows that another instance runs, so this one runs rather
        // than being refused for a reason that is not true.
        qCWarning(lcApp) << "Single instance claim not possible, running anyway:" << base;
        m_primary = true;
        return;
    }
    m_instanceNumber = nextInstanceNumber();
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

void SingleInstanceGuard::release()
{
    if (!m_primary)
        return;
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    m_lock->unlock();
    m_primary = false;
}

unsigned SingleInstanceGuard::nextInstanceNumber()
{
    const QString base = QDir::tempPath() + QLatin1Char('/') + m_key;
    QLockFile counterLock(base + QStringLiteral(".counter.lock"));
    counterLock.setStaleLockTime(0);
    if (!counterLock.tryLock(ContactTimeoutMs))
        return 1;
    QFile counter(base + QStringLiteral(".instances"));
    unsigned number = 0;
    if (counter.open(QIODevice::ReadOnly))
        number = counter.readAll().trimmed().toUInt();
    counter.close();
    ++number;
    if (counter.open(QIODevice::WriteOnly | QIODevice::Truncate))
        counter.write(QByteArray::number(number));
    return number;
}
