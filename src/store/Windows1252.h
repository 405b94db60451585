#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// Windows-1252, the code page of every data file. Every byte has a character: the five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control characters of the
// same value and are written back to the same byte, so any file survives a read and a write.
namespace Windows1252 {

QString decode(QByteArrayView bytes);
QChar decodeByte(unsigned char byte);

// The byte of one UTF-16 unit, or nullopt when the code page has none.
std::optional<char> encodeUnit(char16_t unit);

// The bytes of text, or nullopt when a character has no byte; *offending then holds the first such
// character (a whole code point, also outside the BMP).
std::optional<QByteArray> encode(QStringView text, char32_t* offending = nullptr);
// The same, appended to `bytes`; false (with `bytes` cut short) when a character has no byte.
bool encodeAppend(QByteArray& bytes, QStringView text, char32_t* offending = nullptr);

// True when the bytes hold at least one byte above 0x7F and every such byte is part of a valid
// UTF-8 sequence: text saved as UTF-8 by another program, which Windows-1252 would misread.
bool looksLikeUtf8(QByteArrayView bytes);

// "The character 'Ж' (U+0416) cannot be stored in a Windows-1252 file"
QString unencodableMessage(char32_t character);

} // namespace Windows1252
