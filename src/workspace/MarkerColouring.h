#pragma once

#include "TextRules.h"

#include <QList>
#include <QString>

// Which characters of a result text show red: every field marker "$...!". Marker spans
// may overlap ("$a $b!" has two), and red over red is simply red, so callers get the
// union as sorted, disjoint runs.
QList<TextSpan> MarkerRuns(const QString& text);

// After the ranges `edits` of `text` were rewritten (sorted, not overlapping, in the
// coordinates of the new text), the parts whose marker colouring may have changed:
// from just after the last "!" before an edit to the first "!" at or after its end
// (or the end of the text). Colours outside these parts cannot have changed, because a
// character is red exactly when a "$" stands between it and the "!" before it and a
// "!" follows at or after it. Sorted and merged.
QList<TextSpan> MarkerNeighbourhoods(const QString& text, const QList<TextSpan>& edits);
