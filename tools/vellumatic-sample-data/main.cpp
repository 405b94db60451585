// vellumatic-sample-data: writes the sample Data folder shipped with Vellumatic.
// Every item goes in through the workspace window itself, and each template is coloured,
// run and saved the way a user's would be, so the files are exactly what the program writes.
#include "DataStore.h"
#include "Expansion.h"
#include "FailureReporter.h"
#include "PaneColouring.h"
#include "ResultView.h"
#include "SampleCatalogue.h"
#include "StoredNames.h"
#include "TextRules.h"
#include "WorkspaceWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextEdit>

#include <cstdio>

namespace {

class PrintedFailures final : public FailureReporter
{
public:
    void reportFailure(const QString& text) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        failed = true;
    }
    bool failed = false;
};

const QByteArray kHeaderOnlyTable = "\"ID|Name|ParentID|Spare|Image\"\r\n";

void FillTemplate(WorkspaceWindow& doc, const SampleItem& item)
{
    QTextEdit& source = *doc.templatePane();
    source.setPlainText(item.templateText);
    RecolourTemplate(*source.document());

    const ExpansionResult result =
        GenerateResult(item.templateText, false, [&](const QString&) { return std::optional(item.answer); });
    doc.resultPane()->showResult(result.text, result.outcome == ExpansionResult::Outcome::Expanded
                                                 ? ResultDocument::Markers::Red
                                                 : ResultDocument::Markers::Plain);
    doc.saveTemplate();
}

// Adds the items under the selected node of the tree, depth first.
void AddItems(WorkspaceWindow& doc, bool templates, const QList<SampleItem>& items)
{
    CatalogueTree* tree = templates ? doc.templateTree() : doc.valueTree();
    const QString parentKey = tree->selectedKey();
    for (const SampleItem& item : items) {
        const std::optional<QString> key = templates ? doc.addTemplateNamed(item.name) : doc.addValueNamed(item.name);
        if (!key)
            continue;
        tree->selectNode(*key);
        if (templates)
            FillTemplate(doc, item);
        AddItems(doc, templates, item.children);
        tree->selectNode(parentKey);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellumatic-sample-data FOLDER\n"
                             "Writes FOLDER/Data with the sample catalogues; FOLDER/Data must not exist.\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (folder.exists(QStringLiteral("Data")) || !folder.mkpath(QStringLiteral("Data"))) {
        std::fprintf(stderr, "vellumatic-sample-data: cannot create a fresh %s/Data\n", argv[1]);
        return 1;
    }
    // The program never creates its catalogue files; an installation starts from these.
    const QString dataFolder = folder.filePath(QStringLiteral("Data"));
    for (const QString& name : {kTemplateCatalogueFile, kValueCatalogueFile}) {
        QFile file(DataStore::forDataFolder(dataFolder).tablePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(kHeaderOnlyTable) != kHeaderOnlyTable.size()) {
            std::fprintf(stderr, "vellumatic-sample-data: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }

    PrintedFailures failures;
    FailureReporter::install(&failures);
    {
        WorkspaceWindow doc(dataFolder);
        AddItems(doc, true, SampleTemplates());
        AddItems(doc, false, SampleValues());
    }
    FailureReporter::install(nullptr);
    return failures.failed ? 1 : 0;
}
