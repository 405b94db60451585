#include "TreeFilter.h"

#include <QTreeWidget>

namespace {

// Returns true when the item or one of its descendants matches.
bool filterItem(QTreeWidgetItem* item, const QString& text, int& matches)
{
    bool below = false;
    for (int i = 0; i < item->childCount(); ++i)
        below = filterItem(item->child(i), text, matches) || below;
    const bool own = text.isEmpty() || item->text(0).contains(text, Qt::CaseInsensitive);
    if (own)
        ++matches;
    const bool shown = own || below;
    // Only real changes: each one makes the view lay out again.
    if (item->isHidden() == shown)
        item->setHidden(!shown);
    if (below && !text.isEmpty() && !item->isExpanded())
        item->setExpanded(true);
    return shown;
}

} // namespace

int FilterTree(QTreeWidget& tree, const QString& text)
{
    int matches = 0;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        filterItem(tree.topLevelItem(i), text, matches);
    if (QTreeWidgetItem* current = tree.currentItem(); current && !current->isHidden())
        tree.scrollToItem(current);
    return matches;
}
