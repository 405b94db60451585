#pragma once

#include "Expansion.h"

class QWidget;

// Runs longer than this many lines show a progress dialog with Cancel.
inline constexpr qint64 kProgressShownFromLines = 200000;

// A progress callback for a run: it shows a modal progress dialog over `parent` once the
// run turns out longer than `shownFrom` lines, and cancels the run when the user presses Cancel.
ExpansionProgress ProgressDialogFor(QWidget* parent, qint64 shownFrom = kProgressShownFromLines);
