#include "PaneRichText.h"
#include "PaneLooks.h"
#include "RtfWriter.h"
#include "TemplateBody.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Pieces that stress escaping: RTF specials, body-file tokens, quotes, code page edges.
const QStringList kPieces{
    "$",  "\\", "{",  "}",  "\"", "'",  "!",  "[",  "]",  "|",  "a",  "Z",  "0",  " ",
    "\t", "\n", QString(QChar(0x2028)), "é", "ü", "ß", "€", "Ж", "日本", "😀",
    QString(QChar(0x00A0)), QString(QChar(0xFFFD)), kPaneSeparator, "_$$$_002_$$$_", "\\par", "\\'24",
    "{\\rtf1", "SELECT * FROM ", "$Field0001!", QString(QChar(0)), "\x01", "\x08", "\x0b", "\x0c", "\x1b", "\x1f",
};

QString RandomText(QRandomGenerator& random, int pieces)
{
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += kPieces[random.bounded(int(kPieces.size()))];
    return text;
}

QTextCharFormat RandomFormat(QRandomGenerator& random)
{
    static const QList<QColor> colours{QColor(0, 0, 0), QColor(0, 0, 255), QColor(255, 0, 0),
                                       QColor(12, 200, 7)};
    QTextCharFormat format;
    const int colour = random.bounded(int(colours.size()) + 1);
    if (colour < colours.size())
        format.setForeground(colours[colour]);
    if (random.bounded(4) == 0)
        format.setFontWeight(QFont::Bold);
    if (random.bounded(4) == 0)
        format.setFontItalic(true);
    if (random.bounded(4) == 0)
        format.setFontUnderline(true);
    if (random.bounded(4) == 0)
        format.setFontPointSize(random.bounded(6, 30) / 2.0);
    return format;
}

void Fill(QTextEdit& pane, QRandomGenerator& random)
{
    pane.clear();
    QTextCursor cursor(pane.document());
    const int runs = random.bounded(1, 25);
    for (int i = 0; i < runs; ++i)
        cursor.insertText(RandomText(random, random.bounded(0, 8)), RandomFormat(random));
}

class RtfRoundTrip : public testing::Test
{
protected:
    void SetUp() override
    {
        const QFont font("DejaVu Sans Mono", 10);
        source.document()->setDefaultFont(font);
        copy.document()->setDefaultFont(font);
    }
    QTextEdit source;
    QTextEdit copy;
};

TEST_F(RtfRoundTrip, RandomColouredTextsComeBackCharacterForCharacter)
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 300; ++round) {
        Fill(source, random);
        const QString rtf = PaneRichText(source);
        SCOPED_TRACE(rtf.toStdString());

        for (const QChar c : rtf)
            ASSERT_TRUE((c.unicode() >= 0x20 && c.unicode() < 0x7F) || c == u'\r' || c == u'\n');
        ASSERT_FALSE(rtf.contains(kPaneSeparator));
        ASSERT_FALSE(rtf.contains("_$$$_002_$$$_"));
        ASSERT_FALSE(rtf.contains(u'"')) << "the body file would need quote tokens";

        SetPaneRichText(copy, rtf);
        ASSERT_EQ(copy.toPlainText(), source.toPlainText());
        ASSERT_EQ(Looks(*copy.document()), Looks(*source.document()));
        ASSERT_EQ(PaneRichText(copy), rtf) << "writing what was read must not drift";
    }
}

TEST_F(RtfRoundTrip, ParagraphEndsAtEitherEndSurvive)
{
    for (const QString& text : {QString(), QString("\n"), QString("\n\nabc\n\n"), QString("a\n")}) {
        source.setPlainText(text);
        SetPaneRichText(copy, PaneRichText(source));
        EXPECT_EQ(copy.toPlainText(), text);
    }
}

TEST_F(RtfRoundTrip, LongTextsLoadAsGroupedLinesAndWriteBackTheSame)
{
    QString text;
    for (int line = 1; line <= 250; ++line)
        text += QString("line %1\n").arg(line);
    source.setPlainText(text);
    const QString rtf = PaneRichText(source);
    SetPaneRichText(copy, rtf);
    EXPECT_EQ(copy.toPlainText(), text);
    EXPECT_EQ(copy.document()->blockCount(), 3) << "250 lines and the empty last one, 100 to a paragraph";
    EXPECT_EQ(PaneRichText(copy), rtf);
}

TEST_F(RtfRoundTrip, BodyOfBothPanesSurvivesTheBodyFileLineBreak)
{
    QRandomGenerator random(7);
    QTextEdit result;
    for (int round = 0; round < 50; ++round) {
        Fill(source, random);
        Fill(result, random);
        // Reading a body file gives the text back with a CR LF added at its end.
        const QString stored = JoinBody(PaneRichText(source), PaneRichText(result)) + "\r\n";
        const TemplateBody body = SplitBody(stored);
        ASSERT_TRUE(body.complete);
        QTextEdit loadedSource, loadedResult;
        SetPaneRichText(loadedSource, body.templateRichText);
        SetPaneRichText(loadedResult, body.resultRichText);
        ASSERT_EQ(loadedSource.toPlainText(), source.toPlainText());
        ASSERT_EQ(loadedResult.toPlainText(), result.toPlainText());
        ASSERT_EQ(ColourMap(*loadedResult.document()), ColourMap(*result.document()));
    }
}

TEST(RtfWriter, WritesWhatOtherReadersNeed)
{
    QTextEdit pane;
    pane.document()->setDefaultFont(QFont("Courier New", 10));
    QTextCursor cursor(pane.document());
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    cursor.insertText("a ");
    cursor.insertText("[x]", blue);
    const QString rtf = DocumentToRtf(*pane.document());
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red0\\green0\\blue255;}"));
    EXPECT_TRUE(rtf.contains("\\fs20 a \\cf1 [x]\\par\r\n}"));
    EXPECT_TRUE(rtf.endsWith('}'));
}

} // namespace
