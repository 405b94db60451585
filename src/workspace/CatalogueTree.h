#pragma once

#include <QHash>
#include <QTreeWidget>

#include "CatalogueContents.h"

// A tree whose nodes are found by key, as the catalogues address them.
// The key and the image index live in the item; the hash makes lookups cheap.
// Once a node is selected, one always is: clicks on empty space or Ctrl+clicks cannot clear it.
class CatalogueTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CatalogueTree(QWidget* parent = nullptr);

    // Adds a node under parentKey (empty for the top level). Returns nullptr when the
    // parent is unknown or the key is already in the tree.
    QTreeWidgetItem* addNode(const QString& parentKey, const QString& key, const QString& text, int image);
    QTreeWidgetItem* node(const QString& key) const;
    // Replaces the whole tree: the root, then entries that each come after their parent.
    // Built detached and attached once, so a large catalogue does not redraw per node.
    void loadNodes(const CatalogueEntry& root, const QList<CatalogueEntry>& entries);
    // Removes the node and everything under it.
    void removeNode(const QString& key);
    void clearNodes();

    static QString keyOf(const QTreeWidgetItem* item);
    static int imageOf(const QTreeWidgetItem* item);
    static void setImage(QTreeWidgetItem* item, int image);

    // The selected node's key, or empty when nothing is selected.
    QString selectedKey() const;
    bool selectNode(const QString& key);

signals:
    // The user clicked the node that was already the current one.
    void currentNodeClicked(QTreeWidgetItem* item);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void forget(QTreeWidgetItem* item);

    QHash<QString, QTreeWidgetItem*> nodes_;
};

// Paints the tree and every node in a Windows colour value (0x00BBGGRR).
void SetTreeBackground(QTreeWidget* tree, quint32 colour);
