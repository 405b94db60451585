#include "BodyChanges.h"
#include "PaneLooks.h"
#include "PaneRichText.h"
#include "RandomText.h"
#include "TemplateBody.h"
#include "TemplatePaneText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Pieces that stress escaping: RTF specials, body-file tokens, quotes, code page edges.
const QStringList kPieces{
    "$", "\\", "{", "}", "\"", "'", "!", "[", "]", "|", "a", "Z", "0", " ", "\t", "\n", QString(QChar(0x2028)),
    "é", "ü", "ß", "€", "Ж", "日本", "😀", QString(QChar(0x00A0)), QString(QChar(0xFFFD)), kPaneSeparator,
    "_$$$_002_$$$_", "\\par", "\\'24", "{\\rtf1", "SELECT * FROM ", "$Field0001!", QString(QChar(0)), "\x01", "\x08",
    "\x0b", "\x0c", "\x1b", "\x1f",
};

void Fill(QTextEdit& pane, std::mt19937& random)
{
    static const QList<QColor> colours{QColor(0, 0, 0), QColor(0, 0, 255), QColor(255, 0, 0), QColor(12, 200, 7)};
    auto chance = [&](int in) { return random() % in == 0; };
    pane.clear();
    pane.document()->setDefaultFont(QFont("DejaVu Sans Mono", 10));
    QTextCursor cursor(pane.document());
    for (int runs = 1 + random() % 24; runs > 0; --runs) {
        QTextCharFormat format;
        if (const qsizetype colour = random() % (colours.size() + 1); colour < colours.size())
            format.setForeground(colours[colour]);
        format.setFontWeight(chance(4) ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chance(4));
        format.setFontUnderline(chance(4));
        if (chance(4))
            format.setFontPointSize((6 + random() % 24) / 2.0);
        cursor.insertText(RandomText(random, kPieces, 7), format);
    }
}

TEST(RtfRoundTrip, RandomColouredTextsParagraphEndsAndLongTextsComeBackAndWriteBackTheSame)
{
    std::mt19937 random(20240611);
    QTextEdit source, copy;
    for (int round = 0; round < 300; ++round) {
        Fill(source, random);
        const QString rtf = PaneRichText(source);
        SCOPED_TRACE(rtf.toStdString());
        for (const QChar c : rtf)
            ASSERT_TRUE((c.unicode() >= 0x20 && c.unicode() < 0x7F) || c == u'\r' || c == u'\n');
        ASSERT_FALSE(rtf.contains(kPaneSeparator) || rtf.contains("_$$$_002_$$$_"));
        ASSERT_FALSE(rtf.contains(u'"')) << "the body file would need quote tokens";
        // Both panes in one body file, read back with the line break the store adds at its end.
        const TemplateBody body = SplitBody(JoinBody(rtf, rtf) + "\r\n");
        ASSERT_TRUE(body.complete && body.templateRichText == rtf);
        copy.document()->setDefaultFont(source.document()->defaultFont());
        SetPaneRichText(copy, body.resultRichText);
        ASSERT_EQ(Looks(*copy.document()), Looks(*source.document()));
        ASSERT_EQ(PaneRichText(copy), rtf) << "writing what was read must not drift";
    }
    QString lines;
    for (int line = 1; line <= 250; ++line)
        lines += QString("line %1\n").arg(line);
    for (const QString& text : {QString(), QString("\n"), QString("\n\nabc\n\n"), QString("a\n"), lines}) {
        QTextEdit plain, plainCopy;
        plain.setPlainText(text);
        const QString rtf = PaneRichText(plain);
        SetPaneRichText(plainCopy, rtf);
        EXPECT_EQ(plainCopy.toPlainText(), text);
        EXPECT_EQ(PaneRichText(plainCopy), rtf);
    }
}

