#include "Expansion.h"
#include "FieldNumbering.h"

#include <gtest/gtest.h>

namespace {

using Outcome = ExpansionResult::Outcome;

// Answers prompts from a list (then with the empty answer) and records what was asked.
struct Prompts
{
    QList<std::optional<QString>> answers;
    QStringList asked;

    AskValue Ask()
    {
        return [this](const QString& prompt) -> std::optional<QString> {
            asked.append(prompt);
            return asked.size() <= answers.size() ? answers[asked.size() - 1] : QString();
        };
    }
};

ExpansionResult RunTemplate(const QString& text, QList<std::optional<QString>> answers = {},
                    bool compact = false, QStringList* asked = nullptr)
{
    Prompts prompts{std::move(answers), {}};
    ExpansionResult result = GenerateResult(text, compact, prompts.Ask());
    if (asked)
        *asked = prompts.asked;
    return result;
}

QString Expand(const QString& text, QList<std::optional<QString>> answers = {}, bool compact = false)
{
    const ExpansionResult result = RunTemplate(text, std::move(answers), compact);
    EXPECT_EQ(result.outcome, Outcome::Expanded) << result.message.toStdString();
    return result.text;
}

} // namespace

TEST(Expansion, WorkedExamples)
{
    EXPECT_EQ(Expand("[(a|1|3)]"), "a\na\na\n");
    EXPECT_EQ(Expand("[(a|1|3)]", {}, true), "aaa");
    EXPECT_EQ(Expand("[(x$f!;|1|n)]", {"2"}), "x$f0001!;\nx$f0002!;\n");
    EXPECT_EQ(Expand("[(A|1|2)(B|2|3)]"), "A\nAB\nB\n");
    EXPECT_EQ(Expand("[(A|1|1)(B|3|3)]"), "A\n\nB\n");
    EXPECT_EQ(Expand("[($Field!|1|n)(,|1|n-1)]", {"3"}), "$Field0001!,\n$Field0002!,\n$Field0003!\n");
    EXPECT_EQ(Expand("[($Field!|1|n)(,|1|n-1)]", {"3"}, true), "$Field0001!,$Field0002!,$Field0003!");
    EXPECT_EQ(Expand("[(a|n-1|n+1)]", {"5", "5"}), "a\na\na\n");
    EXPECT_EQ(Expand("[($f!|n-2|1)]", {"1"}), "$f00-1!\n$f0000!\n$f0001!\n");
    EXPECT_EQ(Expand("int i;\n[(a|2|1)]"), "int i;\n");
    EXPECT_EQ(Expand("[(A|1|2)(B|1|2)]", {}, true), "ABAB");
    EXPECT_EQ(Expand("[(a|1|n)(b|1|m)]", {std::nullopt, ""}), "ab\n") << "empty or cancelled answers mean 1";
}

TEST(Expansion, NulCharactersSurviveLikeAnyOtherText)
{
    const QString nul(QChar(0));
    EXPECT_EQ(Expand("a" + nul + "b [(x" + nul + "$f!|1|2)]"),
              "a" + nul + "b x" + nul + "$f0001!\nx" + nul + "$f0002!\n");
    EXPECT_EQ(Expand(nul + QChar(0xE000) + "[(y|1|1)]"), nul + QChar(0xE000) + "y\n")
        << "the stand-in for NUL must be a character the template does not hold";
}

TEST(Expansion, CounterTextIsPaddedToFourCharacters)
{
    const QList<std::pair<qint64, const char*>> cases = {
        {7, "0007"}, {42, "0042"}, {123, "0123"}, {1234, "1234"}, {12345, "12345"}, {0, "0000"},
        {-5, "00-5"}, {-12, "0-12"}, {-123, "-123"}, {2147483647, "2147483647"},
        {-2147483648LL, "-2147483648"}};
    for (const auto& [counter, text] : cases)
        EXPECT_EQ(CounterText(counter), QString::fromLatin1(text)) << counter;
}

TEST(Expansion, PromptsOncePerNameAndPassInDocumentOrder)
{
    QStringList asked;
    RunTemplate("[($Field!|1|n)(,|1|n-1)]", {"3"}, false, &asked);
    EXPECT_EQ(asked, QStringList({"Please Enter value for: n (Default is 1)"}));

    // Lower bounds first, then upper bounds; a name is asked again in the second pass.
    RunTemplate("[(a|n-1|n+1)(b|a|N)][(c|m|b)]", {}, false, &asked);
    EXPECT_EQ(asked, QStringList({"Please Enter value for: n (Default is 1)",
                                  "Please Enter value for: a (Default is 1)",
                                  "Please Enter value for: m (Default is 1)",
                                  "Please Enter value for: n (Default is 1)",
                                  "Please Enter value for: b (Default is 1)"}));
}

