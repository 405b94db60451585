#include "FieldsListRules.h"
#include "ValueTreeRules.h"

#include <gtest/gtest.h>

TEST(DropSplit, CutsAtEverySeparatorInEitherLetterCaseKeepingPiecesAsTheyFall)
{
    const QList<std::tuple<QString, QString, QStringList>> cases{
        {"a, b", ",", {"a", " b"}},
        {",a,,b,", ",", {"", "a", "", "b", ""}},
        {"x;\ny; z", "; ", {"x;\ny", "z"}},
        {"1X2x3", "x", {"1", "2", "3"}},
        {"1X2x3", "X", {"1", "2", "3"}},
        // A cancelled or emptied box keeps the drop whole.
        {"a,b", "", {"a,b"}},
        {"", ",", {}},
        {"", "", {}},
    };
    for (const auto& [text, separator, pieces] : cases)
        EXPECT_EQ(SplitDropped(text, separator), pieces) << text.toStdString() << " / " << separator.toStdString();
}

TEST(FieldsList, SelectionMovesToANeighbourAfterRemoval)
{
    // Entries $a!, $b!, $c!: removing one leaves two.
    EXPECT_EQ(SelectionAfterRemoval(0, 2), 0); // first: the one that followed
    EXPECT_EQ(SelectionAfterRemoval(1, 2), 1); // middle: $c! now at 1
    EXPECT_EQ(SelectionAfterRemoval(2, 2), 1); // last: the new last, $b!
    EXPECT_EQ(SelectionAfterRemoval(0, 0), -1); // only: nothing left
}

TEST(FieldsList, NameIsTheMarkerWithoutDelimiters)
{
    EXPECT_EQ(FieldName(QStringLiteral("$Table!")), QStringLiteral("Table"));
    EXPECT_EQ(FieldName(QStringLiteral("$a b\nc!")), QStringLiteral("a b\nc"));
    EXPECT_EQ(FieldName(QStringLiteral("$!")), QString());
    EXPECT_EQ(FieldName(QString()), QString());
}
