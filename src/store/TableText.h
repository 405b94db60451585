#pragma once

#include "Recordset.h"

#include <QString>
#include <QStringView>
#include <optional>

// The table text of a table file: records separated by "±", fields by "|", the first record
// holding the field names.
namespace TableText {

inline constexpr char16_t recordSeparator = u'\u00B1';
inline constexpr char16_t fieldSeparator = u'|';

// Trims spaces only, as the stored values were trimmed when written; tabs are kept.
QStringView trimSpaces(QStringView text);

// The number a record's ID field starts with (leading blanks skipped, an optional sign, digits, a
// fraction and an exponent); 0 when the field does not start with a number.
double leadingNumber(QStringView field);

// The number of fields of the header record; 0 for a text without records.
qint32 headerFieldCount(QStringView text);

// The first character a value cannot hold because the table text uses it ("|", "±", a double
// quote, CR or LF), or nullopt.
std::optional<char16_t> separatorIn(QStringView value);
// "The character '|' (U+007C) cannot be part of a name: table files use it as a separator"
QString separatorMessage(char16_t character);

struct Parsed
{
    Recordset table;
    // Empty when every record has the header's field count. Otherwise short records have been
    // padded with empty values and extra fields dropped, and this says so.
    QString shapeProblem;
    // Set when the table would take far more memory than the text itself (short records padded
    // to a wide header): nothing is read then, and shapeProblem says why.
    bool unreadable = false;
};

// An empty record (two "±" in a row, or one at the end) is no record at all and is skipped.
Parsed parse(QStringView text);

} // namespace TableText
