#pragma once

#include <QString>
#include <QStringView>

// Text goes into RTF the way DocumentToRtf writes it: plain ASCII, other characters as \'hh
// or \uN, and never "$" or a double quote literally.

// Characters that go in as they are.
inline bool IsPlainRtf(char16_t u)
{
    return u >= 0x20 && u < 0x7F && u != '\\' && u != '{' && u != '}' && u != '$' && u != '"';
}

// Writes the escape of a character that is not plain at `out` (room for 9 characters) and
// returns the position after it. Long texts are written through a pointer: appending piece
// by piece costs more than the escaping itself.
char16_t* WriteRtfEscape(char16_t* out, char16_t u);

// How many characters the RTF of `u` takes.
inline qsizetype RtfEscapedSize(char16_t u)
{
    if (IsPlainRtf(u))
        return 1;
    char16_t escape[9];
    return WriteRtfEscape(escape, u) - escape;
}

void AppendRtfEscaped(QString& out, QStringView text);
