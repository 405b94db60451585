#include "MarkerColouring.h"
#include "PaneLooks.h"
#include "RandomText.h"
#include "ResultRtf.h"
#include "ResultRtfReader.h"
#include "ResultView.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

QString SingleLineFeeds(QString text)
{
    return text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
}

// Tall enough to paint every line of the short texts here.
struct Pane
{
    Pane() { view.resize(400, 1200); }
    explicit Pane(const QString& text) : Pane() { view.showResult(text); }
    ResultDocument& document() { return *view.resultDocument(); }
    QString painted() { return PaintedText(view); }
    QString documentText() { return SingleLineFeeds(document().toRawText()); }
    ResultView view;
};

QString lines(int count, const QString& pattern)
{
    QString text;
    for (int k = 1; k <= count; ++k)
        text += pattern.arg(k, 6, 10, QLatin1Char('0'));
    return text;
}

TEST(ResultPane, PaintsMarkersRedAsTheyStandNowWithTheCaretAtTheEndAndKeepsItsTextThroughEveryKindOfEdit)
{
    EXPECT_EQ(Pane("$a!,\nx$b $c! y\n$d\nz!\nend$e").painted(), "<$a!>,\nx<$b $c!> y\n<$d\nz!>\nend$e");
    EXPECT_EQ(Pane("$a!\r\nb\rc").view.toPlainText(), "$a!\nb\nc") << "no extra empty lines";
    Pane pane("a $b! c\n$d!");
    EXPECT_EQ(ColourMap(*pane.document().colouredCopy()), "..rrr..\nrrr");
    // Deleting a "!" two hundred lines down uncolours a marker opened at the top.
    pane.view.showResult("x $p\n" + lines(200, "line %1\n") + "end!");
    pane.view.verticalScrollBar()->setValue(0);
    EXPECT_TRUE(pane.painted().startsWith("x <$p\n"));
    QTextCursor cursor(&pane.document());
    cursor.movePosition(QTextCursor::End);
    cursor.deletePreviousChar();
    pane.view.verticalScrollBar()->setValue(0);
    EXPECT_TRUE(pane.painted().startsWith("x $p\n"));
    pane.view.setPlainText("old");
    pane.view.selectAll();
    pane.view.showResult("x $f!");
    QTest::keyClicks(&pane.view, "t $g"); // at the end, over no selection
    QTest::keyClick(&pane.view, Qt::Key_Exclam);
    EXPECT_EQ(pane.painted(), "x <$f!>t <$g!>");
    while (pane.document().isUndoAvailable())
        pane.document().undo();
    EXPECT_EQ(pane.view.toPlainText(), "x $f!") << "the old result is not one undo away";
    std::mt19937 random(12);
    const QStringList pieces{"$", "!", "a", "Ab", "\n", "\r\n", "$f!", "\t", "\xC3\xA9", " "};
    Pane edited(RandomText(random, pieces, 400));
    for (int step = 0; step < 300; ++step) {
        QTextCursor cursor(&edited.document());
        const int size = edited.document().characterCount() - 1;
        cursor.setPosition(std::uniform_int_distribution<int>(0, size)(random));
        cursor.setPosition(std::uniform_int_distribution<int>(0, size)(random), QTextCursor::KeepAnchor);
        switch (step % 6) {
        case 0: cursor.insertText(RandomText(random, pieces, 6)); break;
        case 1: cursor.removeSelectedText(); break;
        case 2: edited.document().undo(); break;
        case 3: edited.document().redo(); break;
        case 4: edited.document().substitute("$F!", RandomText(random, pieces, 3)); break;
        case 5: edited.view.setTextCursor(cursor); QTest::keyClick(&edited.view, Qt::Key_Return); break;
        }
        ASSERT_EQ(edited.document().text(), edited.documentText()) << "step " << step;
    }
    edited.view.showResult(edited.document().text());
    EXPECT_EQ(edited.painted(), Pane(edited.documentText()).painted());
    EXPECT_FALSE(edited.painted().contains(u'?'));
}

TEST(Substitution, ReplacesEveryCaseOnceAndRecoloursWhatTheValueMakesOrBreaks)
{
    const struct { const char *text, *marker, *value, *painted; qsizetype replaced; } cases[] = {
        {"x=$name!; y=$NAME!\n$Other!", "$Name!", "Id", "x=Id; y=Id\n<$Other!>", 2},
        {"$f!1 $g! $F!2 $g!", "$f!", "LONGER", "LONGER1 <$g!> LONGER2 <$g!>", 2}, {"$e!", "$zz!", "x", "<$e!>", 0},
        {"$a! and $A!", "$a!", "[$a!]", "[<$a!>] and [<$a!>]", 2}, // inserted text is never searched again
        {"a$f!b\n$f!", "$f!", "", "ab\n", 2}, {"a$f!b", "$f!", "1\r\n2", "a1\n2b", 1},
        // Taking or giving a "!" moves the spans of the "$"s around it.
        {"$x $f! tail! $g!", "$f!", "V", "<$x V tail!> <$g!>", 1}, {"$g! $p $f!", "$f!", "q", "<$g!> $p q", 1},
        {"a $f! b! c", "$f!", "$new", "a <$new b!> c", 1}, {"$p $f!", "$f!", "x!y", "<$p x!>y", 1},
        {"$e!$f!$g!", "$f!", "x", "<$e!>x<$g!>", 1}, {"$field!1 $g! $field!2", "$field!", "v", "v1 <$g!> v2", 2},
    };
    for (const auto& c : cases) {
        Pane pane(QString::fromUtf8(c.text));
        EXPECT_EQ(pane.document().substitute(c.marker, c.value), c.replaced) << c.text;
        EXPECT_EQ(pane.painted(), c.painted) << c.text;
        EXPECT_EQ(pane.document().text(), pane.documentText()) << c.text;
    }
    Pane pane("$a! $B! $x $b! $c! $A!");
    EXPECT_EQ(pane.document().fillFields({{"$A!", "$b!"}, {"$b!", "2"}}), 4);
    EXPECT_EQ(pane.painted(), "<$b!> 2 <$x 2 $c!> <$b!>");
    pane.document().undo();
    EXPECT_EQ(pane.view.toPlainText(), "$a! $B! $x $b! $c! $A!");
    const QString text = lines(300, "$Field%1!,\n");
    pane.view.showResult(text);
    QTextCursor reading(&pane.document());
    reading.setPosition(int(text.indexOf("$Field000250!")));
    EXPECT_EQ(pane.document().substitute("$field000150!", "Line\nbreak"), 1);
    const QString expected = QString(text).replace("$Field000150!", "Line\nbreak");
    EXPECT_EQ(pane.view.toPlainText(), expected);
    EXPECT_EQ(reading.position(), expected.indexOf("$Field000250!"));
    pane.document().undo();
    EXPECT_EQ(pane.document().text() + pane.view.toPlainText(), text + text);
    pane.document().redo();
    EXPECT_EQ(pane.document().text(), expected);
}

