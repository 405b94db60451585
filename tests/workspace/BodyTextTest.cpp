#include "BodyChanges.h"
#include "PaneRichText.h"
#include "RandomText.h"
#include "TemplatePaneText.h"
#include "TemplateBody.h"

#include <QTextDocument>
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

using Pane = BodyChanges::Pane;

// Only touched panes are read; what they read decides whether the body is written.
TEST(BodyChanges, WrittenWhenEitherPaneDiffersFromWhatWasStoredAndNeverOtherwise)
{
    struct Case
    {
        const char* what;
        QList<Pane> touched;
        QString templateNow;
        QString resultNow;
        bool differs;
    };
    const Case cases[] = {
        {"nothing touched", {}, "changed", "changed", false},
        {"touched, same text", {Pane::Template, Pane::Result}, "T", "R", false},
        {"template edited", {Pane::Template}, "T2", "R", true},
        {"letter case only", {Pane::Template}, "t", "R", true},
        {"result written by Run", {Pane::Result}, "T", "R2", true},
        {"substitution into the result", {Pane::Result}, "T", "", true},
    };
    for (const Case& c : cases) {
        BodyChanges changes;
        changes.setStored("key2", {"T", "R"});
        for (Pane pane : c.touched)
            changes.touch(pane);
        QList<Pane> read;
        const BodyChanges::Texts now = changes.current([&](Pane pane) {
            read << pane;
            return pane == Pane::Template ? c.templateNow : c.resultNow;
        });
        EXPECT_EQ(changes.differs(now), c.differs) << c.what;
        EXPECT_EQ(read, c.touched) << c.what << ": an untouched pane is never read";
        EXPECT_EQ(changes.key(), "key2");
    }
}

TEST(BodyChanges, ASaveOrALoadIsTheNewBaseAndTheWarningComesOncePerChange)
{
    BodyChanges changes;
    changes.setStored(QString(), {"", "R"});
    changes.touch(Pane::Template);
    EXPECT_TRUE(changes.takeUnsavedWarning());
    EXPECT_FALSE(changes.takeUnsavedWarning()) << "leaving the pane again says nothing new";
    changes.touch(Pane::Template);
    EXPECT_TRUE(changes.takeUnsavedWarning()) << "a further edit is told again";

    const auto read = [](Pane pane) { return pane == Pane::Template ? QString("typed") : QString("R"); };
    ASSERT_TRUE(changes.differs(changes.current(read)));
    changes.setStored("key3", changes.current(read));
    EXPECT_EQ(changes.key(), "key3");
    EXPECT_FALSE(changes.differs(changes.current([](Pane) { return QString("never read"); })));
}

TEST(TemplatePaneText, KeepsEveryCharacterAndEndsLinesWithLineFeeds)
{
    const QString nbsp(QChar::Nbsp);
    const QStringList pieces{"a", "7", nbsp, QString(QChar(0x2007)), "\t", "\n", QString(QChar::LineSeparator),
                             "[(", "|1|n)]", "$F!", QString::fromUtf8("\u20AC"), " "};
    std::mt19937 random(11);
    QTextDocument document;
    for (int i = 0; i < 500; ++i) {
        const QString typed = RandomText(random, pieces, 12);
        document.setPlainText(typed);
        QString expected = typed;
        expected.replace(QChar::LineSeparator, u'\n');
        ASSERT_EQ(TemplatePaneText(document), expected) << typed.toStdString();
    }
    document.setPlainText("x" + nbsp);
    EXPECT_NE(document.toPlainText(), TemplatePaneText(document)) << "toPlainText turns no-break spaces into spaces";
}

} // namespace
