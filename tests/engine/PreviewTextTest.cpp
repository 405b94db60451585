#include "PreviewText.h"

#include <gtest/gtest.h>

namespace {
BoundAnswers answersOf(std::initializer_list<std::pair<const char*, const char*>> given)
{
    BoundAnswers answers;
    for (const auto& [name, answer] : given)
        answers.Set(QString::fromLatin1(name), QString::fromLatin1(answer));
    return answers;
}
} // namespace

TEST(PreviewText, KeepsTheFirstLinesAndCountsTheRest)
{
    const struct { const char* text; qsizetype lines; const char* shown; } cases[] = {
        {"a\nb\nc\n", 3, "a\nb\nc\n"},
        {"a\nb\nc", 3, "a\nb\nc"},
        {"a\nb\nc\n", 2, "a\nb\n\u2026 and 1 more line"},
        {"a\nb\nc\nd", 1, "a\n\u2026 and 3 more lines"},
        {"a\n\n\n", 1, "a\n\u2026 and 2 more lines"},
        {"", 5, ""},
        {"a\nb", 0, "\u2026 and 2 more lines"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstLines(QString::fromUtf8(c.text), c.lines), QString::fromUtf8(c.shown)) << c.text;
}

TEST(PreviewText, ExpandsWithTheBarsNumbersOrSaysWhereTheTemplateGoesWrong)
{
    const struct { const char* text; BoundAnswers answers; bool compact; const char* shown; bool markers; QStringList names; } cases[] = {
        {"[(x$f!|1|n)]", answersOf({{"n", "2"}}), false, "x$f0001!\nx$f0002!\n", true, {"n"}},
        {"[(a|1|n)(b|1|M)]", answersOf({{"N", "1"}, {"m", "2"}}), true, "abb", true, {"n", "M"}},
        {"[(a|1|n)]", {}, false, "a\n", true, {"n"}},
        {"no groups $f!", {}, false, "no groups $f!", false, {}},
        {"[(a|1|n)]", answersOf({{"n", "x"}}), false, "", true, {"n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const PreviewText preview = ExpandForPreview(QString::fromUtf8(c.text), c.compact, c.answers);
        EXPECT_EQ(preview.text, QString::fromUtf8(c.shown));
        EXPECT_EQ(preview.markers, c.markers);
        EXPECT_EQ(preview.boundNames, c.names);
        EXPECT_FALSE(preview.parseFailed);
        EXPECT_FALSE(preview.reason);
    }

    const PreviewText failed = ExpandForPreview(QStringLiteral("ab\n  [(a|1|2"), false, {});
    EXPECT_TRUE(failed.parseFailed);
    EXPECT_EQ(failed.errorOffset, 6);
    EXPECT_EQ(failed.text, QStringLiteral("line 2, column 4: group opened at line 2, column 4 is not closed"));
    EXPECT_FALSE(failed.markers);
    EXPECT_TRUE(failed.reason);

    // A long expansion is cut at the line cap; one nobody wants any more stops with nothing.
    const QString many = QStringLiteral("[(row|1|n)]");
    EXPECT_EQ(ExpandForPreview(many, false, answersOf({{"n", "100000"}}), {}, 2).text,
              QStringLiteral("row\nrow\n\u2026 and 99998 more lines"));
    int asked = 0;
    const PreviewText dropped = ExpandForPreview(many, false, answersOf({{"n", "100000"}}), [&] { return ++asked < 2; });
    EXPECT_TRUE(dropped.text.isEmpty());
    EXPECT_GE(asked, 2);
}
