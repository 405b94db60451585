#include "Expansion.h"
#include "TemplateParser.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Outcome = ExpansionResult::Outcome;
using Answers = QList<std::optional<QString>>;
const QString nul(QChar(0));

// One run answering prompts from a list (then with the empty answer), recording what was asked.
struct TemplateRun
{
    QStringList asked;
    ExpansionResult result;

    explicit TemplateRun(const QString& text, const Answers& answers = {}, bool compact = false, qsizetype limit = kMaxResultLength)
    {
        const AskValue ask = [&](const QString& prompt) { asked << prompt; return answers.value(asked.size() - 1, QString()); };
        result = GenerateResult(text, compact, ask, limit);
    }
};

struct Parsed
{
    TokenDocument document;
    bool ok;

    explicit Parsed(const QString& text) : ok(TemplateParser(document, text).ParseTemplate()) {}

    QStringList values(const char* query, const char* attribute = nullptr) const
    {
        QStringList values;
        for (const pugi::xpath_node& node : document.SelectNodes(QString::fromLatin1(query)))
            values.append(attribute ? QString::fromUtf8(node.node().attribute(attribute).value())
                                    : TokenDocument::ValueOf(node));
        return values;
    }

    std::string xml() const
    {
        std::ostringstream out;
        document.Document().save(out, "", pugi::format_raw | pugi::format_no_declaration);
        return out.str();
    }
};

} // namespace

