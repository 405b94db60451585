#include "TreeFilter.h"

#include <QSet>
#include <QTreeWidget>

namespace {

// Returns true when the item or one of its descendants is shown.
bool filterItem(QTreeWidgetItem* item, const QString& text, const QSet<const QTreeWidgetItem*>& kept, int& matches)
{
    bool below = false;
    for (int i = 0; i < item->childCount(); ++i)
        below = filterItem(item->child(i), text, kept, matches) || below;
    const bool own = PassesFilter(item->text(0), text);
    if (own)
        ++matches;
    const bool shown = own || below || kept.contains(item);
    // Only real changes: each one makes the view lay out again.
    if (item->isHidden() == shown)
        item->setHidden(!shown);
    if (below && !text.isEmpty() && !item->isExpanded())
        item->setExpanded(true);
    return shown;
}

} // namespace

bool PassesFilter(const QString& name, const QString& text)
{
    return text.isEmpty() || name.contains(text, Qt::CaseInsensitive);
}

int FilterTree(QTreeWidget& tree, const QString& text)
{
    QSet<const QTreeWidgetItem*> kept;
    for (const QTreeWidgetItem* selected : tree.selectedItems())
        kept.insert(selected);
    if (tree.currentItem())
        kept.insert(tree.currentItem());
    int matches = 0;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        filterItem(tree.topLevelItem(i), text, kept, matches);
    if (QTreeWidgetItem* current = tree.currentItem())
        tree.scrollToItem(current);
    return matches;
}
