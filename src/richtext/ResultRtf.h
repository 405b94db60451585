#pragma once

#include "TextRules.h"

#include <QFont>
#include <QList>
#include <QString>
#include <optional>

// The result pane as RTF, written straight from its text: `red` runs red, the rest black,
// one \par per line; with no runs at all (nullopt) the text has no colour of its own. The
// same bytes DocumentToRtf gives for a pane holding that text in those colours, so Windows'
// rich edit control, unrtf and our reader see the same.
QString ResultToRtf(const QString& text, const std::optional<QList<TextSpan>>& red, const QFont& font);

// The result pane's RTF for `text` as Run leaves it: markers red (`coloured`), or no colour
// at all for a template without groups copied as it is.
QString ResultPaneRtf(const QString& text, bool coloured, const QFont& font);
