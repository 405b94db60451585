#include "Windows1252.h"

#include <array>

namespace {

// Characters of bytes 0x80-0x9F; undefined bytes keep their own value.
constexpr std::array<char16_t, 32> upperControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<char16_t>(byte);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = upperControlRange[i];
    return table;
}

constexpr auto decodeTable = makeDecodeTable();

} // namespace

namespace Windows1252 {

std::optional<char> encodeUnit(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (upperControlRange[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

QChar decodeByte(unsigned char byte)
{
    return QChar(decodeTable[byte]);
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes)
        *out++ = decodeTable[static_cast<unsigned char>(byte)];
    return text;
}

std::optional<QByteArray> encode(QStringView text, char32_t* offending)
{
    QByteArray bytes;
    if (!encodeAppend(bytes, text, offending))
        return std::nullopt;
    return bytes;
}

bool encodeAppend(QByteArray& bytes, QStringView text, char32_t* offending)
{
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size());
    char* out = bytes.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) { // nearly every character of a body
            *out++ = char(unit);
            continue;
        }
        if (const std::optional<char> byte = encodeUnit(unit)) {
            *out++ = *byte;
            continue;
        }
        if (offending) {
            const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size()
                              && text[i + 1].isLowSurrogate();
            *offending = pair ? QChar::surrogateToUcs4(unit, text[i + 1].unicode()) : unit;
        }
        bytes.truncate(start + i);
        return false;
    }
    return true;
}

bool looksLikeUtf8(QByteArrayView bytes)
{
    bool multibyte = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || lead > 0xF7 || i + length > bytes.size())
            return false;
        char32_t point = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and points past Unicode are no UTF-8 an editor writes.
        constexpr char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < shortest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        multibyte = true;
        i += length;
    }
    return multibyte;
}

QString unencodableMessage(char32_t character)
{
    const QString shown = QString::fromUcs4(&character, 1);
    return QStringLiteral("The character '%1' (U+%2) cannot be stored in a Windows-1252 file")
        .arg(shown, QStringLiteral("%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper());
}

} // namespace Windows1252
