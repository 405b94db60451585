#include "CatalogueList.h"

#include "CatalogueKeys.h"
#include "CatalogueTree.h"
#include "Dialogs.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSet>

namespace {

// A damaged table lists at most this many problems in its message.
constexpr int kMaxProblemsShown = 10;

QString problemsText(const QString& file, const CatalogueContents& contents)
{
    QStringList lines = contents.problems.mid(0, kMaxProblemsShown);
    if (contents.problems.size() > kMaxProblemsShown)
        lines << QStringLiteral("... and %1 more").arg(contents.problems.size() - kMaxProblemsShown);
    return contents.usable
               ? QStringLiteral("%1: %2 record(s) cannot be shown in the tree; the file was left as it is.\n\n%3")
                     .arg(file)
                     .arg(contents.problems.size())
                     .arg(lines.join(u'\n'))
               : QStringLiteral("%1 cannot be used: %2.").arg(file, lines.join(u'\n'));
}

} // namespace

CatalogueList::CatalogueList(DataStore& store, const QString& file, const QString& bodyPrefix, const QString& title,
                             const Controls& controls, QWidget* dialogParent)
    : QObject(dialogParent)
    , catalogue_(store, file, bodyPrefix)
    , title_(title)
    , controls_(controls)
    , dialogParent_(dialogParent)
{
    controls_.tree->follow(catalogue_);
    connect(controls_.filterBox, &QLineEdit::textChanged, controls_.tree, &CatalogueTree::filter);
    connect(controls_.nameBox, &QLineEdit::returnPressed, this, &CatalogueList::addTyped);
    // Stored once the editor has closed, so a message about a refused name cannot meet an open editor.
    connect(controls_.tree, &CatalogueTree::renameRequested, this, &CatalogueList::rename, Qt::QueuedConnection);
}

void CatalogueList::load()
{
    const CatalogueContents contents = catalogue_.load();
    if (!contents.problems.isEmpty())
        Dialogs::current().message(dialogParent_, problemsText(catalogue_.file(), contents), Dialogs::Icon::Warning);
}

bool CatalogueList::refuseUnreadable()
{
    if (catalogue_.readable())
        return false;
    explain(CatalogueModel::Refusal::Unreadable, QString(), QString());
    return true;
}

void CatalogueList::explain(CatalogueModel::Refusal refusal, const QString& key, const QString& change)
{
    using Refusal = CatalogueModel::Refusal;
    Dialogs& dialogs = Dialogs::current();
    const CatalogueItem* item = catalogue_.item(key);
    switch (refusal) {
    case Refusal::Unreadable:
        dialogs.message(dialogParent_,
                        QStringLiteral("The %1 catalogue (%2) could not be read when this window opened, so it cannot "
                                       "be changed. Put the file right and open the program again.")
                            .arg(title_, catalogue_.file()),
                        Dialogs::Icon::Warning);
        break;
    case Refusal::HasChildren:
        dialogs.message(dialogParent_, QStringLiteral("Item can't be deleted, first delete its children"),
                        Dialogs::Icon::None);
        break;
    case Refusal::SharedId:
        dialogs.message(dialogParent_,
                        QStringLiteral("This item cannot be %1 on its own: %2 holds another record with the ID %3, "
                                       "which would be %1 with it.")
                            .arg(change, catalogue_.file())
                            .arg(NodeId(key)),
                        Dialogs::Icon::Warning);
        break;
    case Refusal::NoRecord:
        dialogs.message(dialogParent_,
                        QStringLiteral("%1 holds no record for \"%2\", so it cannot be renamed.")
                            .arg(catalogue_.file(), item ? item->name : key),
                        Dialogs::Icon::Warning);
        break;
    case Refusal::EmptyName:
        dialogs.message(dialogParent_, QStringLiteral("Please type a name for the %1.").arg(title_),
                        Dialogs::Icon::Warning);
        break;
    case Refusal::None:
    case Refusal::NoSuchItem:
    case Refusal::NameTaken:
    case Refusal::StoreFailed: // the store has said why
        break;
    }
}

