#include "SchemaImportCommand.h"

#include "BusyCursor.h"
#include "CatalogueKeys.h"
#include "CatalogueTree.h"
#include "Dialogs.h"
#include "ImportRecords.h"
#include "SchemaImporter.h"
#include "StorableName.h"
#include "ValueImportTarget.h"

#include <QProgressDialog>
#include <memory>

namespace {

// Up to this many tables the import is over before a progress dialog would be read.
constexpr int kTablesWithoutProgress = 5;
// Every write rewrites the whole value file, so small tables are stored together; a table is
// never split across writes.
constexpr qsizetype kRecordsPerWrite = 1000;
constexpr int kNamesListed = 10;

QStringList childTexts(const QTreeWidgetItem* parent)
{
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i)
        texts << parent->child(i)->text(0);
    return texts;
}

QString leftOutMessage(const QStringList& names)
{
    QStringList listed = names.mid(0, kNamesListed);
    if (names.size() > kNamesListed)
        listed << QStringLiteral("... and %1 more").arg(names.size() - kNamesListed);
    return QStringLiteral("%1 table(s) or column(s) were left out because their names hold characters the value "
                          "catalogue cannot store:\n\n%2")
        .arg(names.size())
        .arg(listed.join(u'\n'));
}

// Takes the tables one by one and adds them, with their columns, under one value.
class ValueImport
{
public:
    ValueImport(ValueImportTarget& target, const QString& parentKey)
        : target_(target)
        , parentKey_(parentKey)
        , parentId_(NodeId(parentKey))
    {
    }

    // False stops the import: Cancel pressed, or the store failed.
    bool take(const ImportedTable& table)
    {
        if (cancelled(table)) {
            flush(); // what was read before Cancel stays
            return false;
        }
        // A name the file cannot hold is left out whole, never stored with characters stripped.
        if (const std::optional<QString> refusal = nameRefusal(table.name)) {
            leftOut(table.name, *refusal);
            endKey_ = parentKey_;
            return true;
        }
        QStringList columns;
        for (const QString& column : table.columns) {
            if (const std::optional<QString> refusal = nameRefusal(column))
                leftOut(table.name + u'.' + column, *refusal);
            else
                columns << column;
        }
        const QList<qint32> ids = target_.takeValueIds(int(columns.size()) + 1);
        pending_ += importRecordsForTable(ids, parentId_, table.name, columns);
        endKey_ = NodeKey(ids.first());
        // A store that failed once would fail the same way for every table after it.
        return pending_.size() < kRecordsPerWrite || flush();
    }

    // Stores what is pending and leaves the selection where the import ended: on the last table
    // added, or on the parent when the last table listed was not added.
    void finish(bool lastSkipped)
    {
        if (lastSkipped)
            endKey_ = parentKey_;
        if (flush() && !endKey_.isEmpty())
            target_.valueTree()->selectNode(endKey_);
    }

    const QStringList& leftOut() const { return leftOut_; }

private:
    // Stores and shows the tables taken since the last write; false once any write has failed.
    bool flush()
    {
        if (!pending_.isEmpty()) {
            storeFailed_ = storeFailed_ || !target_.addValueRecords(pending_);
            pending_.clear();
        }
        return !storeFailed_;
    }

    void leftOut(const QString& name, const QString& refusal)
    {
        leftOut_ << QStringLiteral("%1: %2").arg(name, refusal);
    }

    bool cancelled(const ImportedTable& table)
    {
        if (!progress_ && table.total > kTablesWithoutProgress) {
            progress_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, table.total, target_.dialogParent());
            progress_->setObjectName(QStringLiteral("importProgress"));
            progress_->setWindowTitle(QStringLiteral("Vellumatic"));
            progress_->setWindowModality(Qt::WindowModal);
            progress_->setMinimumDuration(0);
        }
        if (!progress_)
            return false;
        progress_->setLabelText(
            QStringLiteral("Importing table %1 of %2: %3").arg(table.position + 1).arg(table.total).arg(table.name));
        progress_->setValue(table.position);
        return progress_->wasCanceled();
    }

    ValueImportTarget& target_;
    const QString parentKey_;
    const qint32 parentId_;
    QList<QVariantList> pending_;
    QString endKey_;
    bool storeFailed_ = false;
    QStringList leftOut_;
    std::unique_ptr<QProgressDialog> progress_;
};

} // namespace

void SchemaImportCommand(ValueImportTarget& target)
{
    QWidget* parent = target.dialogParent();
    Dialogs& dialogs = Dialogs::current();
    const std::optional<QString> connection = dialogs.connectionString(parent);
    if (!connection) {
        dialogs.message(parent, QStringLiteral("No database was chosen, so nothing was imported."),
                        Dialogs::Icon::None);
        return;
    }

    SchemaImporter importer;
    std::optional<QString> openFailure;
    {
        BusyCursor busy;
        openFailure = importer.open(*connection);
    }
    if (openFailure) {
        dialogs.message(parent, *openFailure, Dialogs::Icon::None);
        return;
    }

    CatalogueTree* tree = target.valueTree();
    QString parentKey = tree->selectedKey();
    if (parentKey.isEmpty())
        parentKey = kRootKey; // as Add does with nothing selected

    SchemaImportResult result;
    QStringList leftOut;
    {
        BusyCursor busy;
        ValueImport values(target, parentKey);
        result = importer.run(childTexts(tree->node(parentKey)),
                              [&](const ImportedTable& table) { return values.take(table); });
        values.finish(result.lastSkipped && !result.cancelled);
        leftOut = values.leftOut();
    }
    // An empty schema says nothing, but a list that could not be read must not look like one.
    if (result.listingFailure)
        dialogs.message(parent, QStringLiteral("The tables could not be listed: %1").arg(*result.listingFailure),
                        Dialogs::Icon::Warning);
    if (!leftOut.isEmpty())
        dialogs.message(parent, leftOutMessage(leftOut), Dialogs::Icon::Warning);
}
