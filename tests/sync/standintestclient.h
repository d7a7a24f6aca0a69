#pragma once

#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QtTest>

#include "meetwiselistenerrecorder.h"
#include "sync/meetwiserestservice.h"

// A client configured for the stand-in on the test's own loopback address,
// with a listener that records what reached it and a note of how every
// request ended.
class StandinTestClient
{
public:
    static constexpr const char *MachineId = "3d1219c7c4c5404aaa1f6d2a48adfda4"; // key 65

    explicit StandinTestClient(const QString &host)
    {
        service.setHost(host);
        service.setUser(QStringLiteral("official"));
        service.setPassword(QStringLiteral("lap&time=42"));
        service.setMachineId(QString::fromLatin1(MachineId));
        service.setCompetition(1);
        service.setListener(&listener);
        QObject::connect(&service, &MeetwiseRESTService::requestFinished, &service, [this](QNetworkReply *reply) {
            finished.append({reply, reply->error()});
        });
    }

    // Waits until the reply has been handled; its error, or -1 when it did
    // not end in time.
    int wait(QNetworkReply *reply, int timeoutMs = 5000)
    {
        if (!reply)
            return -1;
        int error = -1;
        [[maybe_unused]] const bool ended = QTest::qWaitFor(
            [&] {
                for (const auto &entry : std::as_const(finished)) {
                    if (entry.first == reply) {
                        error = entry.second;
                        return true;
                    }
                }
                return false;
            },
            timeoutMs);
        // Handled replies are deleted later; drop the note so a new reply at
        // the same address is not mistaken for this one.
        finished.erase(std::remove_if(finished.begin(), finished.end(),
                                      [reply](const auto &entry) { return entry.first == reply; }),
                       finished.end());
        return error;
    }

    MeetwiseRESTService service;
    MeetwiseListenerRecorder listener;
    QList<QPair<QNetworkReply *, QNetworkReply::NetworkError>> finished;
};