TEST(Expansion, BoundsWrittenAsNumbersWithoutLeadingDigitStillPrompt)
{
    QStringList asked;
    const ExpansionResult result = RunTemplate("[(a|-1|.5)]", {"9", "9"}, false, &asked);
    EXPECT_EQ(asked, QStringList({"Please Enter value for: - (Default is 1)",
                                  "Please Enter value for: . (Default is 1)"}));
    EXPECT_EQ(result.text, "a\na\n"); // the bounds keep their written values -1 and 0
}

TEST(Expansion, PlaceholdersAreOnlyMatchedWhole)
{
    EXPECT_EQ(Expand("[(a|1|1)]5"), "a\n5");
    EXPECT_EQ(Expand("_$$$_003_$$$_0[(a|1|1)]_$$$_003_$$$_"), "_$$$_003_$$$_0a\n_$$$_003_$$$_")
        << "text that looks like a placeholder is the template's own";
    QString text = "[(a|1|1)][(b|1|1)]0";
    QString expected = "a\nb\n0";
    for (char c = 'c'; c <= 'k'; ++c) {
        text += QStringLiteral("[(%1|1|1)]").arg(c);
        expected += QStringLiteral("%1\n").arg(c);
    }
    EXPECT_EQ(Expand(text), expected);
}

TEST(Expansion, TokensEqualIgnoringCaseShareTheFirstExpansion)
{
    EXPECT_EQ(Expand("[(a|1|2)] [(A|1|2)]"), "a\na\n a\na\n");
    EXPECT_EQ(Expand("[(x|1|1)]-[(x|1|1)]"), "x\n-x\n");
}

TEST(Expansion, NumbersFieldMarkersLikeTheReplaceAllSequence)
{
    EXPECT_EQ(NumberFields("$a!=$a!", 3), "$a0003!=$a0003!");
    EXPECT_EQ(NumberFields("$a! $A!", 1), "$a0001! $a0001!");
    EXPECT_EQ(NumberFields("$a $b!", 2), "$a $b0002!");
    EXPECT_EQ(NumberFields("$a! $b", 2), "$a0002! $b");
    EXPECT_EQ(NumberFields("x$ then $b!", 2), "x$ then $b0002!");
    // The first replacement creates text the second marker matches.
    EXPECT_EQ(NumberFields("$a! $a0001!", 1), "$a00010001! $a00010001!");
    EXPECT_EQ(NumberFields("$a! $a0001!", 2), "$a0002! $a00010002!");
    EXPECT_EQ(NumberFields("no markers", 2), "no markers");
    EXPECT_EQ(Expand("[($a! $a0001!|1|2)]"), "$a00010001! $a00010001!\n$a0002! $a00010002!\n");
}

TEST(Expansion, LineBreaksInsideExpansionsAreSingleLineFeeds)
{
    EXPECT_EQ(Expand("top\r\n[(a\r\nb|1|2)]\r\nend"), "top\r\na\nb\na\nb\n\r\nend");
    // A carriage return ending a group stays before the step's line break, but pairs
    // with a line feed starting the next group.
    EXPECT_EQ(Expand("[(a\r|1|1)]"), "a\r\n");
    EXPECT_EQ(Expand("[(a\r|1|1)(\nb|1|1)]", {}, true), "a\nb");
    EXPECT_EQ(Expand("[(a\r|1|2)]", {}, true), "a\ra\r");
    EXPECT_EQ(Expand("[(\n|1|2)]"), "\n\n\n\n");
}

TEST(Expansion, TemplatesWithoutGroupsComeBackUnchangedAndMalformedOnesFail)
{
    for (const QString text : {"plain $a! text", "arr[i] = [0];", ""}) {
        const ExpansionResult result = RunTemplate(text);
        EXPECT_EQ(result.outcome, Outcome::NoGroups);
        EXPECT_EQ(result.text, text);
    }
    const ExpansionResult result = RunTemplate("[(a|1|2) ]");
    EXPECT_EQ(result.outcome, Outcome::ParseFailed);
    EXPECT_EQ(result.message, "Can't Proceed, Parser failed to parse the string.");
}

TEST(Expansion, ConversionErrorsAndOverflowStopSilently)
{
    EXPECT_EQ(RunTemplate("[(a|1|n+1)]", {"abc"}).outcome, Outcome::Stopped);
    EXPECT_EQ(RunTemplate("[(a|1|n+1)]", {"2147483647"}).outcome, Outcome::Stopped);
    EXPECT_EQ(RunTemplate("[(a|1|n-1)]", {"-2147483648"}).outcome, Outcome::Stopped);
    // A one-character bound keeps the answer as typed; converting it is the error.
    EXPECT_EQ(RunTemplate("[(a|n|3)]", {"abc"}).outcome, Outcome::Stopped);
    // ...but only when a counter step converts it.
    EXPECT_EQ(Expand("[(a|5|4)(b|9|n)]x", {"abc"}), "x");
}

