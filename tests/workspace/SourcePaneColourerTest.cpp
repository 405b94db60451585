#include "PaneColouring.h"
#include "PaneRichText.h"
#include "PaneLooks.h"
#include "SourcePaneColourer.h"
#include "WorkspaceTestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class SourcePane : public testing::Test
{
protected:
    SourcePane()
    {
        QObject::connect(&pane, &QTextEdit::textChanged, [this] { colourer.templateTextChanged(); });
    }

    void type(const QString& keys)
    {
        const QStringList lines = keys.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(&pane, Qt::Key_Return);
            QTest::keyClicks(&pane, lines[i]);
        }
    }
    void caretAt(int position) { selectRange(&pane, position, position); }
    QString colours() const { return ColourMap(*pane.document()); }
    QTextEdit pane;
    bool resultBusy = false;
    SourcePaneColourer colourer{pane, resultBusy};
};

TEST_F(SourcePane, ClosingBracketColoursTheTokenAndLeavesTheCaretTypingBlack)
{
    type("[(a|1|2)]");
    EXPECT_EQ(colours(), "bbbbbbbbb");
    EXPECT_EQ(pane.textCursor().position(), 9);
    EXPECT_FALSE(pane.textCursor().hasSelection());
    type("x");
    EXPECT_EQ(colours(), "bbbbbbbbbk");
}

TEST_F(SourcePane, OtherCharactersTakeTheTypingColourAndRecolourNothing)
{
    type("[ab]");
    caretAt(2);
    type("c");
    EXPECT_EQ(pane.toPlainText(), "[acb]");
    EXPECT_EQ(colours(), "bbbbb") << "typed inside a token, it takes the token's colour";
    type("[");
    EXPECT_EQ(colours(), "bbbbbb");
}

TEST_F(SourcePane, SpansFollowDelimitersOnly)
{
    type("arr");
    EXPECT_EQ(colours(), "...");
    type("[i] $a\nb! [x $y");
    EXPECT_EQ(colours(), "kkkbbbkrr\nrrkkkkkk");
    type("]");
    EXPECT_EQ(colours(), "kkkbbbkrr\nrrkbbbbbb") << "a $ without a later ! stays as it was";
    caretAt(17);
    type("!");
    EXPECT_EQ(pane.toPlainText(), "arr[i] $a\nb! [x $!y]");
    EXPECT_EQ(colours(), "kkkbbbkrr\nrrkbbbrrbb") << "field markers show red inside a token";
}

TEST_F(SourcePane, TextThatStopsBeingASpanTurnsBlackAgain)
{
    type("[a] b");
    EXPECT_EQ(colours(), "bbbkk");
    selectRange(&pane, 0, 1);
    type("x");
    EXPECT_EQ(colours(), "bbbkk") << "no closing delimiter typed, no recolour";
    caretAt(5);
    type("]");
    EXPECT_EQ(pane.toPlainText(), "xa] b]");
    EXPECT_EQ(colours(), "kkkkkk");
}

TEST_F(SourcePane, NothingIsRecolouredAtTheStartWhileTheResultIsWrittenOrOnLoading)
{
    SetPaneRichText(pane, "x[a]");
    caretAt(1);
    QTest::keyClick(&pane, Qt::Key_Backspace);
    EXPECT_EQ(pane.toPlainText(), "[a]");
    EXPECT_EQ(colours(), "...");

    SetPaneRichText(pane, "{\\rtf1 second [x]}");
    EXPECT_EQ(colours(), "..........") << "loading keeps the stored colours";

    resultBusy = true;
    pane.clear();
    type("[a]");
    EXPECT_EQ(colours(), "...");
}

TEST_F(SourcePane, UndoAndRedoStepThroughColouringWithoutRecolouring)
{
    type("[a]");
    ASSERT_EQ(colours(), "bbb");
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "[a]");
    EXPECT_EQ(colours(), "...") << "the first undo takes the colouring back, and it stays back";
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "");
    pane.redo();
    pane.redo();
    EXPECT_EQ(colours(), "bbb");
    EXPECT_FALSE(pane.document()->isRedoAvailable());
}

TEST(PaneSpanColour, OverlappingAndMultiLineSpansInOneUndoStep)
{
    QTextEdit pane;
    pane.setPlainText("$a$b!\nc! $d");
    QSignalSpy changes(pane.document(), &QTextDocument::contentsChanged);
    ApplySpanColour(*pane.document(), {{0, 5}, {2, 3}, {4, 4}}, kFieldColour);
    EXPECT_EQ(ColourMap(*pane.document()), "rrrrr\nrr...");
    EXPECT_EQ(changes.count(), 1);

    ApplySpanColour(*pane.document(), {{1, 2}}, kFieldColour);
    EXPECT_EQ(changes.count(), 1) << "nothing to change, no edit";
    pane.undo();
    EXPECT_EQ(ColourMap(*pane.document()), ".....\n.....") << "one undo takes all spans back";
}

} // namespace
