#include "NumericText.h"
#include "RandomText.h"
#include "TextEdits.h"
#include "TextRules.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(NumericText, AcceptsSignedDecimalsAndConvertsToTheNearestWholeNumberOrNothing)
{
    for (const char* text : {"0", "7", "-5", "+5", "2.5", "2.", ".5", "-.5", " 12 ", "\t3", "1e3", "1E+3", "2.5e-1",
                             "007"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(text))) << text;
    for (const char* text : {"", " ", "n", "+", "-", "$", ".", "-.", "1+2", "x1", "1..2", "1.2.3", "1e", "e3", "1e+",
                             "- 5", "1 2", "0x10", "1,000"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(text))) << text;

    // Halves round to even, exponents apply exactly, and the result keeps to the signed 32-bit range.
    const std::pair<const char*, std::optional<qint32>> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {".5", 0}, {"1.49999", 1}, {"2.", 2}, {"0.0", 0},
        {"2.50000000000000000000001", 3}, // just above one half, however many digits it takes to see it
        {"1e3", 1000}, {"25e-1", 2}, {"35E-1", 4}, {"123456e-3", 123}, {"0e999999999999", 0},
        {"5e-999999999999", 0}, {"1e999999999999", std::nullopt},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483647.4", 2147483647},
        {"-2147483648.5", -2147483647 - 1}, // the even neighbour is in range
        {"2147483647.5", std::nullopt}, {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
        {"99999999999", std::nullopt}, {"0000000000000000002147483647", 2147483647}, {"n", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ToInteger(QString::fromLatin1(text)), expected) << text;
}

namespace {

QString Rebuilt(const QString& text, const QList<TextEdit>& edits)
{
    QString after;
    qsizetype done = 0;
    for (const TextEdit& edit : edits) {
        after += text.mid(done, edit.start - done) + edit.value;
        done = edit.start + edit.length;
    }
    return after + text.mid(done);
}

} // namespace

// In place or not, the edits give what building the text anew gives: edits at both ends,
// next to each other, empty, all growing, all shrinking, mixed, on shared and roomy texts.
TEST(TextEdits, GiveWhatRebuildingTheTextGives)
{
    std::mt19937 random(5);
    for (int round = 0; round < 4000; ++round) {
        QString text;
        for (int i = int(random() % 40); i > 0; --i)
            text += QChar(char16_t(u'a' + random() % 26));
        QList<TextEdit> edits;
        const int sizeChange = int(random() % 3) - 1; // every edit the same way, or any way
        for (qsizetype at = 0; at <= text.size() && random() % 4;) {
            at += random() % 6;
            if (at > text.size())
                break;
            const qsizetype length = std::min<qsizetype>(random() % 5, text.size() - at);
            qsizetype valueSize = random() % 8;
            if (round % 2)
                valueSize = std::max<qsizetype>(length + sizeChange, 0);
            edits.append({at, length, QString(valueSize, QChar(char16_t(u'A' + edits.size() % 26)))});
            at += length;
        }
        const QString original(text.constData(), text.size()); // a copy of its own, not a share
        const QString expected = Rebuilt(original, edits);
        if (random() % 2)
            text.reserve(text.size() + 64);
        const QString sharer = random() % 4 ? QString() : text;
        ApplyTextEdits(text, edits);
        ASSERT_EQ(text, expected) << round;
        ASSERT_EQ(sharer.isNull() ? original : sharer, original) << "a shared text is never written through";
    }
}
