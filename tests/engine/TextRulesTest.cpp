#include "RandomText.h"
#include "TextRules.h"

#include <gtest/gtest.h>

TEST(TextRules, ColourSpansFieldsAndReplacementsFollowTheDelimitersAndTheSearchAgreesWithQts)
{
    EXPECT_EQ(ColourSpans("x [(a|1|2)] y", "[", "]"), QList<TextSpan>({{2, 9}}));
    const struct { QString text, opening, closing; QStringList spans; } cases[] = {
        {"[a[b]", "[", "]", {"[a[b]", "[b]"}},
        {"arr[i] = 0", "[", "]", {"[i]"}},
        {"$a\nlong\nway!", "$", "!", {"$a\nlong\nway!"}},
        {"$a! [b", "[", "]", {}},
        {"$a $b!", "$", "!", {"$a $b!", "$b!"}},
        {"$a! $b", "$", "!", {"$a!"}}, // a later opener without a closer after it ends the search
        {"xAbyAb", "a", "B", {"Ab", "Ab"}},
        {"<<a>>", "<<", ">>", {"<<a>>"}},
    };
    for (const auto& c : cases) {
        QStringList spans;
        for (const TextSpan& span : ColourSpans(c.text, c.opening, c.closing))
            spans.append(c.text.mid(span.start, span.length));
        EXPECT_EQ(spans, c.spans) << c.text.toStdString();
    }

    // Blotting out "$x!" everywhere cuts "$q $x!" short: "$q" no longer has a "!".
    EXPECT_EQ(ListFields("$x! $q $x!").toList(), QStringList({"$x!"}));
    EXPECT_EQ(ListFields("$q $x! $x!").toList(), QStringList({"$q $x!", "$x!"}));
    EXPECT_EQ(ListFields(QString::fromUtf8("$k! $\u212A!")).toList(), QStringList({"$k!"})) << "the Kelvin sign folds to k";

    EXPECT_EQ(ReplaceAll("x=$name!; y=$NAME!", "$Name!", "Id"), "x=Id; y=Id");
    EXPECT_EQ(ReplaceAll("$t! $t!", "$t!", "[$t!]"), "[$t!] [$t!]");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("$a! and $a!", "$a!", ""), " and ");
    EXPECT_EQ(ReplaceAll("unchanged", "", "x"), "unchanged");

    // Whatever path the search takes, it finds what Qt's own case-blind search finds: random
    // texts over a small alphabet full of look-alikes (letters in both cases, the Kelvin sign,
    // the long s, a non-ASCII letter, markers' "$" and "!").
    const QStringList letters = QString::fromUtf8("$!aAkKsS1\u212A\u017F\u00E9\u00C9 ").split(QString(), Qt::SkipEmptyParts);
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const QString text = RandomText(random, letters, 60);
        const QString find = (round % 2 ? QStringLiteral("$") : QString()) + letters[random() % letters.size()]
                             + RandomText(random, letters, 2);
        QList<qsizetype> expected;
        for (qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(find, at + find.size(), Qt::CaseInsensitive))
            expected.append(at);
        ASSERT_EQ(FindOccurrences(text, find), expected) << text.toStdString() << " / " << find.toStdString();
    }
}
