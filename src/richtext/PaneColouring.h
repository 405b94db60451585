#pragma once

#include "TextRules.h"

#include <QColor>
#include <QList>

class QTextDocument;

inline const QColor kPlainColour(0, 0, 0);
inline const QColor kTokenColour(0, 0, 255);
inline const QColor kFieldColour(255, 0, 0);

// The template pane's colouring: everything black, then blue "[".."]" spans, then red
// "$".."!" spans on top, as one undo step. Only characters whose colour changes are
// touched; when nothing changes, nothing is edited.
void RecolourTemplate(QTextDocument& document);
