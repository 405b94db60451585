#pragma once

#include <QString>
#include <QStringList>

// The one-line tool-tip of a value: its text and how many direct children it has.
QString ValueSummary(const QString& text, int children);

// Dropped text cut at every occurrence of the separator (letter case ignored, no limit).
// Pieces are kept exactly as they fall, empty ones included. No separator keeps the text
// whole; no text gives no pieces.
QStringList SplitDropped(const QString& text, const QString& separator);
