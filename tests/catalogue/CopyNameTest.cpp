#include "CopyName.h"

#include <gtest/gtest.h>

namespace {

TEST(CopyName, CountsPastEveryTakenNumberWhateverTheLetterCaseAndKeepsTheNameAsItIs)
{
    EXPECT_EQ(CopyName("Alpha", {"Alpha", "Beta"}), "Alpha (2)");
    EXPECT_EQ(CopyName("Alpha", {"Alpha", "alpha (2)", "ALPHA (3)", "Alpha (5)"}), "Alpha (4)");
    EXPECT_EQ(CopyName("50% of %1 %2", {}), "50% of %1 %2 (2)");
}

} // namespace
