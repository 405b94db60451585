#include "EditCommands.h"
#include "FindCommands.h"
#include "FindDialog.h"
#include "WorkspaceTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCharFormat>
#include <QTimer>

namespace {

FindRequest find(const QString& text)
{
    return {FindRequest::Action::Find, text, {}};
}

FindRequest replace(const QString& text, const QString& replacement)
{
    return {FindRequest::Action::Replace, text, replacement};
}

class PaneCommands : public testing::Test
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

TEST_F(PaneCommands, EditChangesOnlyAnEditablePaneAndPutsRichAndPlainTextOnTheClipboard)
{
    pane.setPlainText("one two three");
    selectRange(&pane, 4, 8);
    EditCut(&pane);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->text(), "two ");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml());
    selectRange(&pane, 0, 3);
    EditClear(&pane);
    EXPECT_EQ(pane.toPlainText(), " three");
    EditUndo(&pane);
    EditUndo(&pane);
    EXPECT_EQ(pane.toPlainText(), "one two three");

    pane.setReadOnly(true);
    selectRange(&pane, 0, 3);
    for (auto command : {EditCut, EditPaste, EditClear, EditUndo})
        command(&pane);
    EXPECT_EQ(pane.toPlainText(), "one two three");
    EditCopy(&pane);
    EXPECT_EQ(QApplication::clipboard()->text(), "one");
    for (auto command : {EditCut, EditCopy, EditPaste, EditUndo, EditRedo, EditClear})
        command(nullptr);
}

TEST_F(PaneCommands, FindStartsAtTheFirstCharacterIgnoresCaseAndWrapsAfterAMiss)
{
    EXPECT_EQ(hits("abcab", "ab", 3), (QList<int>{0, 3, -1, 0}));
    EXPECT_EQ(hits("xABCx\nline abc", "abc", 1), (QList<int>{1, 11}));
    EXPECT_EQ(hits("xABCx", "abc", 0), QList<int>{1});
    EXPECT_EQ(pane.textCursor().selectedText(), "ABC");
}

TEST_F(PaneCommands, ReplaceRewritesEveryOccurrenceKeepsTheFormattingAroundAndUndoesInOneStep)
{
    pane.setPlainText("xAbyab abab");
    FindOrReplace(state, replace("ab", ""), &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");
    FindOrReplace(state, replace("", "z"), &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");

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

TEST_F(PaneCommands, TheCloseBoxDoesNothingBeforeOrAfterAFirstUse)
{
    const FindRequest closed;
    pane.setPlainText("a-a");
    FindNext(state, &pane);
    FindOrReplace(state, closed, &pane);
    EXPECT_EQ(state.foundAt, 0);
    EXPECT_FALSE(pane.textCursor().hasSelection());

    FindOrReplace(state, replace("a", "aa"), &pane);
    ASSERT_EQ(pane.toPlainText(), "aa-aa");
    FindOrReplace(state, closed, &pane);
    EXPECT_EQ(pane.toPlainText(), "aa-aa") << "a cancelled dialog must not replace again";
    FindOrReplace(state, find("x"), nullptr);
    EXPECT_EQ(state.findText, "x") << "without a pane the texts are still kept";
}

TEST(FindDialog, TabOrderAndButtonsHandOverBothTextsAndTheCloseBoxNothing)
{
    FindDialog tabbed(nullptr);
    QStringList order;
    for (QWidget* w = control(tabbed, "findBox"); order.size() < 4; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order, (QStringList{"findBox", "replaceBox", "findButton", "replaceButton"}));

    // Each dialog is fresh: the user types into it and presses a button, or closes it.
    for (const auto& [button, action] : {std::pair{"findButton", FindRequest::Action::Find},
                                         {"replaceButton", FindRequest::Action::Replace}, {"", FindRequest::Action::Closed}}) {
        FindDialog dialog(nullptr);
        QTimer::singleShot(0, &dialog, [&dialog, button] {
            EXPECT_TRUE(control<QLineEdit>(dialog, "findBox")->text().isEmpty());
            control<QLineEdit>(dialog, "findBox")->setText("needle");
            control<QLineEdit>(dialog, "replaceBox")->setText("pin");
            if (*button)
                control<QPushButton>(dialog, button)->click();
            else
                dialog.close();
        });
        const FindRequest request = dialog.ask();
        EXPECT_EQ(request.action, action) << button;
        EXPECT_EQ(request.findText, *button ? "needle" : "");
        EXPECT_EQ(request.replaceText, *button ? "pin" : "");
    }
}
