#include "PaneRichText.h"
#include "RtfTestLooks.h"
#include "TemplateBody.h"

#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

TEST(BodySplit, PartsAroundTheSeparator)
{
    const TemplateBody body = SplitBody("T" + kPaneSeparator + "R\r\n");
    EXPECT_EQ(body.templateRichText, "T");
    EXPECT_EQ(body.resultRichText, "R\r\n");
    EXPECT_TRUE(body.complete);

    const TemplateBody more = SplitBody("T" + kPaneSeparator + "R" + kPaneSeparator + "lost");
    EXPECT_EQ(more.templateRichText, "T");
    EXPECT_EQ(more.resultRichText, "R") << "parts after the second separator are dropped";

    EXPECT_EQ(SplitBody(JoinBody("a", "b")).resultRichText, "b");
}

TEST(BodySplit, OnlyTheLineBreakTheStoreAddsIsDropped)
{
    EXPECT_EQ(StoredBodyText("T" + kPaneSeparator + "R\r\n\r\n"), "T" + kPaneSeparator + "R\r\n");
    EXPECT_EQ(StoredBodyText("no break"), "no break");
    const TemplateBody fresh = SplitBody(StoredBodyText(kPaneSeparator + "\r\n"));
    ASSERT_TRUE(fresh.complete);
    EXPECT_EQ(fresh.templateRichText, "");
    EXPECT_EQ(fresh.resultRichText, "");
}

TEST(BodySplit, UnreadableOrSeparatorlessBodyKeepsWhatCouldBeRead)
{
    const TemplateBody failed = SplitBody(QString());
    EXPECT_FALSE(failed.complete);
    EXPECT_EQ(failed.templateRichText, "");
    EXPECT_EQ(failed.resultRichText, "");

    const TemplateBody cut = SplitBody("{\\rtf1 half a templ");
    EXPECT_FALSE(cut.complete);
    QTextEdit source;
    SetPaneRichText(source, cut.templateRichText);
    EXPECT_EQ(source.toPlainText(), "half a templ");
    EXPECT_EQ(cut.resultRichText, "");
}

TEST(BodySplit, PaneTextHoldingTheSeparatorIsNoLongerCut)
{
    QTextEdit source, target, loadedSource, loadedTarget;
    source.setPlainText("a" + kPaneSeparator + "b \"_$$$_002_$$$_\"");
    target.setPlainText(kPaneSeparator);
    const TemplateBody body = SplitBody(JoinBody(PaneRichText(source), PaneRichText(target)) + "\r\n");
    SetPaneRichText(loadedSource, body.templateRichText);
    SetPaneRichText(loadedTarget, body.resultRichText);
    EXPECT_EQ(loadedSource.toPlainText(), source.toPlainText());
    EXPECT_EQ(loadedTarget.toPlainText(), kPaneSeparator);
}

// A body as the Windows edition reads it back from its file: the template pane's and the
// result pane's TextRTF around the separator, the quote token already turned back into
// double quotes, and the CR LF the read adds.
TEST(LegacyBody, LoadsIntoTheSamePaneTextsAndColours)
{
    const QString body = QString::fromLatin1(
        "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
        "{\\f2\\fmodern Courier New;}}\r\n"
        "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\r\n"
        "\\deflang1033\\pard\\plain\\f2\\fs20 INSERT INTO \\plain\\f2\\fs20\\cf2 $Table!\\plain\\f2\\fs20  (\r\n"
        "\\par \\plain\\f2\\fs20\\cf1 [(\\plain\\f2\\fs20\\cf2 $Col!\\plain\\f2\\fs20\\cf1 |1|n)(,|1|n-1)]"
        "\\plain\\f2\\fs20 ) -- \"caf\\'e9\"\r\n\\par }\r\n"
        "_$$$_001_$$$_"
        "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\fmodern Courier New;}}\r\n"
        "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
        "\\deflang1033\\pard\\plain\\f1\\fs20 INSERT INTO \\plain\\f1\\fs20\\cf1 $Table!\\plain\\f1\\fs20  (\r\n"
        "\\par \\plain\\f1\\fs20\\cf1 $Col0001!\\plain\\f1\\fs20 ,\r\n"
        "\\par \\plain\\f1\\fs20\\cf1 $Col0002!\\plain\\f1\\fs20 \r\n"
        "\\par }\r\n"
        "\r\n");
    const TemplateBody parts = SplitBody(body);
    ASSERT_TRUE(parts.complete);
    QTextEdit source, target;
    SetPaneRichText(source, parts.templateRichText);
    SetPaneRichText(target, parts.resultRichText);

    EXPECT_EQ(source.toPlainText(), QString::fromUtf8("INSERT INTO $Table! (\n[($Col!|1|n)(,|1|n-1)]) -- \"café\""));
    EXPECT_EQ(ColourMap(*source.document()),
              "kkkkkkkkkkkkrrrrrrrkk\nbbrrrrrbbbbbbbbbbbbbbbkkkkkkkkkkk");
    EXPECT_EQ(target.toPlainText(), "INSERT INTO $Table! (\n$Col0001!,\n$Col0002!");
    EXPECT_EQ(ColourMap(*target.document()), "kkkkkkkkkkkkrrrrrrrkk\nrrrrrrrrrk\nrrrrrrrrr");
}

} // namespace
