#include "EditCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class EditCommands : public testing::Test
{
protected:
    QTextEdit pane;

    void SetUp() override { QApplication::clipboard()->clear(); }

    void select(int from, int to)
    {
        QTextCursor cursor = pane.textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
    }
};

} // namespace

TEST_F(EditCommands, CutAndPasteCarryTheFormattingAndUndoRedoFollowTheHistory)
{
    pane.setPlainText("keep $Red! keep");
    select(5, 10);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    pane.textCursor().mergeCharFormat(red);

    EditCut(&pane);
    EXPECT_EQ(pane.toPlainText(), "keep  keep");
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->text(), "$Red!");
    EXPECT_TRUE(clip->hasHtml());

    QTextEdit other;
    EditPaste(&other);
    EXPECT_EQ(other.toPlainText(), "$Red!");
    QTextCursor at(other.document());
    at.setPosition(2);
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::red));

    EditUndo(&pane);
    EXPECT_EQ(pane.toPlainText(), "keep $Red! keep");
    EditRedo(&pane);
    EXPECT_EQ(pane.toPlainText(), "keep  keep");
}

TEST_F(EditCommands, CopyAndClearTouchOnlyTheSelection)
{
    pane.setPlainText("one two three");
    select(4, 7);
    EditCopy(&pane);
    EXPECT_EQ(pane.toPlainText(), "one two three");
    EXPECT_EQ(QApplication::clipboard()->text(), "two");

    EditClear(&pane);
    EXPECT_EQ(pane.toPlainText(), "one  three");
    EditClear(&pane);
    EXPECT_EQ(pane.toPlainText(), "one  three") << "nothing selected, nothing cleared";
    EditUndo(&pane);
    EXPECT_EQ(pane.toPlainText(), "one two three");
}

TEST_F(EditCommands, AReadOnlyPaneIsCopiedButNeverChangedAndNoPaneIsNoEffect)
{
    pane.setPlainText("fixed text");
    pane.setReadOnly(true);
    QApplication::clipboard()->setText("pasted");
    select(0, 5);
    EditCut(&pane);
    EditPaste(&pane);
    EditClear(&pane);
    EXPECT_EQ(pane.toPlainText(), "fixed text");
    EditCopy(&pane);
    EXPECT_EQ(QApplication::clipboard()->text(), "fixed");

    for (auto command : {EditCut, EditCopy, EditPaste, EditUndo, EditRedo, EditClear})
        command(nullptr);
}
