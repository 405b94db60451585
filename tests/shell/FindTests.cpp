#include "FindCommands.h"
#include "ScriptedDialogs.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

FindRequest findRequest(const QString& find, const QString& replace = {})
{
    return {FindRequest::Action::Find, find, replace};
}

FindRequest replaceRequest(const QString& find, const QString& replace)
{
    return {FindRequest::Action::Replace, find, replace};
}

const FindRequest closedRequest;

class Find : public testing::Test
{
protected:
    QTextEdit pane;
    FindState state;

    QString selection() const { return pane.textCursor().selectedText(); }
};

} // namespace

TEST_F(Find, FindsFromTheFirstCharacterAndFindNextWrapsAfterAMiss)
{
    pane.setPlainText("abc");
    FindOrReplace(state, findRequest("ab"), &pane);
    EXPECT_EQ(state.glFoundAt, 0);
    EXPECT_EQ(selection(), "ab");
    FindNext(state, &pane);
    EXPECT_EQ(state.glFoundAt, -1);
    EXPECT_EQ(selection(), "ab") << "a miss leaves the selection";
    FindNext(state, &pane);
    EXPECT_EQ(state.glFoundAt, 0);

    pane.setPlainText("abcab");
    FindOrReplace(state, findRequest("ab"), &pane);
    QList<int> hits{state.glFoundAt};
    for (int i = 0; i < 3; ++i) {
        FindNext(state, &pane);
        hits << state.glFoundAt;
    }
    EXPECT_EQ(hits, (QList<int>{0, 3, -1, 0}));
    EXPECT_EQ(pane.textCursor().selectionStart(), 0);
}

TEST_F(Find, IgnoresLetterCaseAndMatchesInsideWords)
{
    pane.setPlainText("xABCx\nsecond line with abc");
    FindOrReplace(state, findRequest("abc"), &pane);
    EXPECT_EQ(state.glFoundAt, 1);
    EXPECT_EQ(selection(), "ABC");
    FindNext(state, &pane);
    EXPECT_EQ(state.glFoundAt, 23) << "positions count the line break";
    EXPECT_EQ(selection(), "abc");
}

TEST_F(Find, NothingHappensBeforeAFirstUseOrWithoutAPane)
{
    pane.setPlainText("abc");
    FindNext(state, &pane);
    FindOrReplace(state, closedRequest, &pane);
    EXPECT_EQ(state.glFoundAt, 0);
    EXPECT_FALSE(pane.textCursor().hasSelection());
    EXPECT_EQ(pane.toPlainText(), "abc");

    FindOrReplace(state, findRequest("b"), nullptr);
    FindNext(state, nullptr);
    EXPECT_EQ(state.glFoundAt, 0);
    EXPECT_EQ(state.gsFindText, "b") << "the dialog's texts are kept for later use";
}

TEST_F(Find, ClosingTheDialogAfterAUseRepeatsNothing)
{
    pane.setPlainText("a-a");
    FindOrReplace(state, replaceRequest("a", "aa"), &pane);
    ASSERT_EQ(pane.toPlainText(), "aa-aa");
    FindOrReplace(state, closedRequest, &pane);
    EXPECT_EQ(pane.toPlainText(), "aa-aa");
    EXPECT_EQ(state.gsFindText, "a");
    EXPECT_FALSE(state.gbFindMode);

    FindOrReplace(state, findRequest("-"), &pane);
    FindNext(state, &pane);
    ASSERT_EQ(state.glFoundAt, -1);
    FindOrReplace(state, closedRequest, &pane);
    EXPECT_EQ(state.glFoundAt, -1);
    EXPECT_TRUE(state.gbFindMode);
}

TEST_F(Find, ReplaceRewritesEveryOccurrenceOfTheFocusedPane)
{
    pane.setPlainText("Aaa");
    state.glFoundAt = 7;
    FindOrReplace(state, replaceRequest("a", "b"), &pane);
    EXPECT_EQ(pane.toPlainText(), "bbb");
    EXPECT_EQ(state.glFoundAt, 7);
    EXPECT_FALSE(state.gbFindMode);

    pane.setPlainText("xAbyab abab");
    FindOrReplace(state, replaceRequest("ab", ""), &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");

    pane.setPlainText("aba");
    FindOrReplace(state, replaceRequest("a", "aa"), &pane);
    EXPECT_EQ(pane.toPlainText(), "aabaa") << "inserted text is not searched again";

    FindOrReplace(state, replaceRequest("", "z"), &pane);
    EXPECT_EQ(pane.toPlainText(), "aabaa");
}

TEST_F(Find, ReplaceInTheResultPaneLeavesTheTemplatePaneAlone)
{
    QTextEdit txtSource;
    txtSource.setPlainText("[($Field!|1|n)]");
    pane.setPlainText("$Field0001!, $Field0002!");
    FindOrReplace(state, replaceRequest("$field0001!", "CustomerId"), &pane);
    EXPECT_EQ(pane.toPlainText(), "CustomerId, $Field0002!");
    EXPECT_EQ(txtSource.toPlainText(), "[($Field!|1|n)]");
}

TEST_F(Find, ReplaceKeepsTheFormattingAroundAndUndoesInOneStep)
{
    pane.setPlainText("red $F! red");
    QTextCursor cursor(pane.document());
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    cursor.mergeCharFormat(red);

    FindOrReplace(state, replaceRequest("red", "blue"), &pane);
    EXPECT_EQ(pane.toPlainText(), "blue $F! blue");
    cursor.setPosition(6);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::red));

    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "red $F! red");
}

TEST_F(Find, TheCommandsAskTheDialogAndShareOneState)
{
    ScriptedDialogs dialogs;
    dialogs.findAnswers << findRequest("needle");
    pane.setPlainText("needle haystack needle");
    FindCommand(nullptr, &pane);
    FindNextCommand(&pane);
    EXPECT_EQ(dialogs.findDialogsShown, 1);
    EXPECT_EQ(ProgramFindState().gsFindText, "needle");
    EXPECT_EQ(ProgramFindState().glFoundAt, 16);
}