// Our RTF as other programs read it: unrtf's HTML keeps both the text and the colours.
TEST(RtfOtherReaders, GetTheHeaderTheyNeedAndUnrtfReadsTheSameTextAndColours)
{
    const QList<std::pair<QString, QColor>> runs{
        {"INSERT INTO ", QColor(0, 0, 0)}, {"$Table!", QColor(255, 0, 0)}, {" (\n", QColor(0, 0, 0)},
        {"[(", QColor(0, 0, 255)},         {"$Col!", QColor(255, 0, 0)},   {"|1|n)]", QColor(0, 0, 255)},
        {") -- \"q\" {a} \\ _$$$_001_$$$_", QColor(0, 0, 0)},
    };
    QTextEdit pane;
    pane.document()->setDefaultFont(QFont("Courier New", 10));
    QTextCursor cursor(pane.document());
    QString plain;
    for (const auto& [text, colour] : runs) {
        QTextCharFormat format;
        format.setForeground(colour);
        cursor.insertText(text, format);
        plain += text;
    }
    const QString written = PaneRichText(pane);
    EXPECT_EQ(written, "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n"
                       "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                       "\\uc1\\pard\\plain\\f0\\fs20 \\cf1 INSERT INTO \\cf2 \\'24Table!\\cf1  (\\par\r\n"
                       "\\cf3 [(\\cf2 \\'24Col!\\cf3 |1|n)]\\cf1 ) -- \\'22q\\'22 \\{a\\} \\\\ _\\'24\\'24\\'24_001_\\'24\\'24\\'24_\\par\r\n}");
    if (QStandardPaths::findExecutable("unrtf").isEmpty())
        GTEST_SKIP() << "unrtf is not installed";
    QProcess unrtf;
    unrtf.start("unrtf", {"--html", "/dev/stdin"});
    unrtf.write(written.toLatin1());
    unrtf.closeWriteChannel();
    unrtf.waitForFinished(30000);
    const QString html = QString::fromUtf8(unrtf.readAllStandardOutput());
    QString text = html.mid(html.indexOf("<body>"));
    text.replace(QRegularExpression("<br>\\s*"), "\n").remove(QRegularExpression("<[^>]*>"));
    text.replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
    EXPECT_EQ(text.trimmed(), plain);
    for (const auto& [run, colour] : runs) // unrtf writes line breaks and quotes as markup
        EXPECT_TRUE(run.contains('\n') || run.contains('"') || html.contains("<font color=\"" + colour.name() + "\">" + run + "</font>"))
            << run.toStdString();
}

// RTF as Windows' rich edit controls write it (line breaks CR LF), and text that is not RTF at all.
TEST(RtfRichEditSamples, ReadTheTextColoursAndFormattingAWindowsProgramMeant)
{
    // text: every line break as \u2028; colours: nullptr when not compared
    const struct { const char* rtf; QString text; const char* colours; } cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
         "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
         "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 Caf\\'e9 "
         "\\cf1 [(\\cf2 $Col!\\cf1 |1|n)]\\cf3  \\u8364?5\\par\r\n\\cf2 $X!\\cf0\\par\r\n}\r\n",
         QString::fromUtf8("Café [($Col!|1|n)] €5\u2028$X!"), ".....bbrrrrrbbbbbbkkk\nrrr"},
        // The VB6 rich text box: no empty first colour, \plain before every run.
        {"{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}}\r\n"
         "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\r\n"
         "\\deflang1033\\pard\\plain\\f0\\fs17\\cf1 [(\\plain\\f0\\fs17\\cf2 $F!\\plain\\f0\\fs17\\cf1 |1|2)]"
         "\\plain\\f0\\fs17 \\par\r\n\\plain\\f0\\fs17 x\\par\r\n}\r\n",
         QString::fromUtf8("[($F!|1|2)]\u2028x"), "bbrrrbbbbbb\nk"},
        // \u26085 swallows \'93 as its fallback; \line stays inside the paragraph.
        {"{\\rtf1\\ansi\\uc1 a\\tab b\\line c\\\\\\{\\}\\'80\\'E9\\u1046?\\uc2\\u1046\\'3f\\'3fz\\uc1\\u-10179?\\u-8704?"
         "\\u26085\\'93\\'fa\\emdash\\~.}",
         QString::fromUtf8("a\tb\u2028c\\{}€éЖЖz😀日ú—\u00A0."), nullptr},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Courier;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}"
         "{\\*\\unknowndest {nested} text}\\frobnicate42 a{\\*\\bkmkstart x}b\\madeup c"
         "{\\pict\\wmetafile8 0102ff}d\\bin3 xyze}", "abcde", nullptr},
        {"{\\rtf1 a\\par}\r\ntrailing}", "a", nullptr},
        {"{\\rtf1 {a\\par b", QString::fromUtf8("a\u2028b"), nullptr},
        {"a{\\b x}\r\nb\rc\nd", QString::fromUtf8("a{\\b x}\u2028b\u2028c\u2028d"), ".......\n.\n.\n."},
        {"\r\n", QString::fromUtf8("\u2028"), nullptr}, // a new template's result pane as a body file read gives it
    };
    for (const auto& c : cases) {
        QTextEdit pane;
        pane.document()->setDefaultFont(QFont("DejaVu Sans Mono", 10));
        SetPaneRichText(pane, QString::fromLatin1(c.rtf));
        EXPECT_EQ(pane.document()->toRawText(), c.text) << c.rtf;
        EXPECT_EQ(c.colours ? ColourMap(*pane.document()) : QString(), QString(c.colours)) << c.rtf;
        if (c.text.startsWith("[($F!")) {
            EXPECT_EQ(Looks(*pane.document()).at(0).pointSize, 8.5) << "\\fs17";
        }
    }
    QTextEdit pane;
    SetPaneRichText(pane, "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\pard\\fs20 "
                          "{\\b b}{\\i i}\\ul u\\ulnone n\\fs28 L\\plain p{\\cf1\\b\\i x}y}");
    ASSERT_EQ(pane.toPlainText(), "biunLpxy");
    const QList<CharLook> looks = Looks(*pane.document());
    EXPECT_TRUE(looks[0].bold && !looks[0].italic && looks[1].italic && !looks[1].bold);
    EXPECT_TRUE(looks[2].underline && !looks[3].underline);
    EXPECT_EQ(looks[4].pointSize, 14);
    EXPECT_EQ(looks[5], (CharLook{QChar('p')})) << "\\plain resets everything";
    EXPECT_TRUE(looks[6].bold && looks[6].italic && looks[6].colour == qRgb(255, 0, 0));
    EXPECT_EQ(looks[7], (CharLook{QChar('y')}));
}

