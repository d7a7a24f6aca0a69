#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

#include "devices/boardcommand.h"

// Reads the bytes that reach an LED board back into the commands they carry,
// as the board would. Bytes may arrive in pieces of any size: what is not yet
// a whole command is kept for the next feed(). What the board could not take
// (a broken command, a wrong checksum) is rejected and counted, never read as
// something else. The virtual scoreboard and the tests decode with these.
class BoardDecoder
{
public:
    virtual ~BoardDecoder() = default;

    // The make, as a driver names it ("Changhong", "C-Power").
    virtual QString controller() const = 0;
    virtual QList<BoardCommand> feed(const QByteArray &bytes) = 0;
    // Forgets a command begun but not ended.
    virtual void reset() = 0;

    int rejectedCount() const { return m_rejected; }
    QString lastRejection() const { return m_lastRejection; }

    // The decoder for a layout's "controllertype"; none for an unknown make.
    static std::unique_ptr<BoardDecoder> forController(const QString &controllerType);
    // Every controller type a decoder exists for.
    static QStringList controllers();

protected:
    void reject(const QString &reason);

private:
    int m_rejected = 0;
    QString m_lastRejection;
};