TEST(Expansion, RangesEndingAtTheLargest32BitValueEnd)
{
    EXPECT_EQ(Expand("[(a|2147483646|2147483647)]"), "a\na\n");
    EXPECT_EQ(Expand("[($x!|-2147483648|-2147483647)]"), "$x-2147483648!\n$x-2147483647!\n");
    // Compact style skips the idle stretch between far-apart groups.
    EXPECT_EQ(Expand("[(a|-2147483648|-2147483648)(b|2147483647|2147483647)]", {}, true), "ab");
    EXPECT_EQ(Expand("[(|-2147483648|2147483647)]x", {}, true), "x");
}

TEST(Expansion, SizeGuardRefusesHugeResults)
{
    const ExpansionResult huge = RunTemplate("[($Field!|1|n)]", {"2000000000"});
    EXPECT_EQ(huge.outcome, Outcome::TooLarge);
    EXPECT_TRUE(huge.message.contains(QString::number(kMaxResultLength)));

    Prompts prompts{{"100"}, {}};
    EXPECT_EQ(GenerateResult("[(abcd|1|n)]", false, prompts.Ask(), 500).outcome, Outcome::Expanded);
    EXPECT_EQ(GenerateResult("[(abcd|1|n)]", false, Prompts{{"101"}, {}}.Ask(), 500).outcome,
              Outcome::TooLarge);
    // Two places showing one token count twice.
    EXPECT_EQ(GenerateResult("[(abcd|1|n)][(abcd|1|n)]", false, Prompts{{"60"}, {}}.Ask(), 500).outcome,
              Outcome::TooLarge);
    // The guard also holds where the numbering runs literally and grows past its estimate.
    EXPECT_EQ(GenerateResult("[($a! $a0001!|1|1)]", false, Prompts{}.Ask(), 22).outcome,
              Outcome::TooLarge);
    EXPECT_EQ(GenerateResult("[($a! $a0001!|1|1)]", false, Prompts{}.Ask(), 24).outcome,
              Outcome::Expanded);
}

TEST(Expansion, ParseFailuresSayWhereAndWhy)
{
    struct Case
    {
        const char* text;
        qsizetype line;
        qsizetype column;
        const char* reason;
    };
    const QList<Case> cases = {
        {"x\n[(a|1|2) ]", 2, 9, "token opened at line 2, column 1 needs \"]\" right after its last group"},
        {"x\n[(a|1|2)", 2, 9, "token opened at line 2, column 1 needs \"]\""},
        {"ab\n  [(a|1|2", 2, 4, "group opened at line 2, column 4 is not closed"},
        {"[(a|1)]", 1, 2, "group opened at line 1, column 2 has only one \"|\""},
        {"[(a\nb|1|2)(c", 2, 7, "group opened at line 2, column 7 has no \"|\""},
        {"[(a|x1|2)]", 1, 5, "the lower bound \"x1\" of the group opened at line 1, column 2 is not"},
        {"[(a||2)]", 1, 5, "the lower bound of the group opened at line 1, column 2 is empty"},
        {"[(a|(|2)]", 1, 5, "\"(\" at line 1, column 5 cannot stand in the lower bound"},
        {"[(a|1|2|3)]", 1, 8, "\"|\" at line 1, column 8 cannot stand in the upper bound"},
        {"\r\n[(a|1|n+)]", 2, 7, "the upper bound \"n+\" of the group opened at line 2, column 2"},
        {"\r\r[(a", 3, 2, "group opened at line 3, column 2 has no \"|\""},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const ExpansionResult result = RunTemplate(text);
        ASSERT_EQ(result.outcome, Outcome::ParseFailed) << c.text;
        EXPECT_EQ(result.message, kParseFailedMessage);
        EXPECT_EQ(std::make_pair(result.errorLine, result.errorColumn), std::make_pair(c.line, c.column)) << c.text;
        EXPECT_TRUE(result.errorReason.contains(QString::fromUtf8(c.reason))) << result.errorReason.toStdString();
        // The offset and the line and column name the same place.
        const QString before = text.left(result.errorOffset);
        const qsizetype lineStart = std::max(before.lastIndexOf(u'\n'), before.lastIndexOf(u'\r')) + 1;
        EXPECT_EQ(result.errorOffset - lineStart + 1, c.column) << c.text;
    }
}