TEST(Expansion, ExpandsTemplatesOrSaysWhyNot)
{
    const struct { QString text; Answers answers; bool compact; QString expected; } cases[] = {
        {"[(x$f!;|1|n)]", {"2"}, false, "x$f0001!;\nx$f0002!;\n"},
        {"[(A|1|2)(B|2|3)]", {}, false, "A\nAB\nB\n"},
        {"[(A|1|1)(B|3|3)]", {}, false, "A\n\nB\n"},
        {"[(a|n-1|n+1)]", {"5", "5"}, false, "a\na\na\n"},
        {"[($f!|n-2|1)]", {"1"}, false, "$f00-1!\n$f0000!\n$f0001!\n"},
        {"int i;\n[(a|2|1)]", {}, false, "int i;\n"},
        {"[(a|1|n)(b|1|m)]", {std::nullopt, ""}, false, "ab\n"}, // empty or cancelled answers mean 1
        {"[(a|-1|.5)]", {"9", "9"}, false, "a\na\n"}, // written numbers: nothing is asked
        {"[(a| -2| +1)]", {"9", "9"}, false, "a\na\na\na\n"},
        // The stand-in for NUL must be a character the template does not hold.
        {"a" + nul + "b [(x" + nul + "$f!|1|2)]", {}, false, "a" + nul + "b x" + nul + "$f0001!\nx" + nul + "$f0002!\n"},
        {nul + QChar(0xE000) + "[(y|1|1)]", {}, false, nul + QChar(0xE000) + "y\n"},
        {"[(a|1|1)]5", {}, false, "a\n5"},
        {"_$$$_003_$$$_0[(a|1|1)]_$$$_003_$$$_", {}, false, "_$$$_003_$$$_0a\n_$$$_003_$$$_"},
        {"[(a|1|2)] [(A|1|2)]", {}, false, "a\na\n a\na\n"}, // equal ignoring case: the first expansion
        {"[($a! $a0001!|1|2)]", {}, false, "$a00010001! $a00010001!\n$a0002! $a00010002!\n"},
        // A CR ending a group stays before the step's line break but pairs with an LF starting the next group.
        {"top\r\n[(a\r\nb|1|2)]\r\nend", {}, false, "top\r\na\nb\na\nb\n\r\nend"},
        {"[(a\r|1|1)]", {}, false, "a\r\n"},
        {"[(a\r|1|1)(\nb|1|1)]", {}, true, "a\nb"},
        {"[(a\r|1|2)]", {}, true, "a\ra\r"},
        {"[(a|5|4)(b|9|n)]x", {"abc"}, false, "x"}, // the bad answer is never converted by a counter step
        {"[(a|2147483646|2147483647)]", {}, false, "a\na\n"},
        {"[($x!|-2147483648|-2147483647)]", {}, false, "$x-2147483648!\n$x-2147483647!\n"},
        // Compact style skips the idle stretch between far-apart groups; a textless group has none.
        {"[(a|-2147483648|-2147483648)(b|2147483647|2147483647)]", {}, true, "ab"},
        {"[(|-2147483648|2147483647)]x", {}, true, "x"},
    };
    for (const auto& c : cases) {
        const ExpansionResult result = TemplateRun(c.text, c.answers, c.compact).result;
        EXPECT_TRUE(result.outcome == Outcome::Expanded && result.text == c.expected) << c.text.toStdString();
    }

    const struct { QString text; Answers answers; qsizetype limit; Outcome outcome; } outcomes[] = {
        {"arr[i] = [0];", {}, kMaxResultLength, Outcome::NoGroups},
        {"", {}, kMaxResultLength, Outcome::NoGroups},
        {"[(a|1|n-1)]", {"-2147483648"}, kMaxResultLength, Outcome::Stopped},
        {"[($Field!|1|n)]", {"2000000000"}, kMaxResultLength, Outcome::TooLarge},
        {"[(abcd|1|n)]", {"100"}, 500, Outcome::Expanded},
        {"[(abcd|1|n)]", {"101"}, 500, Outcome::TooLarge},
        {"[(abcd|1|n)][(abcd|1|n)]", {"60"}, 500, Outcome::TooLarge}, // two places of one token count twice
        // Numbering that runs literally grows past its estimate.
        {"[($a! $a0001!|1|1)]", {}, 22, Outcome::TooLarge},
        {"[($a! $a0001!|1|1)]", {}, 24, Outcome::Expanded},
    };
    for (const auto& c : outcomes) {
        const TemplateRun run(c.text, c.answers, false, c.limit);
        EXPECT_EQ(run.result.outcome, c.outcome) << c.text.toStdString();
        EXPECT_TRUE(c.outcome != Outcome::NoGroups || run.result.text == c.text);
        EXPECT_TRUE(c.limit != kMaxResultLength || c.outcome != Outcome::TooLarge
                    || run.result.message.contains(QString::number(kMaxResultLength)));
    }

    const struct { const char* text; qsizetype line; qsizetype column; const char* reason; } parseFailures[] = {
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
    for (const auto& c : parseFailures) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        const ExpansionResult result = TemplateRun(text).result;
        ASSERT_EQ(result.outcome, Outcome::ParseFailed);
        EXPECT_EQ(std::make_pair(result.errorLine, result.errorColumn), std::make_pair(c.line, c.column));
        EXPECT_TRUE(result.errorReason.contains(QString::fromUtf8(c.reason))) << result.errorReason.toStdString();
        // The offset and the line and column name the same place.
        const QString before = text.left(result.errorOffset);
        const qsizetype lineStart = std::max(before.lastIndexOf(u'\n'), before.lastIndexOf(u'\r')) + 1;
        EXPECT_EQ(result.errorOffset - lineStart + 1, c.column);
    }

    // Stops name the bound; strict runs stop where quiet ones pass over. No message: it expands to `expanded`.
    const struct { const char* text; const char* answer; bool strict; const char* message; const char* expanded; } stops[] = {
        {"[(a|1|n+1)]", "abc", false, "the upper bound \"n+1\" of (a|1|n+1): the answer \"abc\" for n", ""},
        {"[(a|n|3)]", "abc", false, "the lower bound \"n\" of (a|n|3) is \"abc\", not a whole number", ""},
        {"[(a|1|n+1)]", "2147483647", false, "the upper bound \"n+1\" of (a|1|n+1) with n = 2147483647 is outside", ""},
        {"[(a|1|2147483648)]x", "", false, "", "x"},
        {"[(a|1|2147483648)]x", "", true, "the upper bound \"2147483648\" of (a|1|2147483648) is not a whole", ""},
        {"[(a|1|n)]x", "abc", false, "", "x"},
        {"[(a|1|n)]x", "abc", true, "the upper bound \"n\" of (a|1|n) is \"abc\"", ""},
        {"[(a|1|2)]", "", true, "", "a\na\n"},
    };
    for (const auto& c : stops) {
        SCOPED_TRACE(c.text);
        ExpansionRequest request;
        request.answers.Set("n", c.answer);
        request.strict = c.strict;
        const ExpansionResult result = GenerateResult(c.text, request);
        EXPECT_EQ(result.outcome, *c.message ? Outcome::Stopped : Outcome::Expanded) << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.message))) << result.message.toStdString();
        EXPECT_EQ(result.text, QString::fromUtf8(c.expanded));
    }
}

