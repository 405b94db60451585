#pragma once

#include "TextRules.h"

#include <QList>
#include <QString>

// Which characters of a result text show red: every field marker "$...!". Marker spans may
// overlap ("$a $b!" has two) and red over red is simply red, so a character is red exactly
// when a "$" stands between it and the "!" before it, and a "!" follows at or after it.
// Returns the red runs inside [start, start + length) as sorted, disjoint spans of `text`;
// the rest of the text only decides where markers that cross the range begin and end.
QList<TextSpan> MarkerRunsIn(const QString& text, qsizetype start, qsizetype length);
