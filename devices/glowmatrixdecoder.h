#pragma once

#include "devices/boarddecoder.h"

// Reads C-Power packets: from the start byte 0xA5 to the end byte 0xAE,
// un-stuffed (0xAA 0x05, 0x0E, 0x0A stand for 0xA5, 0xAE, 0xAA), with the
// header, the little-endian length and the checksum checked before the
// command data is read. A packet that fails any check is rejected whole.
class GlowmatrixDecoder : public BoardDecoder
{
public:
    static constexpr const char *Controller = "C-Power";
    // More than the longest packet a 16-bit length allows, stuffed.
    static constexpr qsizetype MaximumPacket = 2 * (65535 + 16);

    QString controller() const override { return QString::fromLatin1(Controller); }
    QList<BoardCommand> feed(const QByteArray &bytes) override;
    void reset() override;

    // Pixel height and character width of a font code; 0 for none.
    static int fontHeight(int code);
    static int characterWidth(int fontHeight);
    static QString brightnessLevel(int code);

    // The bytes between start and end with the stuffing undone; false when
    // an escape is not one of the three.
    static bool unstuff(const QByteArray &stuffed, QByteArray *bytes);

private:
    bool decodePacket(const QByteArray &body, BoardCommand *command);
    bool decodeData(const QByteArray &data, BoardCommand *command);

    QByteArray m_packet;
    bool m_inPacket = false;
    bool m_overlong = false;
    bool m_garbage = false;
};
