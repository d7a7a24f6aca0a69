#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QSignalSpy>
#include <QString>

#include "devices/boarddecoder.h"
#include "devices/boardstate.h"
#include "devices/scoreboarddriverinterface.h"
#include "devices/scoreboarddriverloader.h"
#include "support/testsupport.h"

// The driver plug-ins as the program finds them: from the folder
// "scoreboarddrivers" of the build.
namespace ScoreboardTesting {

inline QString driverFolder()
{
    return TestSupport::buildDir() + QStringLiteral("/scoreboarddrivers");
}

inline ScoreboardDriverInterface *driver(const QString &name)
{
    static const QList<ScoreboardDriverInterface *> drivers = ScoreboardDriverLoader::load(driverFolder());
    for (ScoreboardDriverInterface *d : drivers) {
        if (d->name() == name)
            return d;
    }
    return nullptr;
}

// "A5 68 32" and the like.
inline QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

// A layout item as the drivers take it.
inline QJsonObject textItem(int x, int y, int width, int height, int fontSize, const QString &color,
                            const QString &alignment, const QString &text)
{
    return QJsonObject{{"x", x},
                       {"y", y},
                       {"width", width},
                       {"height", height},
                       {"fontsize", fontSize},
                       {"color", color},
                       {"alignment", alignment},
                       {"enabled", true},
                       {"dataSource", QJsonObject{{"prefix", ""}, {"value", text}, {"suffix", ""}}}};
}

// The bytes of every writeData a spy caught, and what a board makes of them.
inline QByteArray written(const QSignalSpy &spy)
{
    QByteArray bytes;
    for (const QList<QVariant> &call : spy)
        bytes += call.at(0).toByteArray();
    return bytes;
}

inline BoardState decoded(const QString &controller, const QByteArray &bytes, const QSize &size = QSize(192, 64),
                          int *rejected = nullptr)
{
    BoardState state(size);
    auto decoder = BoardDecoder::forController(controller);
    state.apply(decoder->feed(bytes));
    if (rejected)
        *rejected = decoder->rejectedCount();
    return state;
}

} // namespace ScoreboardTesting
