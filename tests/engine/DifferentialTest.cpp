#include "Expansion.h"
#include "FieldNumbering.h"
#include "ReferenceRules.h"
#include "TextRules.h"
#include "TokenExpansion.h"
#include <gtest/gtest.h>

TEST(Differential, FieldListsNumberingTokensAndWholeRunsMatchTheLiteralLoops)
{
    std::mt19937 random(20240611);
    const QStringList alphabet = {"$", "!", "a", "A", "#", "b", "\n"};
    for (int i = 0; i < 6000; ++i) {
        const QString text = RandomText(random, alphabet, 24);
        ASSERT_EQ(ListFields(text).toList(), reference::ListFields(text)) << text.toStdString();
    }

    random.seed(7);
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
