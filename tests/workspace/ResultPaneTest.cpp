#include "PaneLooks.h"
#include "RandomText.h"
#include "MarkerColouring.h"
#include "ResultRtf.h"
#include "ResultRtfReader.h"
#include "ResultView.h"
#include "RtfEscaping.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <random>

namespace {

// A view tall enough to paint every line of the short texts here.
struct Pane
{
    Pane() { view.resize(400, 1200); }
    ResultDocument& document() { return *view.resultDocument(); }
    QString painted() { return PaintedText(view); }
    ResultView view;
};

// The document text the way Qt gives it, every line break as '\n'.
QString documentText(const QTextDocument& document)
{
    QString raw = document.toRawText();
    for (QChar& c : raw)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return raw;
}

QString lines(int count, const QString& pattern)
{
    QString text;
    for (int k = 1; k <= count; ++k)
        text += pattern.arg(k, 6, 10, QLatin1Char('0'));
    return text;
}

int colouredBlocks(const ResultDocument& document)
{
    int coloured = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        coloured += block.userState() == document.colouringGeneration();
    return coloured;
}

} // namespace

TEST(ResultPane, PaintsMarkersRedOnBlackAsTheyStandNow)
{
    Pane pane;
    // Overlapping spans, a marker across a line break, a "$" with no "!" after it.
    pane.view.showResult(QStringLiteral("$a!,\nx$b $c! y\n$d\nz!\nend$e"));
    EXPECT_EQ(pane.painted(), QStringLiteral("<$a!>,\nx<$b $c!> y\n<$d\nz!>\nend$e"));

    // Windows line breaks read as single ones rather than as extra empty lines.
    pane.view.showResult(QStringLiteral("$a!\r\nb\rc"));
    EXPECT_EQ(pane.view.toPlainText(), QStringLiteral("$a!\nb\nc"));

    // A template without groups is copied without colours.
    pane.view.showResult(QStringLiteral("$a! b"), ResultDocument::Markers::Plain);
    EXPECT_EQ(pane.painted(), QStringLiteral("$a! b"));

    // What goes to the printer carries the colours in the document itself.
    pane.view.showResult(QStringLiteral("a $b! c\n$d!"));
    EXPECT_EQ(ColourMap(*pane.document().colouredCopy()), QStringLiteral("..rrr..\nrrr"));

    // Deleting a "!" two hundred lines further down uncolours a marker opened at the top.
    pane.view.showResult(QStringLiteral("x $p\n") + lines(200, QStringLiteral("line %1\n")) + QStringLiteral("end!"));
    pane.view.verticalScrollBar()->setValue(0);
    EXPECT_TRUE(pane.painted().startsWith(QStringLiteral("x <$p\n")));
    QTextCursor cursor(&pane.document());
    cursor.movePosition(QTextCursor::End);
    cursor.deletePreviousChar();
    pane.view.verticalScrollBar()->setValue(0);
    EXPECT_TRUE(pane.painted().startsWith(QStringLiteral("x $p\n")));
}

TEST(ResultPane, ShowsTheCaretAtTheEndAndTypedTextFollowsTheRule)
{
    Pane pane;
    pane.view.setPlainText(QStringLiteral("old"));
    pane.view.selectAll();
    pane.view.showResult(QStringLiteral("x $f!"));

    const QTextCursor caret = pane.view.textCursor();
    EXPECT_EQ(caret.position(), 5);
    EXPECT_FALSE(caret.hasSelection());
    QTest::keyClicks(&pane.view, QStringLiteral("t $g"));
    EXPECT_EQ(pane.painted(), QStringLiteral("x <$f!>t $g"));
    QTest::keyClick(&pane.view, Qt::Key_Exclam);
    EXPECT_EQ(pane.painted(), QStringLiteral("x <$f!>t <$g!>"));
    // The old result is not one undo away.
    while (pane.document().isUndoAvailable())
        pane.document().undo();
    EXPECT_EQ(pane.view.toPlainText(), QStringLiteral("x $f!"));
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
        {"a$f!b", "$f!", "1\r\n2", "a1\n2b", 1},
        // Losing its "!" stretches the span of an earlier "$" to the next "!".
        {"$x $f! tail! $g!", "$f!", "V", "<$x V tail!> <$g!>", 1},
        // With no "!" left after it, an earlier "$" is no marker at all.
        {"$g! $p $f!", "$f!", "q", "<$g!> $p q", 1},
        // A value opening a marker that a later "!" closes, or closing an earlier one.
        {"a $f! b! c", "$f!", "$new", "a <$new b!> c", 1},
        {"$p $f!", "$f!", "x!y", "<$p x!>y", 1},
        {"$e!$f!$g!", "$f!", "x", "<$e!>x<$g!>", 1},
        {"$e!", "$zz!", "x", "<$e!>", 0},
    };
    for (const Case& c : cases) {
        Pane pane;
        pane.view.showResult(QString::fromUtf8(c.text));
        EXPECT_EQ(pane.document().substitute(QString::fromUtf8(c.marker), QString::fromUtf8(c.value)), c.replaced)
            << c.text;
        EXPECT_EQ(pane.painted(), QString::fromUtf8(c.painted)) << c.text;
        EXPECT_EQ(pane.document().text(), documentText(pane.document())) << c.text;
    }
}

