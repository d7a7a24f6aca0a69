#include "devices/boarddecoder.h"

#include "devices/glowmatrixdecoder.h"
#include "devices/lanternixdecoder.h"

std::unique_ptr<BoardDecoder> BoardDecoder::forController(const QString &controllerType)
{
    if (controllerType == LanternixDecoder::Controller)
        return std::make_unique<LanternixDecoder>();
    if (controllerType == GlowmatrixDecoder::Controller)
        return std::make_unique<GlowmatrixDecoder>();
    return nullptr;
}

QStringList BoardDecoder::controllers()
{
    return {QString::fromLatin1(LanternixDecoder::Controller), QString::fromLatin1(GlowmatrixDecoder::Controller)};
}

void BoardDecoder::reject(const QString &reason)
{
    ++m_rejected;
    m_lastRejection = reason;
}
