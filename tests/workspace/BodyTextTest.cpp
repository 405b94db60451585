#include "PaneRichText.h"
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

} // namespace
