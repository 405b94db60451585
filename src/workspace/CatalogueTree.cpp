#include "CatalogueTree.h"

#include "CatalogueKeys.h"
#include "CatalogueModel.h"
#include "ClosedBook.h"
#include "TreeFilter.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {
constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// Its picture follows from whether it holds others, and its tool-tip holds its whole name,
// which a narrow column may cut.
class CatalogueNode : public QTreeWidgetItem
{
public:
    explicit CatalogueNode(const QString& text)
        : QTreeWidgetItem(QStringList{text})
    {
    }

    QVariant data(int column, int role) const override
    {
        if (role == Qt::DecorationRole)
            return childCount() > 0 ? GroupIcon() : LeafIcon();
        if (role == Qt::ToolTipRole) {
            const auto* tree = static_cast<const CatalogueTree*>(treeWidget());
            return tree && tree->toolTipRule() ? tree->toolTipRule()(text(0), childCount()) : text(0);
        }
        return QTreeWidgetItem::data(column, role);
    }
};

// An edited name goes to the tree's owner as a request: the node changes only once the name is
// stored, so a refused one never shows.
class RenameDelegate : public QStyledItemDelegate
{
public:
    explicit RenameDelegate(CatalogueTree* tree)
        : QStyledItemDelegate(tree)
        , tree_(tree)
    {
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (const auto* box = qobject_cast<QLineEdit*>(editor))
            emit tree_->renameRequested(index.data(kKeyRole).toString(), box->text());
    }

private:
    CatalogueTree* tree_;
};

} // namespace

CatalogueTree::CatalogueTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true); // keeps large catalogues quick to lay out
    // A double-click fills a field, so only F2 and Rename open a name for editing.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new RenameDelegate(this));
    renameAction_ = new QAction(QStringLiteral("Rename"), this);
    renameAction_->setObjectName(QStringLiteral("renameAction"));
    renameAction_->setShortcut(QKeySequence(Qt::Key_F2));
    renameAction_->setShortcutContext(Qt::WidgetShortcut);
    renameAction_->setEnabled(false);
    addAction(renameAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(renameAction_, &QAction::triggered, this, [this] { startRename(); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        renameAction_->setEnabled(current && !IsRootKey(keyOf(current)));
    });
}

QTreeWidgetItem* CatalogueTree::makeItem(const QString& key, const QString& text, int image)
{
    auto* item = new CatalogueNode(text);
    item->setData(0, kKeyRole, key);
    setImage(item, image);
    if (!IsRootKey(key))
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    nodes_.insert(key, item);
    return item;
}

QTreeWidgetItem* CatalogueTree::addNode(const QString& parentKey, const QString& key, const QString& text, int image)
{
    if (nodes_.contains(key))
        return nullptr;
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = nodes_.value(parentKey);
        if (!parent)
            return nullptr;
    }
    QTreeWidgetItem* item = makeItem(key, text, image);
    if (parent)
        parent->addChild(item);
    else
        addTopLevelItem(item);
    return item;
}

void CatalogueTree::follow(const CatalogueModel& model)
{
    model_ = &model;
    connect(&model, &CatalogueModel::reset, this, &CatalogueTree::showAll);
    connect(&model, &CatalogueModel::itemAdded, this, &CatalogueTree::showAdded);
    connect(&model, &CatalogueModel::itemRemoved, this, &CatalogueTree::forgetRemoved);
    connect(&model, &CatalogueModel::itemChanged, this, [this](const CatalogueItem& item) {
        if (QTreeWidgetItem* shown = node(item.key)) {
            shown->setText(0, item.name);
            setImage(shown, item.image);
        }
    });
}

void CatalogueTree::showAll()
{
    // Built detached and attached once, so a large catalogue does not redraw per node.
    clearNodes();
    const CatalogueItem* root = model_->item(kRootKey);
    QTreeWidgetItem* top = makeItem(kRootKey, root->name, root->image);
    nodes_.reserve(model_->size());
    model_->walk(top, [this](const CatalogueItem& item, QTreeWidgetItem* parent) {
        QTreeWidgetItem* node = makeItem(item.key, item.name, item.image);
        parent->addChild(node);
        return node;
    });
    addTopLevelItem(top);
    selectNode(kRootKey);
    top->setExpanded(true);
    scrollToItem(top);
}

void CatalogueTree::showAdded(const CatalogueItem& item)
{
    // A node added while a filter is on is hidden unless it matches.
    if (QTreeWidgetItem* added = addNode(item.parentKey, item.key, item.name, item.image);
        added && !PassesFilter(item.name, filterText_))
        added->setHidden(true);
}

void CatalogueTree::forgetRemoved(const QString& key)
{
    QTreeWidgetItem* gone = node(key);
    if (!gone)
        return;
    // The parent, not a neighbour, takes the selection, so a second Remove cannot hit an item
    // the user never chose.
    if (gone == currentItem() || gone->isSelected())
        selectNode(keyOf(gone->parent()));
    removeNode(key);
}

int CatalogueTree::filter(const QString& text)
{
    filterText_ = text;
    return FilterTree(*this, text);
}

QTreeWidgetItem* CatalogueTree::node(const QString& key) const
{
    return nodes_.value(key);
}

void CatalogueTree::forget(QTreeWidgetItem* item)
{
    nodes_.remove(keyOf(item));
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
}

void CatalogueTree::removeNode(const QString& key)
{
    QTreeWidgetItem* item = nodes_.value(key);
    if (!item)
        return;
    forget(item);
    delete item;
}

void CatalogueTree::clearNodes()
{
    nodes_.clear();
    clear();
}

QString CatalogueTree::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kKeyRole).toString() : QString();
}

int CatalogueTree::imageOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kImageRole).toInt() : 0;
}

void CatalogueTree::setImage(QTreeWidgetItem* item, int image)
{
    item->setData(0, kImageRole, image);
}

QString CatalogueTree::selectedKey() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : keyOf(selected.first());
}

bool CatalogueTree::selectNode(const QString& key)
{
    QTreeWidgetItem* item = nodes_.value(key);
    if (!item)
        return false;
    // The selected node is what the commands act on: a filter never hides it from the user.
    for (QTreeWidgetItem* shown = item; shown; shown = shown->parent())
        if (shown->isHidden())
            shown->setHidden(false);
    setCurrentItem(item);
    item->setSelected(true);
    return true;
}

void CatalogueTree::startRename(const QString& text)
{
    QTreeWidgetItem* item = currentItem();
    if (!item || IsRootKey(keyOf(item)))
        return;
    scrollToItem(item);
    editItem(item);
    if (auto* box = qobject_cast<QLineEdit*>(indexWidget(indexFromItem(item))); box && !text.isEmpty()) {
        box->setText(text);
        box->selectAll();
    }
}

QItemSelectionModel::SelectionFlags CatalogueTree::selectionCommand(const QModelIndex& index, const QEvent*) const
{
    // Adding, removing and the panes all work on the selected node; losing it would leave the
    // panes showing a template that nothing saves to.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void CatalogueTree::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::mousePressEvent(event);
    if (before && event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) == before &&
        currentItem() == before)
        emit currentNodeClicked(before);
}
