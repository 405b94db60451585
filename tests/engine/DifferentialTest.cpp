#include "Expansion.h"
#include "FieldNumbering.h"
#include "ReferenceRules.h"
#include "TextRules.h"
#include "TokenExpansion.h"
#include <QSet>
#include <gtest/gtest.h>

TEST(Differential, NumberingTokensAndWholeRunsMatchTheLiteralLoops)
{
    std::mt19937 random(7);
    // Pieces chosen so numbered markers often collide with other markers ("$a0001!").
    QStringList pieces = {"$", "!", "a", "A", "0001", "00-1", "0", "1", "-", "\r", "\n", " ",
                          "$a!", "$A0001!", "$a00010001!", "$a00-1!"};
    for (int i = 0; i < 6000; ++i) {
        const QString text = RandomText(random, pieces, 10);
        const NumberedGroup group(text);
        for (const qint32 k : {-1, 0, 1, 2, 12345}) {
            QString numbered;
            group.AppendTo(numbered, CounterText(k));
            ASSERT_EQ(numbered, reference::ExpandToken({{text, k, k}}, k, k, true)) << text.toStdString() << " @ " << k;
            ASSERT_EQ(NumberFields(text, k), reference::NumberFields(text, k)) << text.toStdString() << " @ " << k;
        }
    }

    random.seed(99);
    pieces = {"$", "!", "a", "A", "0001", "00-1", "\r", "\n", "x"};
    std::uniform_int_distribution<int> bound(-3, 3);
    for (int i = 0; i < 3000; ++i) {
        QList<reference::Group> groups;
        QList<ResolvedGroup> resolved;
        QString description;
        for (int j = std::uniform_int_distribution<int>(1, 3)(random); j > 0; --j) {
            const reference::Group group{RandomText(random, pieces, 6), bound(random), bound(random)};
            groups.append(group);
            resolved.append({group.text, group.lower, group.upper});
            description += QStringLiteral("(%1|%2|%3)").arg(group.text).arg(group.lower).arg(group.upper);
        }
        const qint32 start = bound(random), end = bound(random);
        const bool compact = random() % 2 == 0;
        ASSERT_EQ(TokenExpander(resolved, start, end, compact).Expand(1 << 20),
                  reference::ExpandToken(groups, start, end, compact))
            << description.toStdString() << " from " << start << " to " << end << (compact ? " compact" : "");
    }

    // Whole runs against literal placeholder passes: tokens that repeat (also in other letter case), more
    // than ten distinct ones, digits and placeholder look-alikes right after them, stray brackets, line breaks.
    random.seed(314159);
    pieces = {"[(a|1|2)]", "[(A|1|2)]", "[($f!|0|n)]", "[(x|2|1)]", "[(b|n-1|n+1)(c|1|1)]",
              "[(\r\n|1|2)]", "[([(a|1|2)]", "0", "1", "5", "10", "[", "(", ")", "]", "|",
              "_$$$_003_$$$_", "_$$$_003_$$$_1", "\n", "\r", " ", "a"};
    for (int k = 0; k < 14; ++k)
        pieces.append(QStringLiteral("[(t%1|1|1)]").arg(k));
    const AskValue two = [](const QString&) { return std::optional<QString>("2"); };
    for (int i = 0; i < 3000; ++i) {
        const QString text = RandomText(random, pieces, i % 10 == 0 ? 150 : 12);
        const bool compact = random() % 2 == 0;
        const std::optional<QString> expected = reference::GenerateResult(text, compact, 2);
        const ExpansionResult result = GenerateResult(text, compact, two);
        ASSERT_EQ(result.outcome == ExpansionResult::Outcome::ParseFailed, !expected) << text.toStdString();
        ASSERT_EQ(result.text, expected.value_or(result.text)) << text.toStdString() << (compact ? " compact" : "");
    }
}

