#pragma once

#include <QString>

class QTreeWidget;

// Narrows the tree to the items whose names contain `text` (letter case ignored) and the
// ancestors that lead to them, opened so the matches show; empty text shows every item
// again. The selected item stays in view with its ancestors, matching or not: every command
// acts on it, so it must not vanish from under the user. Returns how many items match.
int FilterTree(QTreeWidget& tree, const QString& text);

// Whether a name passes the filter `text`: it contains it, letter case ignored; every name
// passes an empty filter.
bool PassesFilter(const QString& name, const QString& text);
