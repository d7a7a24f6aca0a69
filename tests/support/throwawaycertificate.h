#pragma once

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

// A self-signed certificate and its key for one IP address, made with the
// openssl command for this test run alone and gone with the object.
class ThrowawayCertificate
{
public:
    explicit ThrowawayCertificate(const QString &ipAddress)
    {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty() || !m_dir.isValid()) {
            m_error = QStringLiteral("the openssl command is not installed");
            return;
        }
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(openssl,
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                       QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"),
                       QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=%1").arg(ipAddress), QStringLiteral("-addext"),
                       QStringLiteral("subjectAltName=IP:%1").arg(ipAddress), QStringLiteral("-keyout"), keyFile(),
                       QStringLiteral("-out"), certificateFile()});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            m_error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(process.readAll());
    }

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString certificateFile() const { return m_dir.filePath(QStringLiteral("certificate.pem")); }
    QString keyFile() const { return m_dir.filePath(QStringLiteral("key.pem")); }
    QList<QSslCertificate> certificates() const { return QSslCertificate::fromPath(certificateFile()); }

private:
    QTemporaryDir m_dir;
    QString m_error;
};
