// Texts of marks and times: every value a result can hold (from the server,
// the store or a device, NaN and infinities included) gets a text without a
// crash or undefined behaviour.
//
// The input is a series of records: a selector byte, then a value as its
// eight bytes, then (for field results) the metavalue's eight bytes.
#include "fuzzsupport.h"
#include "records/resultformatter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    FuzzInput input(data, size);
    while (!input.atEnd()) {
        const quint8 selector = input.byte();
        const double value = input.rawDouble();
        switch (selector % 4) {
        case 0: {
            static const QChar fieldTypes[] = {QLatin1Char('H'), QLatin1Char('V'), QChar()};
            ResultFormatter::fieldResult(value, input.rawDouble(), fieldTypes[(selector / 4) % 3]);
            break;
        }
        case 1: {
            static const QString types[] = {QStringLiteral("FTB"), QStringLiteral("MNL"), QStringLiteral("PHF")};
            ResultFormatter::trackResult(value, types[(selector / 4) % 3]);
            break;
        }
        case 2:
            ResultFormatter::formatTime(value, selector & 4 ? ResultFormatter::TimePrecision::Tenths
                                                            : ResultFormatter::TimePrecision::Hundredths);
            break;
        default: {
            static const ResultFormatter::Rounding roundings[] = {
                ResultFormatter::Rounding::Truncate, ResultFormatter::Rounding::Up, ResultFormatter::Rounding::Nearest};
            ResultFormatter::formatDecimal(value, (selector / 4) % 4, roundings[(selector / 16) % 3]);
            break;
        }
        }
    }
    return 0;
}
