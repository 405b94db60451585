#include "FieldsListRules.h"
#include "ValueTreeRules.h"

#include <gtest/gtest.h>

TEST(DropSplit, CutsAtEverySeparatorInEitherLetterCaseKeepingPiecesAsTheyFall)
{
    const QList<std::tuple<QString, QString, QStringList>> cases{
        {"a, b", ",", {"a", " b"}}, {",a,,b,", ",", {"", "a", "", "b", ""}}, {"x;\ny; z", "; ", {"x;\ny", "z"}},
        {"1X2x3", "x", {"1", "2", "3"}}, {"1X2x3", "X", {"1", "2", "3"}},
        {"a,b", "", {"a,b"}}, {"", ",", {}}, {"", "", {}}, // a cancelled or emptied box keeps the drop whole
    };
    for (const auto& [text, separator, pieces] : cases)
        EXPECT_EQ(SplitDropped(text, separator), pieces) << text.toStdString() << " / " << separator.toStdString();
}

TEST(FieldsList, SelectionMovesToANeighbourAndNamesLoseTheirDelimiters)
{
    // Removing the first, middle or last of three, or the only one.
    for (auto [removed, left, selected] : {std::tuple{0, 2, 0}, {1, 2, 1}, {2, 2, 1}, {0, 0, -1}})
        EXPECT_EQ(SelectionAfterRemoval(removed, left), selected) << removed << " of " << left + 1;
    EXPECT_EQ(FieldName("$Table!"), "Table");
    EXPECT_EQ(FieldName("$a b\nc!"), "a b\nc");
    EXPECT_EQ(FieldName("$!"), QString());
    EXPECT_EQ(FieldName(QString()), QString());
}
