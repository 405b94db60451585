#include "EditCommands.h"
#include "FindCommands.h"
#include "WorkspaceTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCharFormat>

namespace {

using Action = FindRequest::Action;

class PaneCommands : public testing::Test
{
protected:
    QTextEdit pane;
    FindState state;

    // foundAt after the Find and each following Find Next.
    QList<int> hits(const QString& text, const QString& needle, int findNexts)
    {
        pane.setPlainText(text);
        FindOrReplace(state, {Action::Find, needle, {}}, &pane);
        QList<int> found{state.foundAt};
        while (findNexts-- > 0) {
            FindNext(state, &pane);
            found << state.foundAt;
        }
        return found;
    }
};

} // namespace

TEST_F(PaneCommands, EditLeavesAReadOnlyPaneAndNoPaneAloneButCopiesRichAndPlainText)
{
    pane.setPlainText("one two three");
    selectRange(&pane, 3, 7);
    EditCut(&pane);
    pane.setReadOnly(true);
    selectRange(&pane, 0, 3);
    for (auto command : {EditCut, EditPaste, EditClear, EditUndo})
        command(&pane);
    EXPECT_EQ(pane.toPlainText(), "one three");
    EditCopy(&pane);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->text(), "one");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml());
    for (auto command : {EditCut, EditCopy, EditPaste, EditUndo, EditRedo, EditClear})
        command(nullptr);
}

TEST_F(PaneCommands, FindIgnoresCaseAndWrapsAfterAMissAndTheCloseBoxNeverRepeatsAReplace)
{
    EXPECT_EQ(hits("abcab", "ab", 3), (QList<int>{0, 3, -1, 0}));
    EXPECT_EQ(hits("xABCx\nline abc", "abc", 1), (QList<int>{1, 11}));
    EXPECT_EQ(pane.textCursor().selectedText(), "abc");

    const FindRequest closed;
    state = {};
    pane.setPlainText("a-a");
    FindNext(state, &pane); // before any Find: nothing
    FindOrReplace(state, closed, &pane);
    EXPECT_EQ(state.foundAt, 0);
    EXPECT_FALSE(pane.textCursor().hasSelection());
    FindOrReplace(state, {Action::Replace, "a", "aa"}, &pane);
    ASSERT_EQ(pane.toPlainText(), "aa-aa");
    FindOrReplace(state, closed, &pane);
    EXPECT_EQ(pane.toPlainText(), "aa-aa") << "a cancelled dialog must not replace again";
    FindOrReplace(state, {Action::Find, "x", {}}, nullptr);
    EXPECT_EQ(state.findText, "x") << "without a pane the texts are still kept";
}

TEST_F(PaneCommands, ReplaceRewritesEveryOccurrenceKeepsTheFormattingAroundAndUndoesInOneStep)
{
    pane.setPlainText("xAbyab abab");
    FindOrReplace(state, {Action::Replace, "ab", ""}, &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");
    FindOrReplace(state, {Action::Replace, "", "z"}, &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");

    pane.setPlainText("red $F! red");
    QTextCursor marker(pane.document());
    marker.setPosition(4);
    marker.setPosition(7, QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    marker.mergeCharFormat(red);
    FindOrReplace(state, {Action::Replace, "red", "blue"}, &pane);
    EXPECT_EQ(pane.toPlainText(), "blue $F! blue");
    marker.setPosition(6);
    EXPECT_EQ(marker.charFormat().foreground().color(), QColor(Qt::red));
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "red $F! red");
}