TEST(Substitution, IsOneUndoStepThatMovesPlacesHeldFurtherDown)
{
    const QString text = lines(300, QStringLiteral("$Field%1!,\n"));
    Pane pane;
    pane.view.showResult(text);
    QTextCursor reading(&pane.document());
    reading.setPosition(int(text.indexOf(QStringLiteral("$Field000250!"))));

    EXPECT_EQ(pane.document().substitute(QStringLiteral("$field000150!"), QStringLiteral("Line\nbreak")), 1);
    QString expected = text;
    expected.replace(QStringLiteral("$Field000150!"), QStringLiteral("Line\nbreak"));
    EXPECT_EQ(pane.view.toPlainText(), expected);
    EXPECT_EQ(reading.position(), expected.indexOf(QStringLiteral("$Field000250!")));

    pane.document().undo();
    EXPECT_EQ(pane.view.toPlainText(), text);
    EXPECT_EQ(pane.document().text(), text);
    pane.document().redo();
    EXPECT_EQ(pane.document().text(), expected);
}

TEST(Substitution, FillingManyFieldsFindsEachWhereItStoodBefore)
{
    Pane pane;
    pane.view.showResult(QStringLiteral("$a! $B! $x $b! $c! $A!"));
    const qsizetype filled =
        pane.document().fillFields({{QStringLiteral("$A!"), QStringLiteral("$b!")}, {QStringLiteral("$b!"), QStringLiteral("2")}});
    EXPECT_EQ(filled, 4);
    EXPECT_EQ(pane.painted(), QStringLiteral("<$b!> 2 <$x 2 $c!> <$b!>"));
    pane.document().undo();
    EXPECT_EQ(pane.view.toPlainText(), QStringLiteral("$a! $B! $x $b! $c! $A!"));
}

TEST(ResultPane, TheKeptTextFollowsEveryKindOfEdit)
{
    std::mt19937 random(12);
    const QStringList pieces{"$", "!", "a", "Ab", "\n", "\r\n", "$f!", "\t", "\xC3\xA9", " "};
    Pane pane;
    pane.view.showResult(RandomText(random, pieces, 400));
    for (int step = 0; step < 300; ++step) {
        QTextCursor cursor(&pane.document());
        const int size = pane.document().characterCount() - 1;
        cursor.setPosition(std::uniform_int_distribution<int>(0, size)(random));
        cursor.setPosition(std::uniform_int_distribution<int>(0, size)(random), QTextCursor::KeepAnchor);
        switch (step % 6) {
        case 0: cursor.insertText(RandomText(random, pieces, 6)); break;
        case 1: cursor.removeSelectedText(); break;
        case 2: pane.document().undo(); break;
        case 3: pane.document().redo(); break;
        case 4: pane.document().substitute(QStringLiteral("$F!"), RandomText(random, pieces, 3)); break;
        case 5: pane.view.setTextCursor(cursor); QTest::keyClick(&pane.view, Qt::Key_Return); break;
        }
        ASSERT_EQ(pane.document().text(), documentText(pane.document())) << "step " << step;
    }
    // The colours painted agree with the rule applied to the whole text.
    pane.view.showResult(pane.document().text());
    const QString painted = pane.painted();
    Pane fresh;
    fresh.view.showResult(documentText(pane.document()));
    EXPECT_EQ(painted, fresh.painted());
    EXPECT_FALSE(painted.contains(u'?'));
}