TEST(ResultRichText, IsWhatTheRichPaneWroteReadsBackAndALoadedBodyIsKeptByteForByteUntilTheResultIsEdited)
{
    std::mt19937 random(7);
    const QStringList pieces{"$", "!", "ab", "\n", "\\", "{", "}", "\"", "_$$$_001_$$$_", "\t", "\xC3\xA9",
                             "\xE2\x82\xAC", "\xD0\x96", "$Col!"};
    QTextCharFormat black, red;
    black.setForeground(QColor(Qt::black)), red.setForeground(QColor(Qt::red));
    for (int round = 0; round < 60; ++round) {
        const QString text = RandomText(random, pieces, 40);
        Pane pane(text);
        QTextEdit rich; // the rich pane coloured the same way: black text, red markers
        rich.document()->setDefaultFont(pane.document().defaultFont());
        QTextCursor cursor(rich.document());
        qsizetype done = 0;
        for (const TextSpan& run : pane.document().markerRunsIn(0, text.size())) {
            cursor.insertText(text.mid(done, run.start - done), black);
            cursor.insertText(text.mid(run.start, run.length), red);
            done = run.start + run.length;
        }
        cursor.insertText(text.mid(done), black);
        ASSERT_EQ(pane.document().richText(), DocumentToRtf(*rich.document())) << text.toStdString();
        Pane reloaded;
        reloaded.document().setRichText(pane.document().richText());
        EXPECT_EQ(reloaded.document().text(), text);
        EXPECT_EQ(reloaded.painted(), pane.painted());
    }
    QTextEdit plain; // text without colours is written without any
    plain.document()->setDefaultFont(QFont("Monospace", 10));
    plain.setPlainText("$a! \\ b\nc");
    EXPECT_EQ(ResultToRtf("$a! \\ b\nc", std::nullopt, QFont("Monospace", 10)), DocumentToRtf(*plain.document()));
    // As another program wrote it: bold, a size, a green word.
    const QString legacy = "{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                           "\\b bold\\b0  \\cf1 $f!\\cf2  green\\fs40  big\\par}";
    Pane pane;
    pane.document().setRichText(legacy);
    EXPECT_EQ(pane.document().text(), "bold $f! green big");
    EXPECT_EQ(pane.document().richText(), legacy);
    EXPECT_EQ(pane.painted(), "bold <$f!> green big");
    pane.document().substitute("$F!", "v");
    EXPECT_FALSE(pane.document().richText().contains("\\b ")) << "an edited result is written in our own form";
    pane.document().setRichText("{\\rtf1 $a! x\\par}");
    EXPECT_EQ(pane.painted(), "$a! x");
    pane.document().substitute("x", "y");
    EXPECT_FALSE(pane.document().richText().contains("\\cf"));
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
    const QFont fonts[] = {QFont("Monospace", 10), QFont("Odd {Name}\\", 9)};
    qsizetype otherShapesTaken = 0;
    for (int round = 0; round < 3000; ++round) {
        const QString text = RandomText(random, pieces, 30);
        const QString rtf = ResultToRtf(text, round % 3 == 0 ? std::nullopt : std::optional(MarkerRunsIn(text, 0, text.size())),
                                        fonts[round % 2]);
        const std::optional<ResultRtfText> quick = ReadResultRtf(rtf);
        ASSERT_EQ(quick.has_value(), round % 2 == 0) << "only a font name with RTF specials is left to the general reader";
        if (quick)
            ExpectSameReading(*quick, rtf);
        // A few characters removed, put in or repeated, mostly in the text after the header.
        QString changed = rtf;
        for (int edit = std::uniform_int_distribution<int>(1, 3)(random); edit > 0; --edit) {
            const qsizetype from = random() % 4 ? std::min(changed.lastIndexOf("\\fs"), changed.size() - 1) : 0;
            const qsizetype at = std::uniform_int_distribution<qsizetype>(std::max<qsizetype>(from, 0), changed.size() - 1)(random);
            switch (random() % 4) {
            case 0: changed.remove(at, 1 + random() % 3); break;
            case 1: changed.insert(at, changed.mid(at, 1 + random() % 8)); break;
            default: changed.insert(at, hostile[random() % hostile.size()]); break;
            }
        }
        if (const std::optional<ResultRtfText> read = ReadResultRtf(changed); read && ++otherShapesTaken)
            ExpectSameReading(*read, changed);
    }
    EXPECT_GT(otherShapesTaken, 300) << "the edits should often keep the shape";
}

} // namespace
