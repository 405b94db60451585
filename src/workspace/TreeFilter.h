#pragma once

#include <QString>

class QTreeWidget;

// Narrows the tree to the items whose names contain `text` (letter case ignored) and the
// ancestors that lead to them, opened so the matches show; empty text shows every item
// again. The selection is left alone. Returns how many items match.
int FilterTree(QTreeWidget& tree, const QString& text);
