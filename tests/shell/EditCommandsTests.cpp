#include "EditCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

void select(QTextEdit& pane, int from, int to)
{
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
}

} // namespace

TEST(EditCommands, ChangeOnlyAnEditablePaneAndPutRichAndPlainTextOnTheClipboard)
{
    QTextEdit pane;
    pane.setPlainText("one two three");
    select(pane, 4, 8);
    EditCut(&pane);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->text(), "two ");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml());
    select(pane, 0, 3);
    EditClear(&pane);
    EXPECT_EQ(pane.toPlainText(), " three");
    EditUndo(&pane);
    EditUndo(&pane);
    EXPECT_EQ(pane.toPlainText(), "one two three");

    pane.setReadOnly(true);
    select(pane, 0, 3);
    for (auto command : {EditCut, EditPaste, EditClear, EditUndo})
        command(&pane);
    EXPECT_EQ(pane.toPlainText(), "one two three");
    EditCopy(&pane);
    EXPECT_EQ(QApplication::clipboard()->text(), "one");

    for (auto command : {EditCut, EditCopy, EditPaste, EditUndo, EditRedo, EditClear})
        command(nullptr);
}
