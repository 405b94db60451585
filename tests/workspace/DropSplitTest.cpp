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