TEST(Expansion, BoundNamesAreListedOnceInTextOrder)
{
    const QString nul(QChar(0));
    const QList<std::pair<QString, QStringList>> cases = {
        {"[(a|n-1|n+1)(b|m|N)] [(c|1|k)] [(d|M|2)]", {"n", "m", "k"}},
        {"[(a|-1|.5)]", {"-", "."}},
        {"[(a|1|2)] arr[i] $n!", {}},
        {"[(a|1|n) ]", {}}, // does not parse
        {"[(a|1|" + nul + ")]", {nul}},
    };
    for (const auto& [text, names] : cases)
        EXPECT_EQ(BoundNames(text), names) << text.toStdString();
}

TEST(Expansion, AnswersByNameServeBothPassesAndOnlyMissingNamesAreAsked)
{
    ExpansionRequest request;
    request.answers.Set("N", "5");
    QStringList asked;
    request.ask = [&](const QString& prompt) {
        asked.append(prompt);
        return std::optional<QString>("2");
    };
    ExpansionResult result = GenerateResult("[(a|n-1|n+1)(b|1|m)]", request);
    EXPECT_EQ(result.text, "b\nb\n\na\na\na\n");
    EXPECT_EQ(asked, QStringList({PromptFor(u'm')}));

    request.ask = {};
    result = GenerateResult("[(a|1|n)(b|1|m)]", request);
    EXPECT_EQ(result.text, "ab\na\na\na\na\n") << "a name nobody answers is 1";
}

TEST(Expansion, StopsNameTheBoundAndStrictRunsStopWhereQuietOnesPassOver)
{
    struct Case
    {
        const char* text;
        const char* answer;
        bool strict;
        const char* message; // empty: the run expands to `expanded`
        const char* expanded;
    };
    const QList<Case> cases = {
        {"[(a|1|n+1)]", "abc", false, "the upper bound \"n+1\" of (a|1|n+1): the answer \"abc\" for n", ""},
        {"[(a|n|3)]", "abc", false, "the lower bound \"n\" of (a|n|3) is \"abc\", not a whole number", ""},
        {"[(a|1|n+1)]", "2147483647", false, "the upper bound \"n+1\" of (a|1|n+1) with n = 2147483647 is outside", ""},
        {"[(a|1|2147483648)]x", "", false, "", "x"},
        {"[(a|1|2147483648)]x", "", true, "the upper bound \"2147483648\" of (a|1|2147483648) is not a whole", ""},
        {"[(a|1|n)]x", "abc", false, "", "x"},
        {"[(a|1|n)]x", "abc", true, "the upper bound \"n\" of (a|1|n) is \"abc\"", ""},
        {"[(a|1|2)]", "", true, "", "a\na\n"},
    };
    for (const Case& c : cases) {
        ExpansionRequest request;
        request.answers.Set("n", c.answer);
        request.strict = c.strict;
        const ExpansionResult result = GenerateResult(c.text, request);
        if (*c.message) {
            EXPECT_EQ(result.outcome, Outcome::Stopped) << c.text;
            EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.message))) << result.message.toStdString();
        } else {
            EXPECT_EQ(result.outcome, Outcome::Expanded) << c.text << result.message.toStdString();
            EXPECT_EQ(result.text, c.expanded) << c.text;
        }
    }
}

TEST(Expansion, ProgressCountsLinesOnceAndCancelLeavesNoResult)
{
    const QString text = "[(a|1|n)] [(b|1|m)(c|5|5)] [(a|1|n)]";
    QList<std::pair<qint64, qint64>> calls;
    ExpansionRequest request;
    request.answers.Set("n", "100000");
    request.answers.Set("m", "50000");
    request.progress = [&](qint64 done, qint64 total) {
        calls.append({done, total});
        return true;
    };
    for (const bool compact : {false, true}) {
        calls.clear();
        request.compactStyle = compact;
        ASSERT_EQ(GenerateResult(text, request).outcome, Outcome::Expanded);
        ASSERT_GT(calls.size(), 3);
        EXPECT_EQ(calls.front(), std::make_pair(qint64(0), qint64(150000))) << "a token shown twice is expanded once";
        EXPECT_EQ(calls.back(), std::make_pair(qint64(150000), qint64(150000)));
        EXPECT_TRUE(std::is_sorted(calls.cbegin(), calls.cend()));
    }

    for (const qint64 cancelAt : {0, 1}) {
        request.progress = [&](qint64 done, qint64) { return done < cancelAt; };
        const ExpansionResult cancelled = GenerateResult(text, request);
        EXPECT_EQ(cancelled.outcome, Outcome::Cancelled);
        EXPECT_TRUE(cancelled.text.isEmpty());
    }
}
