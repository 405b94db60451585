#pragma once

#include <QHash>
#include <QTreeWidget>

class CatalogueModel;
struct CatalogueItem;
class QAction;

// A tree that shows a catalogue and follows its changes; its nodes are found by key, as the
// catalogues address them.
// The key and the image index live in the item; the hash makes lookups cheap.
// Once a node is selected, one always is: clicks on empty space or Ctrl+clicks cannot clear it.
// Every node but the root can be renamed in place (F2 or the context menu's Rename); the tree
// only asks for it, and whoever stores the name changes the node.
class CatalogueTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CatalogueTree(QWidget* parent = nullptr);

    QTreeWidgetItem* node(const QString& key) const;
    // Shows the model's items from now on: all of them at each reset (the root selected), and
    // each one added, removed or changed after.
    void follow(const CatalogueModel& model);
    // Narrows the tree to the names holding `text` (FilterTree); items added later follow it.
    int filter(const QString& text);
    static QString keyOf(const QTreeWidgetItem* item);
    static int imageOf(const QTreeWidgetItem* item);

    // The selected node's key, or empty when nothing is selected.
    QString selectedKey() const;
    // Makes the node current and selected, showing it and its ancestors if a filter hid them.
    bool selectNode(const QString& key);

    // An item's tool-tip from its whole name and its number of children; the name alone until set.
    using ToolTipRule = QString (*)(const QString& text, int children);
    void setToolTipRule(ToolTipRule rule) { toolTipRule_ = rule; }
    ToolTipRule toolTipRule() const { return toolTipRule_; }

    // Opens the name of the current node for editing, holding `text` (its own name when empty);
    // the root is not renamed. Enter asks for the rename, Escape cancels it.
    void startRename(const QString& text = QString());
    QAction* renameAction() const { return renameAction_; }

signals:
    // The user clicked the node that was already the current one.
    void currentNodeClicked(QTreeWidgetItem* item);
    // The user finished editing a node's name; the node still shows its old one.
    void renameRequested(const QString& key, const QString& name);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Adds a node under parentKey (empty for the top level). Returns nullptr when the
    // parent is unknown or the key is already in the tree.
    QTreeWidgetItem* addNode(const QString& parentKey, const QString& key, const QString& text, int image);
    // Removes the node and everything under it.
    void removeNode(const QString& key);
    void clearNodes();
    static void setImage(QTreeWidgetItem* item, int image);
    void showAll();
    void showAdded(const CatalogueItem& item);
    void forgetRemoved(const QString& key);
    void forget(QTreeWidgetItem* item);
    QTreeWidgetItem* makeItem(const QString& key, const QString& text, int image);

    const CatalogueModel* model_ = nullptr;
    QString filterText_;
    QHash<QString, QTreeWidgetItem*> nodes_;
    ToolTipRule toolTipRule_ = nullptr;
    QAction* renameAction_ = nullptr;
};