// Bounds with signs, blanks, points and digits, digits right after the tokens: the names asked are the
// first characters of the bounds that are not written numbers, and answering just those gives the literal run.
TEST(Differential, OnlyBoundsThatAreNotWrittenNumbersAreAskedForAndAnsweringThoseIsEnough)
{
    std::mt19937 random(1313);
    const auto pick = [&](const QStringList& from) { return from[std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random)]; };
    const QStringList names = {"n", "N", "m", "-", "+", " ", "."};
    const QStringList digits = {"0", "1", "2", "5", "12"};
    // Written numbers with and without a sign, blank or point in front, names with offsets, one
    // character, and now and then a text that is no bound at all.
    const auto randomBound = [&]() -> QString {
        switch (random() % 5) {
        case 0: return pick({"", "-", "+", " ", ".", " -", " +"}) + pick(digits) + pick({"", " ", ".5"});
        case 1: return pick(names) + pick({"+", "-"}) + pick(digits);
        case 2: return pick(names + digits);
        case 3: return pick(names) + pick(digits);
        default: return RandomText(random, names + digits, 3);
        }
    };
    const QStringList outside = {"", "0", "7", " ", "\n", "x", "[", "]"};
    int parsed = 0;
    for (int i = 0; i < 4000; ++i) {
        QString text;
        QStringList expected;
        QSet<QString> seen;
        bool valid = true;
        for (int t = std::uniform_int_distribution<int>(1, 2)(random); t > 0; --t) {
            text += pick(outside) + "[";
            for (int g = std::uniform_int_distribution<int>(1, 2)(random); g > 0; --g) {
                const QString lower = randomBound(), upper = randomBound();
                text += QStringLiteral("(%1|%2|%3)").arg(pick({"a", "$f!", "b"}), lower, upper);
                for (const QString& bound : {lower, upper}) {
                    valid = valid && IsValidBound(bound);
                    if (valid && !IsNumeric(bound) && !seen.contains(bound.first(1).toCaseFolded())) {
                        seen.insert(bound.first(1).toCaseFolded());
                        expected.append(bound.first(1));
                    }
                }
            }
            text += "]" + pick(outside);
        }
        SCOPED_TRACE(text.toStdString());
        if (!valid) {
            ASSERT_EQ(BoundNames(text), QStringList());
            continue;
        }
        ++parsed;
        ASSERT_EQ(BoundNames(text), expected);

        QSet<QString> asked;
        const AskValue two = [&](const QString& prompt) {
            asked.insert(prompt.mid(QStringLiteral("Please Enter value for: ").size(), 1).toCaseFolded());
            return std::optional<QString>("2");
        };
        const bool compact = i % 2 == 0;
        const QString literal = reference::GenerateResult(text, compact, 2).value();
        ASSERT_EQ(GenerateResult(text, compact, two).text, literal);
        ASSERT_EQ(asked, seen);

        ExpansionRequest byName;
        byName.compactStyle = compact;
        for (const QString& name : expected)
            byName.answers.Set(name, "2");
        byName.ask = [](const QString& prompt) { ADD_FAILURE() << prompt.toStdString(); return std::nullopt; };
        ASSERT_EQ(GenerateResult(text, byName).text, literal);
    }
    EXPECT_GT(parsed, 1000);
}

// A lone surrogate (pasted through damaged rich text) in group texts, bounds or around tokens is kept
// exactly: a run gives what it gives with an ordinary character in its place.
TEST(Differential, LoneSurrogatesAnywhereExpandLikeAnyOtherCharacter)
{
    std::mt19937 random(1606);
    const QStringList pieces = {"[(a|1|2)]", "[($f!|0|n)]", "[(b|n-1|n+1)(c|1|1)]", "[(d|", "|3)]", "[(x|2|1)]",
                                "\U0001F600", "\u00C9", "\u2161", "\n", "A", "1", "[", "]", "$", "!", "|"};
    const QChar standIn(0xE777);
    const char16_t lone[] = {0xD800, 0xDBFF, 0xDC00, 0xDFFF};
    const AskValue two = [](const QString&) { return std::optional<QString>("2"); };
    int expanded = 0;
    for (int i = 0; i < 500; ++i) {
        const QString text = RandomText(random, pieces, 6);
        for (qsizetype at = 0; at <= text.size(); ++at) {
            const QChar surrogate(lone[random() % 4]);
            const QString damaged = QString(text).insert(at, surrogate);
            SCOPED_TRACE(QString(text).insert(at, "<lone>").toStdString());
            const bool compact = random() % 2 == 0;
            const ExpansionResult expected = GenerateResult(QString(text).insert(at, standIn), compact, two);
            const ExpansionResult result = GenerateResult(damaged, compact, two);
            ASSERT_EQ(result.outcome, expected.outcome);
            ASSERT_EQ(result.text, QString(expected.text).replace(standIn, surrogate));
            ASSERT_EQ(BoundNames(damaged), BoundNames(QString(text).insert(at, standIn)).replaceInStrings(standIn, surrogate));
            expanded += result.outcome == ExpansionResult::Outcome::Expanded && result.text.contains(surrogate);
        }
    }
    EXPECT_GT(expanded, 1000);
}
