#include "PaneLooks.h"
#include "ResultPane.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(ResultPane, PaintsMarkersRedOnBlack)
{
    QTextEdit pane;
    // Overlapping spans, a marker across a line break, a "$" with no "!" after it.
    WriteResultPane(pane, QStringLiteral("$a!,\nx$b $c! y\n$d\nz!\nend$e"));
    EXPECT_EQ(PaintedText(*pane.document()), QStringLiteral("<$a!>,\nx<$b $c!> y\n<$d\nz!>\nend$e"));

    WriteResultPane(pane, QStringLiteral("plain text"));
    EXPECT_EQ(PaintedText(*pane.document()), QStringLiteral("plain text"));

    // Windows line breaks read as single ones rather than as extra empty lines.
    WriteResultPane(pane, QStringLiteral("$a!\r\nb\rc"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("$a!\nb\nc"));
}

TEST(ResultPane, LeavesTheCaretAtTheEndTypingBlack)
{
    QTextEdit pane;
    pane.setPlainText(QStringLiteral("old"));
    pane.selectAll();
    WriteResultPane(pane, QStringLiteral("x $f!"));

    const QTextCursor caret = pane.textCursor();
    EXPECT_EQ(caret.position(), 5);
    EXPECT_FALSE(caret.hasSelection());
    pane.insertPlainText(QStringLiteral("t"));
    EXPECT_EQ(PaintedText(*pane.document()), QStringLiteral("x <$f!>t"));
    // The old result is not one undo away.
    pane.document()->undo();
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("x $f!"));
    EXPECT_FALSE(pane.document()->isUndoAvailable());
}
