#include "ValueTreeRules.h"

#include <gtest/gtest.h>

using Pieces = QStringList;

TEST(DropSplit, CutsAtEverySeparatorKeepingPiecesAsTheyFall)
{
    EXPECT_EQ(SplitDropped(QStringLiteral("ID,NAME,PRICE"), QStringLiteral(",")),
              (Pieces{QStringLiteral("ID"), QStringLiteral("NAME"), QStringLiteral("PRICE")}));
    EXPECT_EQ(SplitDropped(QStringLiteral("a, b"), QStringLiteral(",")), (Pieces{QStringLiteral("a"), QStringLiteral(" b")}));
    EXPECT_EQ(SplitDropped(QStringLiteral("a,,b"), QStringLiteral(",")),
              (Pieces{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(SplitDropped(QStringLiteral(",a,b,"), QStringLiteral(",")),
              (Pieces{QString(), QStringLiteral("a"), QStringLiteral("b"), QString()}));
    EXPECT_EQ(SplitDropped(QStringLiteral("x;\ny; z"), QStringLiteral("; ")),
              (Pieces{QStringLiteral("x;\ny"), QStringLiteral("z")}));
}

TEST(DropSplit, LetterSeparatorMatchesEitherCase)
{
    const Pieces expected{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    EXPECT_EQ(SplitDropped(QStringLiteral("1X2x3"), QStringLiteral("x")), expected);
    EXPECT_EQ(SplitDropped(QStringLiteral("1X2x3"), QStringLiteral("X")), expected);
}

TEST(DropSplit, NoSeparatorOrNoText)
{
    // A cancelled or emptied box keeps the drop whole.
    EXPECT_EQ(SplitDropped(QStringLiteral("a,b"), QString()), (Pieces{QStringLiteral("a,b")}));
    EXPECT_TRUE(SplitDropped(QString(), QStringLiteral(",")).isEmpty());
    EXPECT_TRUE(SplitDropped(QString(), QString()).isEmpty());
}

TEST(DropSplit, ValueSummaryCountsDirectChildren)
{
    EXPECT_EQ(ValueSummary(QStringLiteral("Orders"), 0), QStringLiteral("Orders contains 0 objects"));
    EXPECT_EQ(ValueSummary(QStringLiteral("name"), 4), QStringLiteral("name contains 4 objects"));
}
