// Figures for the live preview, through the window: from a keystroke in the template pane to
// the preview showing the new text, and the longest turn of the event loop while typing.
#include "CatalogueFiles.h"
#include "ResultView.h"
#include "TempAppFolder.h"
#include "TemplateBody.h"
#include "TemplatePreview.h"
#include "WorkspaceWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

// A template of `templateLines` lines (plain ones, then one token) whose preview, with its
// bound box set, expands to `expansionLines` lines.
struct PreviewFolder
{
    PreviewFolder(int templateLines, int expansionLines)
    {
        QString source;
        for (int i = 1; i < templateLines; ++i)
            source += QStringLiteral("plain line %1 of the template\n").arg(i);
        source += QStringLiteral("[(row $Col!,|1|n)]");
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Large|-1|0|3"}));
        app.writeDataFile("Values.app", CatalogueFile({}));
        DataStore(app.path()).writeBody("TMP_key2", JoinBody(source, QString()));
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1280, 760);
        doc->show();
        doc->preview()->setShown(true);
        doc->openTemplate(doc->templateTree()->node(QStringLiteral("key2")));
        if (!QTest::qWaitFor([&] { return doc->findChild<QSpinBox*>("previewBound0") != nullptr; }, 5000))
            qFatal("the preview never showed its bound box");
        doc->findChild<QSpinBox*>("previewBound0")->setValue(expansionLines - templateLines + 1);
        settle();
        pane = doc->templatePane();
        pane->setFocus();
        pane->moveCursor(QTextCursor::Start);
        pane->moveCursor(QTextCursor::EndOfLine);
    }
    // Waits until no preview is under way.
    void settle() const { QTest::qWait(300); }

    TempAppFolder app;
    std::unique_ptr<WorkspaceWindow> doc;
    QTextEdit* pane = nullptr;
};

void postKey(QWidget* pane, bool erase)
{
    QApplication::postEvent(pane, erase ? new QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier)
                                        : new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
}

// Types x and erases it in turn on the first line; each step timed until the preview changed.
void KeystrokeToPreview(benchmark::State& state)
{
    PreviewFolder folder(int(state.range(0)), int(state.range(1)));
    ResultView* preview = folder.doc->preview()->pane();
    int shown = 0;
    QObject::connect(preview, &QPlainTextEdit::textChanged, [&] { ++shown; });
    bool erase = false;
    for (auto _ : state) {
        const int before = shown;
        QElapsedTimer clock;
        clock.start();
        postKey(folder.pane, erase);
        while (shown == before && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        erase = !erase;
        folder.settle();
    }
}
BENCHMARK(KeystrokeToPreview)
    ->Args({200, 1000})
    ->Args({200, 100000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly();

// The longest time between two events the application handled, or from one to the end of the
// turn of the event loop: what one event took, the time typing could not get through.
struct EventGaps : QObject
{
    EventGaps() { QCoreApplication::instance()->installEventFilter(this); }
    ~EventGaps() override { QCoreApplication::instance()->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent*) override
    {
        event();
        return false;
    }
    void restart() { clock.start(); }
    void event()
    {
        longest = std::max(longest, clock.nsecsElapsed());
        clock.start();
    }
    QElapsedTimer clock;
    qint64 longest = 0;
};

// 100 characters typed at 25 a second into a 2,000-line template with a 100,000-line preview;
// the figure is the longest event.
// The argument 0 hides the preview: the same typing without it, for comparison.
void LongestEventWhileTyping(benchmark::State& state)
{
    PreviewFolder folder(2000, 100000);
    folder.doc->preview()->setShown(state.range(0) != 0);
    for (auto _ : state) {
        EventGaps gaps;
        auto turn = [&gaps] {
            gaps.restart();
            QCoreApplication::processEvents();
            gaps.event();
        };
        QElapsedTimer pace;
        pace.start();
        for (int typed = 0; typed < 100; turn()) {
            if (pace.elapsed() >= 40 * typed) {
                postKey(folder.pane, false);
                ++typed;
            }
        }
        // The last preview arrives after the typing.
        while (pace.elapsed() < 40 * 100 + 300)
            turn();
        state.SetIterationTime(double(gaps.longest) / 1e9);
        state.PauseTiming();
        for (int i = 0; i < 100; ++i)
            postKey(folder.pane, true);
        folder.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(LongestEventWhileTyping)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly();

} // namespace
