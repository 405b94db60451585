// The workspace window's catalogues: reading them into the trees, adding, renaming and removing items.

#include "WorkspaceWindow.h"

#include "BusyCursor.h"
#include "CatalogueContents.h"
#include "CatalogueKeys.h"
#include "Dialogs.h"
#include "StorableName.h"
#include "TemplateBody.h"
#include "TreeFilter.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

// A damaged table lists at most this many problems in its message.
constexpr int kMaxProblemsShown = 10;

} // namespace

void WorkspaceWindow::loadCatalogues()
{
    {
        BusyCursor busy;
        templates_.table = dataStore().readTable(kTemplateCatalogueFile);
        values_.table = dataStore().readTable(kValueCatalogueFile);
        templates_.addedCount = 2;
        values_.addedCount = 2;
        loadCatalogue(templates_);
        loadCatalogue(values_);
    }

    templatePanePage_->show();
    resultPanePage_->hide();
    selectListTab(kTemplateListTab);
    selectBodyTab(kTemplatePaneTab);
}

void WorkspaceWindow::loadCatalogue(Catalogue& c)
{
    const CatalogueEntry root{kRootKey, QString(), QStringLiteral("Main"), 1};
    CatalogueContents contents;
    if (c.table)
        contents = ReadCatalogue(*c.table);
    else
        contents.usable = false; // the store has already reported why
    c.readable = contents.usable;
    c.lastStamp = fileStamp(c);
    c.maxId = contents.maxId;
    c.takenIds = contents.takenIds;

    c.tree->loadNodes(root, contents.entries);
    c.tree->selectNode(kRootKey);
    c.tree->node(kRootKey)->setExpanded(true);
    c.tree->scrollToItem(c.tree->node(kRootKey));

    if (!contents.problems.isEmpty()) {
        QStringList lines = contents.problems.mid(0, kMaxProblemsShown);
        if (contents.problems.size() > kMaxProblemsShown)
            lines << QStringLiteral("... and %1 more").arg(contents.problems.size() - kMaxProblemsShown);
        const QString text =
            contents.usable
                ? QStringLiteral("%1: %2 record(s) cannot be shown in the tree; the file was left as it is.\n\n%3")
                      .arg(c.file)
                      .arg(contents.problems.size())
                      .arg(lines.join(u'\n'))
                : QStringLiteral("%1 cannot be used: %2.").arg(c.file, lines.join(u'\n'));
        Dialogs::current().message(this, text, Dialogs::Icon::Warning);
    }
}

// ---- adding and removing ----

void WorkspaceWindow::refreshTakenIds(Catalogue& c)
{
    // Another workspace window may have added items since our last write: read the file afresh
    // when it is no longer the one we last wrote or read.
    if (c.readable && fileStamp(c) != c.lastStamp) {
        if (std::optional<Recordset> fresh = dataStore().readTable(c.file)) {
            c.takenIds = TakenIds(*fresh);
            c.lastStamp = fileStamp(c);
        }
    }
}

QString WorkspaceWindow::nextKey(Catalogue& c)
{
    refreshTakenIds(c);
    return NodeKey(NextFreeId(c.maxId, c.addedCount, c.takenIds));
}

