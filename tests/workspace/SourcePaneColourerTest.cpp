#include "PaneColouring.h"
#include "PaneLooks.h"
#include "PaneRichText.h"
#include "SourcePaneColourer.h"
#include "WorkspaceTestSupport.h"


namespace {

class SourcePane : public testing::Test
{
protected:
    SourcePane() { QObject::connect(&pane, &QTextEdit::textChanged, [this] { colourer.templateTextChanged(); }); }
    void type(const QString& keys)
    {
        const QStringList lines = keys.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(&pane, Qt::Key_Return);
            QTest::keyClicks(&pane, lines[i]);
        }
    }
    QString colours() const { return ColourMap(*pane.document()); }
    QTextEdit pane;
    bool resultBusy = false;
    SourcePaneColourer colourer{pane, resultBusy};
};

// A closing delimiter recolours the spans before it; anything else takes the typing colour.
TEST_F(SourcePane, TypingColoursSpansAsTheirClosingDelimitersArriveButNotWhileTheResultIsWrittenOnLoadingOrOnUndo)
{
    // from..to: the selection typed over (-1: where the caret is); colours nullptr: the typing colour
    const struct { int from, to; const char *keys, *text, *colours; } script[] = {
        {-1, -1, "[(a|1|2)]", "[(a|1|2)]", "bbbbbbbbb"}, {-1, -1, "x", "[(a|1|2)]x", "bbbbbbbbbk"},
        {0, 10, "[ab]", "[ab]", "bbbb"}, {2, 2, "c", "[acb]", "bbbbb"}, // inside a token, the token's colour
        {-1, -1, "[", "[ac[b]", "bbbbbb"}, {0, 6, "arr", "arr", nullptr},
        {-1, -1, "[i] $a\nb! [x $y", "arr[i] $a\nb! [x $y", "kkkbbbkrr\nrrkkkkkk"},
        {-1, -1, "]", "arr[i] $a\nb! [x $y]", "kkkbbbkrr\nrrkbbbbbb"}, // a $ without a later ! stays as it was
        {17, 17, "!", "arr[i] $a\nb! [x $!y]", "kkkbbbkrr\nrrkbbbrrbb"}, // field markers red inside a token
        {0, 20, "[a] b", "[a] b", "bbbkk"}, {0, 1, "x", "xa] b", "bbbkk"}, // no closing delimiter, no recolour
        {5, 5, "]", "xa] b]", "kkkkkk"}, // text that stops being a span turns black
    };
    for (const auto& step : script) {
        if (step.from >= 0)
            selectRange(&pane, step.from, step.to);
        type(step.keys);
        EXPECT_EQ(pane.toPlainText(), step.text);
        EXPECT_EQ(step.colours ? colours() : QString(), QString(step.colours)) << step.text;
        EXPECT_FALSE(pane.textCursor().hasSelection());
    }
    SetPaneRichText(pane, "x[a]");
    selectRange(&pane, 1, 1);
    QTest::keyClick(&pane, Qt::Key_Backspace);
    EXPECT_EQ(pane.toPlainText() + colours(), "[a]...");
    SetPaneRichText(pane, "{\\rtf1 second [x]}");
    EXPECT_EQ(colours(), "..........") << "loading keeps the stored colours";
    resultBusy = true;
    pane.clear();
    type("[a]");
    EXPECT_EQ(colours(), "...");
    resultBusy = false;
    pane.clear();
    type("[a]");
    ASSERT_EQ(colours(), "bbb");
    pane.undo();
    EXPECT_EQ(pane.toPlainText() + colours(), "[a]...") << "the first undo takes the colouring back, and it stays back";
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "");
    pane.redo();
    pane.redo();
    EXPECT_EQ(colours(), "bbb");
    EXPECT_FALSE(pane.document()->isRedoAvailable());
}

} // namespace
