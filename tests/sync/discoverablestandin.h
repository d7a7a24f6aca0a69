#pragma once

#include <QHostAddress>
#include <QString>

#include "sync/meetwisediscovery.h"
#include "tools/meetwise-standin/standinserver.h"

// The stand-in competition server with its demo competition on a test's own
// loopback address: HTTP on 8090 and discovery pings on 1217, both there
// alone, so that other tests' servers and pings never meet it.
inline bool startDiscoverableStandin(StandinServer &server, const QHostAddress &address, QString *error)
{
    if (!server.loadCompetition(StandinServer::demoCompetitionPath(), error))
        return false;
    StandinServer::Settings settings;
    settings.address = address;
    settings.port = 8090;
    settings.discoveryAddress = address;
    settings.discoveryPort = MeetwiseDiscovery::PingPort;
    return server.start(settings, error);
}