TEST(Expansion, BoundNamesAreAskedOncePerPassOrAnsweredByNameAndProgressCountsLinesOnce)
{
    const std::pair<QString, QStringList> cases[] = {
        {"[(a|n-1|n+1)(b|m|N)] [(c|1|k)] [(d|M|2)]", {"n", "m", "k"}},
        {"[(a|1|2)] arr[i] $n!", {}},
        {"[(a|1|n) ]", {}}, // does not parse
        {"[(a|1|" + nul + ")]", {nul}},
    };
    for (const auto& [text, names] : cases)
        EXPECT_EQ(BoundNames(text), names) << text.toStdString();

    // Lower bounds first, then upper bounds; a name is asked again in the second pass.
    EXPECT_EQ(TemplateRun("[(a|n-1|n+1)(b|a|N)][(c|m|b)]").asked,
              QStringList({PromptFor(u'n'), PromptFor(u'a'), PromptFor(u'm'), PromptFor(u'n'), PromptFor(u'b')}));
    EXPECT_EQ(TemplateRun("[(a|-1|.5)(b|-|+)]").asked, QStringList({PromptFor(u'-'), PromptFor(u'+')}));

    // Answers by name serve both passes; only missing names are asked.
    ExpansionRequest request;
    request.answers.Set("N", "5");
    QStringList asked;
    request.ask = [&](const QString& prompt) { asked.append(prompt); return std::optional<QString>("2"); };
    EXPECT_EQ(GenerateResult("[(a|n-1|n+1)(b|1|m)]", request).text, "b\nb\n\na\na\na\n");
    EXPECT_EQ(asked, QStringList({PromptFor(u'm')}));
    request.ask = {};
    EXPECT_EQ(GenerateResult("[(a|1|n)(b|1|m)]", request).text, "ab\na\na\na\na\n") << "a name nobody answers is 1";

    // Progress counts lines once; a cancel leaves no result.
    const QString text = "[(a|1|n)] [(b|1|m)(c|5|5)] [(a|1|n)]";
    QList<std::pair<qint64, qint64>> calls;
    request = {};
    request.answers.Set("n", "100000");
    request.answers.Set("m", "50000");
    request.progress = [&](qint64 done, qint64 total) { calls.append({done, total}); return true; };
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
        EXPECT_TRUE(cancelled.outcome == Outcome::Cancelled && cancelled.text.isEmpty()) << cancelAt;
    }
}

TEST(TemplateParser, ParsesWellFormedTemplatesIntoTheDocumentAndRejectsMalformedOnes)
{
    for (const char* text : {"[(a|1|n)(b|2|n+1)]", "int $v!;[(x|1|2)] arr[i]", "[ (a|1|2)]", "[", "a[", "[(f(x)|1|2)]",
                             "[(a| |2)]", "[(a|-2|2.5)]", "[(line\none|1|2)]", "[([|1|2)]"})
        EXPECT_TRUE(Parsed(QString::fromUtf8(text)).ok) << text;
    for (const char* text : {"[(a|n+|2)]", "[(", "[(a|1|2)x", "[(a|ab|2)]", "[(a|1+2|2)]", "[(a|1|2]"})
        EXPECT_FALSE(Parsed(QString::fromUtf8(text)).ok) << text;
    for (const char* bound : {"1", "12", "2.5", "n", "7", " ", "$", "n+1", "n-2", "N-2.5", "-5", ".5", "+-5"})
        EXPECT_TRUE(IsValidBound(QString::fromLatin1(bound))) << bound;
    for (const char* bound : {"", "x1", "n+", "1+2", "ab", "n*2", "n+x"})
        EXPECT_FALSE(IsValidBound(QString::fromLatin1(bound))) << bound;

    // The document, with exact names and attribute order.
    EXPECT_EQ(Parsed("[(x|1|3)]").xml(),
              "<String Value=\"[(x|1|3)]\"><Tokens><Token Id=\"0\" Value=\"[(x|1|3)]\"><SubTokens>"
              "<SubToken Id=\"0\" Value=\"(x|1|3)\"><Items><Item Id=\"0\" Value=\"x\"/>"
              "<Item Id=\"1\" Value=\"1\"/><Item Id=\"2\" Value=\"3\"/></Items></SubToken>"
              "</SubTokens></Token></Tokens></String>");
    EXPECT_EQ(Parsed("plain").xml(), "<String Value=\"plain\"><Tokens/></String>");

    // A literal bracket uses up a token id, group ids run across tokens, a failure keeps earlier tokens.
    const Parsed literal("[a] [(f(x)\n$a!|1|2)]");
    ASSERT_TRUE(literal.ok);
    EXPECT_EQ(literal.values("//Tokens/Token"), QStringList({"", "[(f(x)\n$a!|1|2)]"}));
    EXPECT_EQ(literal.values("//Tokens/Token[@Id='1']/SubTokens/SubToken/Items/Item[@Id='0']"),
              QStringList({"f(x)\n$a!"}));

    const Parsed groups("[(a|1|2)(b|3|4)] [(|5|n-1)]");
    ASSERT_TRUE(groups.ok);
    EXPECT_EQ(groups.values("//SubToken", "Id"), QStringList({"0", "1", "2"}));
    EXPECT_EQ(groups.values("//Item"), QStringList({"a", "1", "2", "b", "3", "4", "", "5", "n-1"}));

    const Parsed parsed("[(a|1|2)] [(b|x1|2)]");
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.values("//Tokens/Token"), QStringList({"[(a|1|2)]", ""}));
}
