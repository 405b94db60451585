#pragma once

#include "TextRules.h"

#include <QColor>
#include <QList>

class QTextDocument;

inline const QColor kPlainColour(0, 0, 0);
inline const QColor kTokenColour(0, 0, 255);
inline const QColor kFieldColour(255, 0, 0);

// Colours every span (positions in the document's plain text) with one colour, as a single
// undo step. Characters that already have the colour are left alone, so a million spans
// cost one pass over the document plus one format change per stretch that really changes.
void ApplySpanColour(QTextDocument& document, const QList<TextSpan>& spans, const QColor& colour);

// The template pane's colouring: everything black, then blue "[".."]" spans, then red
// "$".."!" spans on top, as one undo step. Only characters whose colour changes are
// touched; when nothing changes, nothing is edited.
void RecolourTemplate(QTextDocument& document);