QString WorkspaceWindow::fileStamp(const Catalogue& c)
{
    const QFileInfo info(dataStore().tablePath(c.file));
    return QString::number(info.size()) + u'@' + QString::number(info.lastModified().toMSecsSinceEpoch()) + u'/' +
           QString::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

QString WorkspaceWindow::nextTemplateKey()
{
    return nextKey(templates_);
}

QString WorkspaceWindow::nextValueKey()
{
    return nextKey(values_);
}

std::optional<QString> WorkspaceWindow::addTemplateNamed(const QString& name)
{
    return addItem(templates_, name);
}

std::optional<QString> WorkspaceWindow::addValueNamed(const QString& name)
{
    return addItem(values_, name);
}

std::optional<QString> WorkspaceWindow::addItem(Catalogue& c, const QString& name)
{
    const QString key = nextKey(c);
    if (!addNode(c, key, name))
        return std::nullopt;
    ++c.addedCount;
    return key;
}

bool WorkspaceWindow::refuseChange(const Catalogue& c)
{
    if (c.readable)
        return false;
    Dialogs::current().message(
        this,
        QStringLiteral("The %1 catalogue (%2) could not be read when this window opened, so it cannot be changed. "
                       "Put the file right and open the program again.")
            .arg(c.title, c.file),
        Dialogs::Icon::Warning);
    return true;
}

bool WorkspaceWindow::refuseSharedId(Catalogue& c, qint32 id, const QString& change)
{
    if (!c.table || RecordsWithId(*c.table, id) < 2)
        return false;
    Dialogs::current().message(this,
                               QStringLiteral("This item cannot be %1 on its own: %2 holds another record with the "
                                              "ID %3, which would be %1 with it.")
                                   .arg(change, c.file)
                                   .arg(id),
                               Dialogs::Icon::Warning);
    return true;
}

void WorkspaceWindow::followFilter(const Catalogue& c, QTreeWidgetItem* node)
{
    if (!PassesFilter(node->text(0), c.filterBox->text()))
        node->setHidden(true);
}

bool WorkspaceWindow::addNode(Catalogue& c, const QString& key, const QString& text)
{
    CatalogueTree* tree = c.tree;
    if (refuseChange(c) || tree->node(key))
        return false;
    QString parentKey = tree->selectedKey();
    if (parentKey.isEmpty())
        parentKey = kRootKey;

    // Store first: the tree never shows an item that is not in its file.
    std::optional<Recordset> table = dataStore().insertRecord(c.file, BuildCatalogueRecord(key, text, parentKey));
    if (!table)
        return false;
    c.table = std::move(table);
    c.lastStamp = fileStamp(c);
    const qint32 id = NodeId(key);
    c.takenIds.insert(id);
    if (c.hasBodies && !dataStore().writeBody(c.prefix + key, kPaneSeparator)) {
        // A template without its body would fail on every later load; take the record back.
        if (std::optional<Recordset> back = dataStore().deleteRecord(c.file, id)) {
            c.table = std::move(back);
            c.takenIds.remove(id);
        }
        return false;
    }

    QTreeWidgetItem* parent = tree->node(parentKey);
    if (!IsRootKey(parentKey))
        CatalogueTree::setImage(parent, 2);
    followFilter(c, tree->addNode(parentKey, key, text, 3));
    parent->setExpanded(true); // so the user sees what was just added
    tree->scrollToItem(tree->currentItem());
    return true;
}

qsizetype WorkspaceWindow::addValues(const QStringList& texts)
{
    if (texts.isEmpty() || refuseChange(values_))
        return 0;
    QString parentKey = valueTree_->selectedKey();
    if (parentKey.isEmpty())
        parentKey = kRootKey;

    // Rewriting the file once per value would make a long drop take minutes. Every value up
    // to the first the file cannot hold goes in one write; the rest then go one at a time, so
    // the first that fails stops the run with the store's own report.
    qsizetype storable = 0;
    while (storable < texts.size() && !nameRefusal(texts[storable]))
        ++storable;
    const qint32 addedBefore = values_.addedCount;
    const QList<qint32> ids = takeValueIds(int(storable));
    QList<QVariantList> records;
    for (qsizetype i = 0; i < storable; ++i)
        records << BuildCatalogueRecord(NodeKey(ids[i]), texts[i], parentKey);
    if (!addValueRecords(records)) {
        values_.addedCount = addedBefore;
        return 0;
    }
    valueTree_->scrollToItem(valueTree_->currentItem());

    qsizetype added = storable;
    while (added < texts.size() && addItem(values_, texts[added]))
        ++added;
    return added;
}

void WorkspaceWindow::removeNode(Catalogue& c)
{
    CatalogueTree* tree = c.tree;
    // A second click that arrives while the first is handled (a double-click) must not take
    // the next item with it.
    if (removing_)
        return;
    const QScopedValueRollback<bool> handling(removing_, true);
    const QString key = tree->selectedKey();
    if (key.isEmpty() || IsRootKey(key))
        return;
    if (tree->node(key)->childCount() > 0) {
        Dialogs::current().message(this, QStringLiteral("Item can't be deleted, first delete its children"),
                                   Dialogs::Icon::None);
        return;
    }
    if (refuseChange(c))
        return;
    const qint32 id = NodeId(key);
    if (refuseSharedId(c, id, QStringLiteral("removed")))
        return;

    QTreeWidgetItem* node = tree->node(key);
    const QString question = c.hasBodies
                                 ? QStringLiteral("Remove the template \"%1\"? Its text and result are deleted with it.")
                                 : QStringLiteral("Remove the value \"%1\"?");
    if (!Dialogs::current().confirm(this, question.arg(node->text(0))))
        return;

    std::optional<Recordset> table = dataStore().deleteRecord(c.file, id);
    if (!table)
        return;
    c.table = std::move(table);
    c.takenIds = TakenIds(*c.table);
    c.lastStamp = fileStamp(c);
    if (c.hasBodies) {
        // The panes no longer belong to a template: nothing may write its body again.
        if (bodyChanges_.key() == key)
            bodyChanges_.setStored(QString(), currentPaneTexts());
        dataStore().removeBody(c.prefix + key);
    }
    // The parent, not a neighbour, takes the selection, so a second Remove cannot hit an item
    // the user never chose.
    tree->selectNode(CatalogueTree::keyOf(node->parent()));
    tree->removeNode(key);
}

void WorkspaceWindow::addTyped(Catalogue& c)
{
    const QString name = c.nameBox->text().trimmed();
    c.nameBox->setFocus();
    if (name.isEmpty()) {
        Dialogs::current().message(this, QStringLiteral("Please type a name for the new %1.").arg(c.title),
                                   Dialogs::Icon::Warning);
        return;
    }
    // A refused name stays in the box, so the user can put it right and try again.
    const std::optional<QString> key = addItem(c, name);
    if (!key)
        return;
    c.nameBox->clear();
    // Under a filter the new item is selected, so the user sees it whether it matches or not.
    if (!c.filterBox->text().isEmpty())
        c.tree->selectNode(*key);
}

void WorkspaceWindow::renameSelected()
{
    Catalogue& c = catalogueTabs_->currentIndex() == kTemplateListTab ? templates_ : values_;
    c.tree->setFocus(Qt::OtherFocusReason);
    c.tree->startRename();
}

void WorkspaceWindow::renameNode(Catalogue& c, const QString& key, const QString& typed)
{
    QTreeWidgetItem* node = c.tree->node(key);
    const QString name = typed.trimmed();
    if (!node || IsRootKey(key) || name == node->text(0))
        return;
    // The same rules as a new name: not empty, and whatever the store refuses.
    auto offerAgain = [&] {
        if (c.tree->currentItem() == node)
            c.tree->startRename(typed);
    };
    if (name.isEmpty()) {
        Dialogs::current().message(this, QStringLiteral("Please type a name for the %1.").arg(c.title),
                                   Dialogs::Icon::Warning);
        offerAgain();
        return;
    }
    const qint32 id = NodeId(key);
    if (refuseChange(c) || refuseSharedId(c, id, QStringLiteral("renamed")))
        return;
    const std::optional<QVariantList> record = c.table ? RenamedRecord(*c.table, id, name) : std::nullopt;
    if (!record) {
        Dialogs::current().message(
            this, QStringLiteral("%1 holds no record for \"%2\", so it cannot be renamed.").arg(c.file, node->text(0)),
            Dialogs::Icon::Warning);
        return;
    }
    // Store first: the tree never shows a name that is not in its file.
    std::optional<Recordset> table = dataStore().updateRecord(c.file, id, *record);
    if (!table) {
        offerAgain();
        return;
    }
    c.table = std::move(table);
    c.takenIds = TakenIds(*c.table);
    c.lastStamp = fileStamp(c);
    node->setText(0, name);
    if (&c == &values_)
        valueSelected(); // the summary names the value
}

void WorkspaceWindow::addTemplate()
{
    addTyped(templates_);
}

void WorkspaceWindow::addValue()
{
    addTyped(values_);
}

void WorkspaceWindow::removeTemplate()
{
    removeNode(templates_);
}

void WorkspaceWindow::removeValue()
{
    removeNode(values_);
}