using Pane = BodyChanges::Pane;

TEST(TemplateBody, SplitsAroundTheSeparatorKeepingWhatCouldBeReadAndIsWrittenWhenEitherPaneDiffers)
{
    const QString sep = kPaneSeparator;
    const struct { QString stored, templateText, resultText; bool complete; } cases[] = {
        {"T" + sep + "R\r\n", "T", "R\r\n", true},
        {"T" + sep + "R" + sep + "lost", "T", "R", true}, // parts after a second separator are dropped
        {JoinBody("a", "b"), "a", "b", true},
        {StoredBodyText(sep + "\r\n"), "", "", true}, // a new template's body as the store reads it
        {"{\\rtf1 half a templ", "{\\rtf1 half a templ", "", false},
    };
    for (const auto& c : cases) {
        const TemplateBody body = SplitBody(c.stored);
        EXPECT_EQ(QStringList({body.templateRichText, body.resultRichText}), QStringList({c.templateText, c.resultText}));
        EXPECT_EQ(body.complete, c.complete) << c.stored.toStdString();
    }
    EXPECT_EQ(StoredBodyText("T" + sep + "R\r\n\r\n"), "T" + sep + "R\r\n");
    EXPECT_EQ(StoredBodyText("no break"), "no break");
    // Only touched panes are read; what they read decides whether the body is written.
    const struct { QList<Pane> touched; QString templateNow, resultNow; bool differs; } edits[] = {
        {{}, "changed", "changed", false},          {{Pane::Template, Pane::Result}, "T", "R", false},
        {{Pane::Template}, "T2", "R", true},        {{Pane::Template}, "t", "R", true}, // letter case alone
        {{Pane::Result}, "T", "R2", true},          {{Pane::Result}, "T", "", true},
    };
    for (const auto& c : edits) {
        BodyChanges changes;
        changes.setStored("key2", {"T", "R"});
        for (Pane pane : c.touched)
            changes.touch(pane);
        QList<Pane> read;
        const BodyChanges::Texts now = changes.current([&](Pane pane) {
            read << pane;
            return pane == Pane::Template ? c.templateNow : c.resultNow;
        });
        EXPECT_EQ(changes.differs(now), c.differs) << c.templateNow.toStdString() << "/" << c.resultNow.toStdString();
        EXPECT_EQ(read, c.touched) << "an untouched pane is never read";
    }
}

TEST(TemplatePaneText, KeepsNoBreakSpacesAndEndsEveryKindOfLineWithALineFeed)
{
    QTextDocument document;
    document.setPlainText(QString::fromUtf8("a\u00A0b\u2007\u2028c\nd"));
    EXPECT_EQ(TemplatePaneText(document), QString::fromUtf8("a\u00A0b\u2007\nc\nd"));
}

} // namespace
