#include "SchemaImportCommand.h"

#include "BusyCursor.h"
#include "CatalogueKeys.h"
#include "Dialogs.h"
#include "ImportRecords.h"
#include "SchemaImporter.h"
#include "Windows1252.h"
#include "frmDocument.h"

#include <QProgressDialog>
#include <algorithm>
#include <memory>

namespace {

// Up to this many tables the import is over before a progress dialog would be read.
constexpr int kTablesWithoutProgress = 5;
constexpr int kNamesListed = 10;

QStringList childTexts(const QTreeWidgetItem* parent)
{
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i)
        texts << parent->child(i)->text(0);
    return texts;
}

// The catalogue files are Windows-1252: a name outside it cannot be stored.
bool storable(const ImportedTable& table)
{
    if (!Windows1252::encode(table.name))
        return false;
    return std::all_of(table.columns.begin(), table.columns.end(),
                       [](const QString& column) { return Windows1252::encode(column).has_value(); });
}

QString leftOutMessage(const QStringList& names)
{
    QStringList listed = names.mid(0, kNamesListed);
    if (names.size() > kNamesListed)
        listed << QStringLiteral("... and %1 more").arg(names.size() - kNamesListed);
    return QStringLiteral("%1 table(s) were left out because their names or column names hold characters the "
                          "value catalogue cannot store:\n\n%2")
        .arg(names.size())
        .arg(listed.join(u'\n'));
}

std::unique_ptr<QProgressDialog> makeProgress(frmDocument& document, int total)
{
    auto progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, total, &document);
    progress->setObjectName(QStringLiteral("importProgress"));
    progress->setWindowTitle(QStringLiteral("Vellumatic"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    return progress;
}

} // namespace

void SchemaImportCommand(frmDocument& document)
{
    Dialogs& dialogs = Dialogs::current();
    const std::optional<QString> connection = dialogs.connectionString(&document);
    if (!connection) {
        dialogs.message(&document, QStringLiteral("No database was chosen, so nothing was imported."),
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
        dialogs.message(&document, QStringLiteral("The database could not be opened: %1").arg(*openFailure),
                        Dialogs::Icon::Warning);
        return;
    }

    CatalogueTree* tree = document.tvValues();
    QString parentKey = tree->selectedKey();
    if (parentKey.isEmpty())
        parentKey = kRootKey; // as Add does with nothing selected
    const qint32 parentId = NodeId(parentKey);

    std::optional<QString> listingFailure;
    QStringList leftOut;
    {
        BusyCursor busy;
        std::unique_ptr<QProgressDialog> progress;
        const SchemaImportResult result =
            importer.run(childTexts(tree->node(parentKey)), [&](const ImportedTable& table) {
                if (!progress && table.total > kTablesWithoutProgress)
                    progress = makeProgress(document, table.total);
                if (progress) {
                    progress->setLabelText(
                        QStringLiteral("Importing table %1 of %2: %3").arg(table.position + 1).arg(table.total).arg(table.name));
                    progress->setValue(table.position);
                    if (progress->wasCanceled())
                        return false;
                }
                if (!storable(table)) {
                    leftOut << table.name;
                    return true;
                }
                const QList<qint32> ids = document.takeValueIds(int(table.columns.size()) + 1);
                // Past the names, a store that fails would fail the same way for every table after it.
                if (!document.addValueRecords(importRecordsForTable(ids, parentId, table.name, table.columns)))
                    return false;
                tree->selectNode(NodeKey(ids.first()));
                return true;
            });
        listingFailure = result.listingFailure;
    }
    // An empty schema says nothing, but a list that could not be read must not look like one.
    if (listingFailure)
        dialogs.message(&document, QStringLiteral("The tables could not be listed: %1").arg(*listingFailure),
                        Dialogs::Icon::Warning);
    if (!leftOut.isEmpty())
        dialogs.message(&document, leftOutMessage(leftOut), Dialogs::Icon::Warning);
}