TEST(ResultPane, ALongResultIsColouredAndLaidOutOnlyWhereItIsShown)
{
    Pane pane;
    pane.view.resize(400, 300);
    pane.view.show();
    const QString text = lines(100'000, QStringLiteral("$Field%1!,\n"));
    pane.view.showResult(text);
    pane.view.verticalScrollBar()->setValue(0);
    pane.view.grab();
    const int blocks = pane.document().blockCount();
    EXPECT_LT(colouredBlocks(pane.document()), 5);
    int laidOut = 0;
    for (QTextBlock block = pane.document().begin(); block.isValid(); block = block.next())
        laidOut += block.layout()->lineCount() > 0;
    EXPECT_LT(laidOut, blocks / 10) << "showing the top must not lay out the rest";

    // A run that replaces it, and the jump to the end, colour what is then shown.
    pane.view.showResult(text);
    QTest::keyClick(&pane.view, Qt::Key_End, Qt::ControlModifier);
    pane.view.grab();
    const QTextBlock last = pane.document().lastBlock();
    EXPECT_EQ(last.userState(), pane.document().colouringGeneration());
    EXPECT_EQ(last.previous().layout()->formats().size(), 100) << "one red run a line";
    EXPECT_LT(colouredBlocks(pane.document()), 5);
}

TEST(ResultRichText, IsWhatTheRichPaneWroteForTheSameColours)
{
    std::mt19937 random(7);
    const QStringList pieces{"$", "!", "ab", "\n", "\\", "{", "}", "\"", "_$$$_001_$$$_", "\t", "\xC3\xA9", "\xE2\x82\xAC",
                             "\xD0\x96", "$Col!"};
    for (int round = 0; round < 60; ++round) {
        const QString text = RandomText(random, pieces, 40);
        Pane pane;
        pane.view.showResult(text);
        // The rich pane coloured the same way: black text, red markers.
        QTextEdit rich;
        rich.document()->setDefaultFont(pane.document().defaultFont());
        QTextCursor cursor(rich.document());
        const QList<TextSpan> red = pane.document().markerRunsIn(0, text.size());
        QTextCharFormat black, redFormat;
        black.setForeground(QColor(Qt::black));
        redFormat.setForeground(QColor(Qt::red));
        qsizetype done = 0;
        for (const TextSpan& run : red) {
            cursor.insertText(text.mid(done, run.start - done), black);
            cursor.insertText(text.mid(run.start, run.length), redFormat);
            done = run.start + run.length;
        }
        cursor.insertText(text.mid(done), black);
        ASSERT_EQ(pane.document().richText(), DocumentToRtf(*rich.document())) << text.toStdString();

        // Read back, it is the same text with the same colours.
        Pane reloaded;
        reloaded.document().setRichText(pane.document().richText());
        EXPECT_EQ(reloaded.document().text(), text);
        EXPECT_EQ(reloaded.painted(), pane.painted());
    }
    // Text without colours is written without any.
    QTextEdit plain;
    plain.document()->setDefaultFont(QFont(QStringLiteral("Monospace"), 10));
    plain.setPlainText(QStringLiteral("$a! \\ b\nc"));
    EXPECT_EQ(ResultToRtf(QStringLiteral("$a! \\ b\nc"), std::nullopt, QFont(QStringLiteral("Monospace"), 10)),
              DocumentToRtf(*plain.document()));
}

TEST(ResultRichText, ALoadedBodyIsKeptByteForByteUntilTheResultIsEdited)
{
    // As another program wrote it: bold, a size and a green word around a red marker.
    const QString legacy = QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                                          "\\b bold\\b0  \\cf1 $f!\\cf2  green\\fs40  big\\par}");
    Pane pane;
    pane.document().setRichText(legacy);
    EXPECT_EQ(pane.document().text(), QStringLiteral("bold $f! green big"));
    EXPECT_EQ(pane.document().richText(), legacy);
    EXPECT_EQ(pane.painted(), QStringLiteral("bold <$f!> green big"));

    pane.document().substitute(QStringLiteral("$F!"), QStringLiteral("v"));
    const QString written = pane.document().richText();
    EXPECT_NE(written, legacy);
    EXPECT_FALSE(written.contains(QStringLiteral("\\b ")));
    Pane reloaded;
    reloaded.document().setRichText(written);
    EXPECT_EQ(reloaded.document().text(), QStringLiteral("bold v green big"));

    // A stored body with no colours at all stays without them, also once edited.
    pane.document().setRichText(QStringLiteral("{\\rtf1 $a! x\\par}"));
    EXPECT_EQ(pane.painted(), QStringLiteral("$a! x"));
    pane.document().substitute(QStringLiteral("x"), QStringLiteral("y"));
    EXPECT_FALSE(pane.document().richText().contains(QStringLiteral("\\cf")));
}

