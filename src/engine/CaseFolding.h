#pragma once

#include <QString>

// Qt's case folding, except that a lone surrogate (from damaged rich text) stays itself:
// Qt turns one that follows a folded letter into U+FFFD, which would make a text differ
// from the same text folded on its own, and equal to one that holds U+FFFD.
QString FoldCase(QString text);
