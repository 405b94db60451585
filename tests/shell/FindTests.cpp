#include "FindCommands.h"
#include "FindDialog.h"
#include "WorkspaceTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const FindRequest closed;

FindRequest find(const QString& text)
{
    return {FindRequest::Action::Find, text, {}};
}

FindRequest replace(const QString& text, const QString& replacement)
{
    return {FindRequest::Action::Replace, text, replacement};
}

// Runs `user` on a fresh dialog once it is up, as the user would act on it.
template<typename User>
FindRequest ask(User user)
{
    FindDialog dialog(nullptr);
    QTimer::singleShot(0, &dialog, [&] { user(dialog); });
    return dialog.ask();
}

class Find : public testing::Test
{
protected:
    QTextEdit pane;
    FindState state;

    // foundAt after the Find and each following Find Next.
    QList<int> hits(const QString& text, const QString& needle, int findNexts)
    {
        pane.setPlainText(text);
        FindOrReplace(state, find(needle), &pane);
        QList<int> found{state.foundAt};
        while (findNexts-- > 0) {
            FindNext(state, &pane);
            found << state.foundAt;
        }
        return found;
    }
};

} // namespace

TEST_F(Find, StartsAtTheFirstCharacterAndWrapsAfterAMiss)
{
    EXPECT_EQ(hits("abc", "ab", 2), (QList<int>{0, -1, 0}));
    EXPECT_EQ(pane.textCursor().selectedText(), "ab");
    EXPECT_EQ(hits("abcab", "ab", 3), (QList<int>{0, 3, -1, 0}));
    EXPECT_EQ(hits("xABCx\nline abc", "abc", 1), (QList<int>{1, 11}));
    EXPECT_EQ(hits("xABCx", "abc", 0), QList<int>{1});
    EXPECT_EQ(pane.textCursor().selectedText(), "ABC");
}

TEST_F(Find, TheCloseBoxDoesNothingBeforeOrAfterAFirstUse)
{
    pane.setPlainText("a-a");
    FindNext(state, &pane);
    FindOrReplace(state, closed, &pane);
    EXPECT_EQ(state.foundAt, 0);
    EXPECT_FALSE(pane.textCursor().hasSelection());

    FindOrReplace(state, replace("a", "aa"), &pane);
    ASSERT_EQ(pane.toPlainText(), "aa-aa");
    FindOrReplace(state, closed, &pane);
    EXPECT_EQ(pane.toPlainText(), "aa-aa") << "a cancelled dialog must not replace again";
    EXPECT_EQ(state.findText, "a");

    FindOrReplace(state, find("x"), nullptr);
    EXPECT_EQ(state.findText, "x") << "without a pane the texts are still kept";
}

TEST_F(Find, ReplaceRewritesTheFocusedPaneOnly)
{
    pane.setPlainText("Aaa");
    FindOrReplace(state, replace("a", "b"), &pane);
    EXPECT_EQ(pane.toPlainText(), "bbb");
    pane.setPlainText("xAbyab abab");
    FindOrReplace(state, replace("ab", ""), &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");
    FindOrReplace(state, replace("", "z"), &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");

    QTextEdit templatePane;
    templatePane.setPlainText("[($Field!|1|n)]");
    pane.setPlainText("$Field0001!, $Field0002!");
    FindOrReplace(state, replace("$field0001!", "CustomerId"), &pane);
    EXPECT_EQ(pane.toPlainText(), "CustomerId, $Field0002!");
    EXPECT_EQ(templatePane.toPlainText(), "[($Field!|1|n)]");
}

TEST_F(Find, ReplaceKeepsTheFormattingAroundAndUndoesInOneStep)
{
    pane.setPlainText("red $F! red");
    QTextCursor marker(pane.document());
    marker.setPosition(4);
    marker.setPosition(7, QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    marker.mergeCharFormat(red);

    FindOrReplace(state, replace("red", "blue"), &pane);
    EXPECT_EQ(pane.toPlainText(), "blue $F! blue");
    marker.setPosition(6);
    EXPECT_EQ(marker.charFormat().foreground().color(), QColor(Qt::red));
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "red $F! red");
}

TEST_F(Find, TheMenuCommandsAskTheDialogAndShareOneState)
{
    ScriptedDialogs dialogs;
    dialogs.findAnswers << find("needle");
    pane.setPlainText("needle haystack needle");
    EXPECT_EQ(FindCommand(nullptr, &pane).status, "");
    EXPECT_EQ(FindNextCommand(&pane), "");
    EXPECT_EQ(dialogs.findDialogsShown, 1);
    EXPECT_EQ(ProgramFindState().foundAt, 16);
    // A miss says so in the status bar; the next hit clears it.
    EXPECT_EQ(FindNextCommand(&pane), " \"needle\" not found");
    EXPECT_EQ(FindNextCommand(&pane), "");
    dialogs.findAnswers << find("pin") << replace("needle", "pin");
    EXPECT_EQ(FindCommand(nullptr, &pane).status, " \"pin\" not found");
    EXPECT_EQ(FindCommand(nullptr, &pane).status, "") << "Replace has no miss to report";
}

TEST(FindDialog, TabOrderAndButtonsHandOverBothTextsAndTheCloseBoxNothing)
{
    FindDialog dialog(nullptr);
    QStringList order;
    for (QWidget* w = control(dialog, "findBox"); order.size() < 4; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order, (QStringList{"findBox", "replaceBox", "findButton", "replaceButton"}));

    const auto typeAndPress = [](const char* button) {
        return [button](QDialog& d) {
            control<QLineEdit>(d, "findBox")->setText("needle");
            control<QLineEdit>(d, "replaceBox")->setText("pin");
            control<QPushButton>(d, button)->click();
        };
    };
    const FindRequest find = ask(typeAndPress("findButton"));
    EXPECT_EQ(find.action, FindRequest::Action::Find);
    EXPECT_EQ(find.findText, "needle");
    EXPECT_EQ(find.replaceText, "pin");
    EXPECT_EQ(ask(typeAndPress("replaceButton")).action, FindRequest::Action::Replace);

    const FindRequest closed = ask([](QDialog& d) {
        EXPECT_TRUE(control<QLineEdit>(d, "findBox")->text().isEmpty()) << "each dialog starts empty";
        control<QLineEdit>(d, "findBox")->setText("typed, then closed");
        d.close();
    });
    EXPECT_EQ(closed.action, FindRequest::Action::Closed);
    EXPECT_TRUE(closed.findText.isEmpty());
}
