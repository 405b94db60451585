#include "RtfCodePage.h"

namespace {

// 0x80..0x9F are the only bytes where Windows-1252 differs from Latin-1.
// The five undefined bytes keep their own value, as Windows' converter does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar Windows1252ToChar(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(byte);
}

int CharToWindows1252(QChar character)
{
    const char16_t code = character.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return code;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code)
            return 0x80 + i;
    }
    return -1;
}
