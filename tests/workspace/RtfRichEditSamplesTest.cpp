#include "PaneRichText.h"
#include "PaneLooks.h"

#include <QTextEdit>
#include <gtest/gtest.h>

// RTF as Windows' rich edit controls write it (typed by hand, line breaks CR LF).
namespace {

class RtfRichEditSamples : public testing::Test
{
protected:
    RtfRichEditSamples() { pane.document()->setDefaultFont(QFont("DejaVu Sans Mono", 10)); }

    void load(const char* rtf) { SetPaneRichText(pane, QString::fromLatin1(rtf)); }
    QString text() const { return pane.toPlainText(); }
    QString colours() const { return ColourMap(*pane.document()); }
    CharLook look(int index) const { return Looks(*pane.document()).at(index); }

    QTextEdit pane;
};

TEST_F(RtfRichEditSamples, RichEdit2WithColourTableAndCodePageEscapes)
{
    load("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
         "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
         "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 Caf\\'e9 "
         "\\cf1 [(\\cf2 $Col!\\cf1 |1|n)]\\cf3  \\u8364?5\\par\r\n"
         "\\cf2 $X!\\cf0\\par\r\n}\r\n");
    EXPECT_EQ(text(), QString::fromUtf8("Café [($Col!|1|n)] €5\n$X!"));
    EXPECT_EQ(colours(), ".....bbrrrrrbbbbbbkkk\nrrr");
}

TEST_F(RtfRichEditSamples, RichEdit1ColourTableStartsWithARealColour)
{
    // The VB6 rich text box: no empty first entry, \plain before every run, \fs17.
    load("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}}\r\n"
         "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\r\n"
         "\\deflang1033\\pard\\plain\\f0\\fs17\\cf1 [(\\plain\\f0\\fs17\\cf2 $F!\\plain\\f0\\fs17\\cf1 |1|2)]"
         "\\plain\\f0\\fs17 \\par\r\n\\plain\\f0\\fs17 x\\par\r\n}\r\n");
    EXPECT_EQ(text(), "[($F!|1|2)]\nx");
    EXPECT_EQ(colours(), "bbrrrbbbbbb\nk");
    EXPECT_EQ(look(0).pointSize, 8.5);
}

TEST_F(RtfRichEditSamples, CharacterFormattingIsScopedByGroupsAndPlain)
{
    load("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\pard\\fs20 "
         "{\\b b}{\\i i}\\ul u\\ulnone n\\fs28 L\\plain p{\\cf1\\b\\i x}y}");
    EXPECT_EQ(text(), "biunLpxy");
    const QList<CharLook> looks = Looks(*pane.document());
    EXPECT_TRUE(looks[0].bold && !looks[0].italic);
    EXPECT_TRUE(looks[1].italic && !looks[1].bold);
    EXPECT_TRUE(looks[2].underline);
    EXPECT_FALSE(looks[3].underline);
    EXPECT_EQ(looks[4].pointSize, 14);
    EXPECT_EQ(looks[5], (CharLook{QChar('p')})) << "\\plain resets everything";
    EXPECT_TRUE(looks[6].bold && looks[6].italic && looks[6].colour == qRgb(255, 0, 0));
    EXPECT_EQ(looks[7], (CharLook{QChar('y')}));
}

TEST_F(RtfRichEditSamples, SpecialCharactersAndUnicodeFallbacks)
{
    load("{\\rtf1\\ansi\\uc1 a\\tab b\\line c\\\\\\{\\}\\'80\\'E9"
         "\\u1046?\\uc2\\u1046\\'3f\\'3fz\\uc1\\u-10179?\\u-8704?"
         "\\u26085\\'93\\'fa\\emdash\\~.}");
    // \u26085 swallows \'93 as its fallback; \line stays inside the paragraph.
    EXPECT_EQ(pane.document()->toRawText(), QString::fromUtf8("a\tb\u2028c\\{}€éЖЖz😀日ú—\u00A0."));
}

TEST_F(RtfRichEditSamples, SkippedDestinationsAndUnknownWords)
{
    load("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}"
         "{\\*\\unknowndest {nested} text}\\frobnicate42 a{\\*\\bkmkstart x}b\\madeup c"
         "{\\pict\\wmetafile8 0102ff}d\\bin3 xyze}");
    EXPECT_EQ(text(), "abcde");
}

TEST_F(RtfRichEditSamples, TextAfterTheClosingBraceAndUnbalancedBracesAreHarmless)
{
    load("{\\rtf1 a\\par}\r\ntrailing}");
    EXPECT_EQ(text(), "a");
    load("{\\rtf1 a}}}{b");
    EXPECT_EQ(text(), "a");
    load("{\\rtf1 {a\\par b");
    EXPECT_EQ(text(), "a\nb");
}

TEST_F(RtfRichEditSamples, TextThatIsNotRtfIsPlainText)
{
    load("a{\\b x}\r\nb\rc\nd");
    EXPECT_EQ(text(), "a{\\b x}\nb\nc\nd");
    EXPECT_EQ(colours(), ".......\n.\n.\n.");
    // A new template's result pane: the line break a body file read adds.
    load("\r\n");
    EXPECT_EQ(text(), "\n");
    load("");
    EXPECT_EQ(text(), "");
}

} // namespace
