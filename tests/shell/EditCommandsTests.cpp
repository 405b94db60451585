#include "EditCommands.h"
#include "WorkspaceTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(EditCommands, ChangeOnlyAnEditablePaneAndPutRichAndPlainTextOnTheClipboard)
{
    QTextEdit pane;
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
