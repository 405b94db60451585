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

TEST(Substitution, ReplacesEveryCaseOnceAndRecoloursWhatTheValueMakesOrBreaks)
{
    struct Case
    {
        const char* text;
        const char* marker;
        const char* value;
        const char* painted;
        qsizetype replaced;
    };
    const Case cases[] = {
        {"x=$name!; y=$NAME!\n$Other!", "$Name!", "Id", "x=Id; y=Id\n<$Other!>", 2},
        // Values longer and shorter than the marker keep later positions right.
        {"$f!1 $g! $F!2 $g!", "$f!", "LONGER", "LONGER1 <$g!> LONGER2 <$g!>", 2},
        {"$field!1 $g! $field!2", "$field!", "v", "v1 <$g!> v2", 2},
        // Inserted text is never searched again; holding a marker, it is red.
        {"$a! and $A!", "$a!", "[$a!]", "[<$a!>] and [<$a!>]", 2},
        {"a$f!b\n$f!", "$f!", "", "ab\n", 2},
        // Losing its "!" stretches the span of an earlier "$" to the next "!".
        {"$x $f! tail! $g!", "$f!", "V", "<$x V tail!> <$g!>", 1},
        // With no "!" left after it, an earlier "$" is no marker at all.
        {"$g! $p $f!", "$f!", "q", "<$g!> $p q", 1},
        // A value opening a marker that a later "!" closes, or closing an earlier one.
        {"a $f! b! c", "$f!", "$new", "a <$new b!> c", 1},
        {"$p $f!", "$f!", "x!y", "<$p x!>y", 1},
        {"$e!$f!$g!", "$f!", "x", "<$e!>x<$g!>", 1},
    };
    for (const Case& c : cases) {
        QTextEdit pane;
        WriteResultPane(pane, QString::fromUtf8(c.text));
        EXPECT_EQ(SubstituteField(*pane.document(), QString::fromUtf8(c.marker), QString::fromUtf8(c.value)),
                  c.replaced)
            << c.text;
        EXPECT_EQ(PaintedText(*pane.document()), QString::fromUtf8(c.painted)) << c.text;
    }
}

TEST(Substitution, EditsOnlyTheOccurrencesOfALongResult)
{
    QString text;
    for (int k = 1; k <= 300; ++k)
        text += QStringLiteral("$Field%1!,\n").arg(k, 4, 10, QLatin1Char('0'));
    QTextEdit pane;
    WriteResultPane(pane, text);
    pane.document()->setUndoRedoEnabled(true);
    QTextCursor reading(pane.document());
    reading.setPosition(int(text.indexOf(QStringLiteral("$Field0250!"))));

    EXPECT_EQ(SubstituteField(*pane.document(), QStringLiteral("$field0150!"), QStringLiteral("Line\r\nbreak")), 1);
    QString expected = text;
    expected.replace(QStringLiteral("$Field0150!"), QStringLiteral("Line\nbreak"));
    EXPECT_EQ(pane.toPlainText(), expected);
    EXPECT_EQ(PaintedText(*pane.document()).count(QLatin1Char('<')), 299);
    // A place the user holds further down moves with the text.
    EXPECT_EQ(reading.position(), expected.indexOf(QStringLiteral("$Field0250!")));

    EXPECT_EQ(SubstituteField(*pane.document(), QStringLiteral("$Field9999!"), QStringLiteral("x")), 0);
    EXPECT_EQ(pane.toPlainText(), expected);

    // One substitution is one undo step.
    pane.document()->undo();
    EXPECT_EQ(pane.toPlainText(), text);
}
