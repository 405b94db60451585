// vellumatic-sample-data: writes the sample Data folder shipped with Vellumatic.
// Every item goes in through the workspace window itself, and each template is coloured,
// run and saved the way a user's would be, so the files are exactly what the program writes.
#include "PaneColouring.h"
#include "SampleCatalogue.h"
#include "Expansion.h"
#include "FailureReporter.h"
#include "TextRules.h"
#include "ResultView.h"
#include "frmDocument.h"

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

void FillTemplate(frmDocument& doc, const SampleItem& item)
{
    QTextEdit& source = *doc.txtSource();
    source.setPlainText(item.templateText);
    RecolourTemplate(*source.document());

    const ExpansionResult result =
        GenerateResult(item.templateText, false, [&](const QString&) { return std::optional(item.answer); });
    doc.txtTarget()->showResult(result.text, result.outcome == ExpansionResult::Outcome::Expanded
                                                 ? ResultDocument::Markers::Red
                                                 : ResultDocument::Markers::Plain);
    doc.SaveTemplate();
}

// Adds the items under the selected node of the tree, depth first.
void AddItems(frmDocument& doc, bool templates, const QList<SampleItem>& items)
{
    CatalogueTree* tree = templates ? doc.tvTempalates() : doc.tvValues();
    const QString parentKey = tree->selectedKey();
    for (const SampleItem& item : items) {
        const QString key = templates ? doc.nextTempalateKey() : doc.nextValueKey();
        const bool added = templates ? doc.AddNode(tree, key, item.name, frmDocument::kTempalatesFile,
                                                   frmDocument::kTempalatePrefix, false)
                                     : doc.AddNode(tree, key, item.name, frmDocument::kValuesFile,
                                                   frmDocument::kValuePrefix, false);
        templates ? doc.countAddedTempalate() : doc.countAddedValue();
        if (!added)
            continue;
        tree->selectNode(key);
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
    for (const char* name : {"Data/Tempalates.app", "Data/Values.app"}) {
        QFile file(folder.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(kHeaderOnlyTable) != kHeaderOnlyTable.size()) {
            std::fprintf(stderr, "vellumatic-sample-data: cannot write %s\n", name);
            return 1;
        }
    }

    PrintedFailures failures;
    FailureReporter::install(&failures);
    {
        frmDocument doc(folder.filePath(QStringLiteral("Data")));
        AddItems(doc, true, SampleTemplates());
        AddItems(doc, false, SampleValues());
    }
    FailureReporter::install(nullptr);
    return failures.failed ? 1 : 0;
}
