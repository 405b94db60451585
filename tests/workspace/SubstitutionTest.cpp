#include "ResultPane.h"
#include "ResultPanePainting.h"

#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Writes `text` as a result, substitutes once, and returns the painted outcome.
QString substituted(const QString& text, const QString& marker, const QString& value, qsizetype* replaced = nullptr)
{
    QTextEdit pane;
    WriteResultPane(pane, text);
    const qsizetype count = SubstituteField(*pane.document(), marker, value);
    if (replaced)
        *replaced = count;
    return PaintedText(*pane.document());
}

} // namespace

TEST(Substitution, ReplacesInAnyLetterCaseLeavingOtherMarkersRed)
{
    qsizetype replaced = 0;
    EXPECT_EQ(substituted(QStringLiteral("x=$name!; y=$NAME!\n$Other!"), QStringLiteral("$Name!"),
                          QStringLiteral("Id"), &replaced),
              QStringLiteral("x=Id; y=Id\n<$Other!>"));
    EXPECT_EQ(replaced, 2);

    // Values longer and shorter than the marker keep later positions right.
    EXPECT_EQ(substituted(QStringLiteral("$f!1 $g! $F!2 $g!"), QStringLiteral("$f!"), QStringLiteral("LONGER")),
              QStringLiteral("LONGER1 <$g!> LONGER2 <$g!>"));
    EXPECT_EQ(substituted(QStringLiteral("$field!1 $g! $field!2"), QStringLiteral("$field!"), QStringLiteral("v")),
              QStringLiteral("v1 <$g!> v2"));
}

TEST(Substitution, NeverSearchesInsertedText)
{
    qsizetype replaced = 0;
    // The value holds the marker itself: inserted once per occurrence, and it is a marker, so red.
    EXPECT_EQ(substituted(QStringLiteral("$a! and $A!"), QStringLiteral("$a!"), QStringLiteral("[$a!]"), &replaced),
              QStringLiteral("[<$a!>] and [<$a!>]"));
    EXPECT_EQ(replaced, 2);
}

TEST(Substitution, EmptyValueRemovesTheMarker)
{
    EXPECT_EQ(substituted(QStringLiteral("a$f!b\n$f!"), QStringLiteral("$f!"), QString()), QStringLiteral("ab\n"));
}

TEST(Substitution, RecoloursMarkersTheValueMakesOrBreaks)
{
    // Losing its "!" stretches the span of an earlier "$" to the next "!".
    EXPECT_EQ(substituted(QStringLiteral("$x $f! tail! $g!"), QStringLiteral("$f!"), QStringLiteral("V")),
              QStringLiteral("<$x V tail!> <$g!>"));
    // With no "!" left after it, an earlier "$" is no marker at all.
    EXPECT_EQ(substituted(QStringLiteral("$g! $p $f!"), QStringLiteral("$f!"), QStringLiteral("q")),
              QStringLiteral("<$g!> $p q"));
    // A value starting a marker that a later "!" closes.
    EXPECT_EQ(substituted(QStringLiteral("a $f! b! c"), QStringLiteral("$f!"), QStringLiteral("$new")),
              QStringLiteral("a <$new b!> c"));
    // A value closing the span of an earlier "$".
    EXPECT_EQ(substituted(QStringLiteral("$p $f!"), QStringLiteral("$f!"), QStringLiteral("x!y")),
              QStringLiteral("<$p x!>y"));
    // Touching neighbours keep their colour.
    EXPECT_EQ(substituted(QStringLiteral("$e!$f!$g!"), QStringLiteral("$f!"), QStringLiteral("x")),
              QStringLiteral("<$e!>x<$g!>"));
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
