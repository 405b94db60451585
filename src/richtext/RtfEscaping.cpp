#include "RtfEscaping.h"

#include "Windows1252.h"

#include <charconv>

namespace {

char16_t* WriteAscii(char16_t* out, const char* text)
{
    while (*text)
        *out++ = char16_t(*text++);
    return out;
}

char16_t* WriteHex(char16_t* out, unsigned byte)
{
    static const char digits[] = "0123456789abcdef";
    *out++ = u'\\';
    *out++ = u'\'';
    *out++ = char16_t(digits[(byte >> 4) & 0xF]);
    *out++ = char16_t(digits[byte & 0xF]);
    return out;
}

} // namespace

char16_t* WriteRtfEscape(char16_t* out, char16_t u)
{
    switch (u) {
    case '\\':
    case '{':
    case '}':
        *out++ = u'\\';
        *out++ = u;
        return out;
    // Escaped so that "_$$$_001_$$$_" and "_$$$_002_$$$_" never occur in a body file.
    case '$':
    case '"': return WriteHex(out, u);
    case '\t': return WriteAscii(out, "\\tab ");
    default: break;
    }
    if (const std::optional<char> byte = Windows1252::encodeUnit(u))
        return WriteHex(out, static_cast<unsigned char>(*byte));
    // RTF's \u takes a signed 16-bit value; '?' is the fallback for older readers.
    char digits[8];
    const char* end = std::to_chars(digits, digits + sizeof digits, int(static_cast<qint16>(u))).ptr;
    out = WriteAscii(out, "\\u");
    for (const char* digit = digits; digit != end; ++digit)
        *out++ = char16_t(*digit);
    *out++ = u'?';
    return out;
}

void AppendRtfEscaped(QString& out, QStringView text)
{
    qsizetype size = 0;
    for (const QChar c : text)
        size += RtfEscapedSize(c.unicode());
    const qsizetype start = out.size();
    out.resize(start + size);
    char16_t* at = reinterpret_cast<char16_t*>(out.data()) + start;
    for (const QChar c : text) {
        if (IsPlainRtf(c.unicode()))
            *at++ = c.unicode();
        else
            at = WriteRtfEscape(at, c.unicode());
    }
}
