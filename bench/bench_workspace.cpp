// Figures for the workspace: opening on large catalogues, adding one value to one, and
// loading, saving and typing in templates through the window itself.
#include "LargeCatalogue.h"
#include "PaneColouring.h"
#include "PaneRichText.h"
#include "TempAppFolder.h"
#include "TemplateBody.h"
#include "TextRules.h"
#include "WorkspaceWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

void WorkspaceStartUp(benchmark::State& state)
{
    TempAppFolder app;
    app.writeDataFile("Tempalates.app", LargeCatalogue(2000));
    app.writeDataFile("Values.app", LargeCatalogue(20000));
    for (auto _ : state) {
        WorkspaceWindow doc(app.dataPath());
        benchmark::DoNotOptimize(doc.valueTree()->topLevelItemCount());
    }
}
BENCHMARK(WorkspaceStartUp)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly();

void AddOneValue(benchmark::State& state)
{
    TempAppFolder app;
    app.writeDataFile("Tempalates.app", CatalogueFile({}));
    app.writeDataFile("Values.app", LargeCatalogue(20000));
    WorkspaceWindow doc(app.dataPath());
    auto* box = doc.findChild<QLineEdit*>("valueNameBox");
    auto* add = doc.findChild<QPushButton*>("addValueButton");
    for (auto _ : state) {
        box->setText("New value");
        add->click();
    }
}
BENCHMARK(AddOneValue)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->ReportAggregatesOnly();

// One keystroke in the value tree's filter field, the shown tree laid out again after it:
// typing "number 123" letter by letter, then clearing it, over and over.
void FilterValuesPerKeystroke(benchmark::State& state)
{
    TempAppFolder app;
    app.writeDataFile("Tempalates.app", CatalogueFile({}));
    app.writeDataFile("Values.app", LargeCatalogue(20000));
    WorkspaceWindow doc(app.dataPath());
    doc.resize(1000, 700);
    doc.selectListTab(1);
    doc.show();
    auto* filter = doc.findChild<QLineEdit*>("valueFilter");
    const QString typed = QStringLiteral("number 123");
    qsizetype length = 0;
    for (auto _ : state) {
        length = (length + 1) % (typed.size() + 1);
        filter->setText(typed.left(length));
        QApplication::processEvents();
    }
}
BENCHMARK(FilterValuesPerKeystroke)->Unit(benchmark::kMillisecond)->Iterations(22)->Repetitions(5)->ReportAggregatesOnly();

// A pane's rich text for `text`, coloured as the program colours it.
// Markers red and tokens blue, as either pane shows them.
QString ColouredRichText(const QString& text)
{
    QTextEdit pane;
    pane.setPlainText(text);
    RecolourTemplate(*pane.document());
    return PaneRichText(pane);
}

// Templates key2 (large: the given template and result line counts) and key3 (small).
struct TemplateFolder
{
    TemplateFolder(int templateLines, int resultLines)
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Large|-1|0|3", "3|Small|-1|0|3"}));
        app.writeDataFile("Values.app", CatalogueFile({}));
        QString source;
        for (int i = 0; i < templateLines; ++i)
            source += "INSERT INTO $Table! ([($Col!|1|n)(,|1|n-1)]) VALUES ([(:$Col!|1|n)(,|1|n-1)]);\n";
        source += "[($Last!|1|n)";
        QString result;
        for (int i = 1; i <= resultLines; ++i)
            result += "$Field" + QString::number(i).rightJustified(4, u'0') + "!,\n";
        DataStore store(app.path());
        store.writeBody("TMP_key2", JoinBody(ColouredRichText(source), ColouredRichText(result)));
        store.writeBody("TMP_key3", JoinBody(ColouredRichText("[(a|1|n)]"), QString()));
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1280, 760);
        doc->show();
        QCoreApplication::processEvents();
    }
    void select(const char* key)
    {
        doc->templateTree()->selectNode(QLatin1String(key));
        QCoreApplication::processEvents(); // the first paint belongs to the load
    }

    TempAppFolder app;
    std::unique_ptr<WorkspaceWindow> doc;
};

void LoadTemplateWith100kResultLines(benchmark::State& state)
{
    TemplateFolder folder(20, 100000);
    for (auto _ : state) {
        state.PauseTiming();
        folder.select("key3");
        state.ResumeTiming();
        folder.select("key2");
    }
}
BENCHMARK(LoadTemplateWith100kResultLines)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly();

void SaveTemplateWith100kResultLines(benchmark::State& state)
{
    TemplateFolder folder(20, 100000);
    folder.select("key2");
    for (auto _ : state) {
        state.PauseTiming();
        folder.doc->templatePane()->moveCursor(QTextCursor::End);
        folder.doc->templatePane()->insertPlainText("x"); // an edit to store
        state.ResumeTiming();
        folder.doc->saveTemplate();
    }
}
BENCHMARK(SaveTemplateWith100kResultLines)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly();

void TypeClosingBracketIn2000LineTemplate(benchmark::State& state)
{
    TemplateFolder folder(2000, 10);
    folder.select("key2");
    QTextEdit* pane = folder.doc->templatePane();
    pane->setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        folder.doc->saveTemplate(); // each keystroke starts from a stored template
        pane->moveCursor(QTextCursor::End);
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_BracketRight, Qt::NoModifier, "]");
        QApplication::sendEvent(pane, &press);
        QCoreApplication::processEvents();
        state.PauseTiming();
        pane->undo(); // the colouring
        pane->undo(); // the bracket
        state.ResumeTiming();
    }
}
BENCHMARK(TypeClosingBracketIn2000LineTemplate)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5)->ReportAggregatesOnly();

} // namespace
