#pragma once

#include <QStringView>

#include <optional>

// The one number test shared by the tokenizer and the expansion, so a bound the
// tokenizer accepts is always one the expansion can convert.

// Blanks around, an optional sign, digits with at most one decimal point (at least
// one digit: "2." and ".5" count), an optional exponent ("e3", "E-2").
bool IsNumeric(QStringView text);

// The numeric text rounded to the nearest integer, halves to the even one ("2.5" -> 2,
// "3.5" -> 4). Exact for any number of digits. Empty when the text is not numeric or
// the value lies outside the 32-bit signed range.
std::optional<qint32> ToInteger(QStringView text);