namespace {

// Every line break as the result pane holds it.
QString SingleLineFeeds(QString text)
{
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return text;
}

void ExpectSameReading(const ResultRtfText& quick, const QString& rtf)
{
    QString generalText;
    bool generalColoured = false;
    for (const RichTextRun& run : ReadRichTextRuns(rtf, 10)) {
        generalText += run.text;
        generalColoured = generalColoured || run.format.hasProperty(QTextFormat::ForegroundBrush);
    }
    ASSERT_FALSE(quick.text.contains(u'\r')) << rtf.toStdString();
    ASSERT_EQ(SingleLineFeeds(quick.text), SingleLineFeeds(generalText)) << rtf.toStdString();
    ASSERT_EQ(quick.coloured, generalColoured) << rtf.toStdString();
}

} // namespace

// The quick reader takes every result we write, and where it takes any other RTF at all
// (bodies cut or edited by hand, other writers) it reads what the general reader reads.
TEST(ResultRichText, TheQuickReaderAgreesWithTheGeneralOne)
{
    std::mt19937 random(12);
    const QStringList pieces{"$", "!", "ab", "\n", "\r", "\r\n", "\\", "{", "}", "\"", "?", "\t", "\x01", "\x1f",
                             "\xC3\xA9", "\xE2\x82\xAC", "\xD0\x96", "\xF0\x9F\x98\x80", "\xE2\x80\xA8", "\xC2\x81",
                             "$Col!", "\\u8232?", "\\par", "\\cf1 ", "9"};
    const QStringList hostile{"\\", "{", "}", "'", "-", "0", "1", "9", "a", "F", "u", "?", ";", " ", "\r\n", "\t",
                              "\\cf0 ", "\\cf1 ", "\\cf2 ", "\\cf3 ", "\\par", "\\u-3?", "\\u70000?", "\\'0d", "\\line ", "\\b "};
    const QList<QFont> fonts{QFont(QStringLiteral("Monospace"), 10), QFont(QStringLiteral("Odd {Name}\\"), 9)};
    qsizetype otherShapesTaken = 0;
    for (int round = 0; round < 3000; ++round) {
        const QString text = RandomText(random, pieces, 30);
        const QFont& font = fonts[round % 2];
        const QList<TextSpan> runs = round % 3 == 0 ? QList<TextSpan>() : MarkerRunsIn(text, 0, text.size());
        const QString rtf = round % 3 == 0 ? ResultToRtf(text, std::nullopt, font) : ResultToRtf(text, runs, font);
        // Written into a buffer of the size it needs: a long result's RTF is kept after saving.
        QString escaped;
        AppendRtfEscaped(escaped, text);
        ASSERT_EQ(RtfEscapedSize(text), escaped.size()) << text.toStdString();
        ASSERT_LE(rtf.capacity() - rtf.size(), 10 * runs.size() + 16) << "a few to spare, not twice the size";
        const std::optional<ResultRtfText> quick = ReadResultRtf(rtf);
        ASSERT_EQ(quick.has_value(), round % 2 == 0) << "only a font name with RTF specials is left to the general reader";
        if (quick)
            ExpectSameReading(*quick, rtf);

        // A few characters removed, put in or repeated, mostly in the text after the header.
        QString changed = rtf;
        for (int edit = std::uniform_int_distribution<int>(1, 3)(random); edit > 0; --edit) {
            const qsizetype from = random() % 4 ? std::min(changed.lastIndexOf(QStringLiteral("\\fs")), changed.size() - 1) : 0;
            const qsizetype at = std::uniform_int_distribution<qsizetype>(std::max<qsizetype>(from, 0), changed.size() - 1)(random);
            switch (random() % 4) {
            case 0: changed.remove(at, 1 + random() % 3); break;
            case 1: changed.insert(at, changed.mid(at, 1 + random() % 8)); break;
            default: changed.insert(at, hostile[random() % hostile.size()]); break;
            }
        }
        if (const std::optional<ResultRtfText> read = ReadResultRtf(changed)) {
            ++otherShapesTaken;
            ExpectSameReading(*read, changed);
        }
    }
    EXPECT_GT(otherShapesTaken, 300) << "the edits should often keep the shape";
}
