#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

// The claim that makes a process the one primary instance of the program for
// its user and program file. A claim left behind by a process that was
// killed is taken over. The secondary never talks to the primary.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT

public:
    // The key: Base64 of SHA-256 over "SingleApplication", the application
    // name, organisation name and domain, version, the lower-cased program
    // path and the user name, with "/" replaced by "_".
    static QString claimKey();

    explicit SingleInstanceGuard(const QString &key = claimKey(), QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    bool isPrimary() const { return m_primary; }
    // 0 for the primary; secondaries count up from 1.
    unsigned instanceNumber() const { return m_instanceNumber; }
    QString key() const { return m_key; }

    // Gives up the claim so the next start becomes primary.
    void release();

    static constexpr int ContactTimeoutMs = 100;

private:
    unsigned nextInstanceNumber();

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    bool m_primary = false;
    unsigned m_instanceNumber = 0;
};