QString CatalogueList::selectedParent() const
{
    const QString key = controls_.tree->selectedKey();
    return key.isEmpty() ? kRootKey : key;
}

void CatalogueList::reveal(const QStringList& parentKeys)
{
    CatalogueTree* tree = controls_.tree;
    for (const QString& key : parentKeys)
        if (QTreeWidgetItem* parent = tree->node(key))
            parent->setExpanded(true);
    tree->scrollToItem(tree->currentItem());
}

std::optional<QString> CatalogueList::add(const QString& name, const QString& parentKey,
                                          const QList<QStringView>& body)
{
    const QString parent = parentKey.isEmpty() ? selectedParent() : parentKey;
    const CatalogueModel::Added added = catalogue_.add(parent, name, body);
    explain(added.refusal, QString(), QString());
    if (added.key.isEmpty())
        return std::nullopt;
    reveal({parent});
    return added.key;
}

void CatalogueList::addTyped()
{
    controls_.nameBox->setFocus();
    // A refused name stays in the box, so the user can put it right and try again.
    const std::optional<QString> key = add(controls_.nameBox->text().trimmed());
    if (!key)
        return;
    controls_.nameBox->clear();
    // Under a filter the new item is selected, so the user sees it whether it matches or not.
    if (!controls_.filterBox->text().isEmpty())
        controls_.tree->selectNode(*key);
}

qsizetype CatalogueList::addMany(const QStringList& names)
{
    if (names.isEmpty() || refuseUnreadable())
        return 0;
    const QString parent = selectedParent();
    const qsizetype added = catalogue_.addMany(parent, names);
    if (added > 0)
        reveal({parent});
    return added;
}

bool CatalogueList::addValueRecords(const QList<QVariantList>& records)
{
    if (records.isEmpty())
        return true;
    if (refuseUnreadable())
        return false;
    // A node that was there before opens to show what was added; the new ones stay folded.
    QStringList parentsBefore;
    for (const QVariantList& record : records)
        if (const QString parent = NodeKey(record[2].toInt()); catalogue_.item(parent))
            parentsBefore << parent;
    if (!catalogue_.addRecords(records))
        return false;
    reveal(parentsBefore);
    return true;
}

void CatalogueList::removeSelected()
{
    // A second click that arrives while the first is handled (a double-click) must not take
    // the next item with it.
    if (removing_)
        return;
    const QScopedValueRollback<bool> handling(removing_, true);
    const QString key = controls_.tree->selectedKey();
    const CatalogueItem* item = catalogue_.item(key);
    if (!item || IsRootKey(key))
        return;
    if (const CatalogueModel::Refusal refusal = catalogue_.removalRefusal(key); refusal != CatalogueModel::Refusal::None) {
        explain(refusal, key, QStringLiteral("removed"));
        return;
    }
    const QString question = catalogue_.hasBodies()
                                 ? QStringLiteral("Remove the template \"%1\"? Its text and result are deleted with it.")
                                 : QStringLiteral("Remove the value \"%1\"?");
    if (!Dialogs::current().confirm(dialogParent_, question.arg(item->name)))
        return;
    catalogue_.remove(key); // a failure is the store's to report
}

void CatalogueList::rename(const QString& key, const QString& typed)
{
    const CatalogueModel::Refusal refusal = catalogue_.rename(key, typed.trimmed());
    using Refusal = CatalogueModel::Refusal;
    explain(refusal, key, QStringLiteral("renamed"));
    // An empty or unstorable name goes back to the user to put right.
    if ((refusal == Refusal::EmptyName || refusal == Refusal::StoreFailed) && controls_.tree->currentItem() &&
        CatalogueTree::keyOf(controls_.tree->currentItem()) == key)
        controls_.tree->startRename(typed);
}
