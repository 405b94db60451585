#include "BodyChanges.h"
#include "RandomText.h"
#include "TemplateBody.h"
#include "TemplatePaneText.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

TEST(BodySplit, PartsAroundTheSeparatorKeepingWhatCouldBeRead)
{
    const QString sep = kPaneSeparator;
    const struct { QString stored, templateText, resultText; bool complete; } cases[] = {
        {"T" + sep + "R\r\n", "T", "R\r\n", true},
        {"T" + sep + "R" + sep + "lost", "T", "R", true}, // parts after a second separator are dropped
        {JoinBody("a", "b"), "a", "b", true},
        {StoredBodyText(sep + "\r\n"), "", "", true}, // a new template's body as the store reads it
        {QString(), "", "", false},
        {"{\\rtf1 half a templ", "{\\rtf1 half a templ", "", false},
    };
    for (const auto& c : cases) {
        const TemplateBody body = SplitBody(c.stored);
        EXPECT_EQ(QStringList({body.templateRichText, body.resultRichText}), QStringList({c.templateText, c.resultText}));
        EXPECT_EQ(body.complete, c.complete) << c.stored.toStdString();
    }
    EXPECT_EQ(StoredBodyText("T" + sep + "R\r\n\r\n"), "T" + sep + "R\r\n");
    EXPECT_EQ(StoredBodyText("no break"), "no break");
}

using Pane = BodyChanges::Pane;

// Only touched panes are read; what they read decides whether the body is written.
TEST(BodyChanges, WrittenWhenEitherPaneDiffersFromWhatWasStoredAndNeverOtherwise)
{
    const struct { QList<Pane> touched; QString templateNow, resultNow; bool differs; } cases[] = {
        {{}, "changed", "changed", false},          {{Pane::Template, Pane::Result}, "T", "R", false},
        {{Pane::Template}, "T2", "R", true},        {{Pane::Template}, "t", "R", true}, // letter case alone
        {{Pane::Result}, "T", "R2", true},          {{Pane::Result}, "T", "", true},
    };
    for (const auto& c : cases) {
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

TEST(TemplatePaneText, KeepsEveryCharacterAndEndsLinesWithLineFeeds)
{
    const QStringList pieces{"a", "7", QString(QChar::Nbsp), QString(QChar(0x2007)), "\t", "\n",
                             QString(QChar::LineSeparator), "[(", "|1|n)]", "$F!", QString::fromUtf8("\u20AC"), " "};
    std::mt19937 random(11);
    QTextDocument document;
    for (int i = 0; i < 500; ++i) {
        const QString typed = RandomText(random, pieces, 12);
        document.setPlainText(typed);
        ASSERT_EQ(TemplatePaneText(document), QString(typed).replace(QChar::LineSeparator, u'\n')) << typed.toStdString();
    }
}

} // namespace
