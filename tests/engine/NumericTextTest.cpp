#include "NumericText.h"

#include <QString>

#include <gtest/gtest.h>

TEST(NumericText, AcceptsSignedDecimalsWithFractionAndExponentOnly)
{
    for (const char* text : {"0", "7", "12", "-5", "+5", "2.5", "2.", ".5", "-.5", " 12 ", "\t3",
                             "1e3", "1E+3", "2.5e-1", "007"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(text))) << text;
    for (const char* text : {"", " ", "n", "+", "-", "$", ".", "-.", "1+2", "x1", "1..2", "1.2.3",
                             "1e", "e3", "1e+", "- 5", "1 2", "0x10", "1,000"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(text))) << text;
}

TEST(NumericText, RoundsHalvesToEven)
{
    EXPECT_EQ(ToInteger(u"2.5"), 2);
    EXPECT_EQ(ToInteger(u"3.5"), 4);
    EXPECT_EQ(ToInteger(u"-2.5"), -2);
    EXPECT_EQ(ToInteger(u"-3.5"), -4);
    EXPECT_EQ(ToInteger(u".5"), 0);
    EXPECT_EQ(ToInteger(u"1.49999"), 1);
    // Just above one half must round up however many digits it takes to see it.
    EXPECT_EQ(ToInteger(u"2.50000000000000000000001"), 3);
    EXPECT_EQ(ToInteger(u"2."), 2);
    EXPECT_EQ(ToInteger(u"0.0"), 0);
}

TEST(NumericText, AppliesExponentsExactly)
{
    EXPECT_EQ(ToInteger(u"1e3"), 1000);
    EXPECT_EQ(ToInteger(u"25e-1"), 2);
    EXPECT_EQ(ToInteger(u"35E-1"), 4);
    EXPECT_EQ(ToInteger(u"123456e-3"), 123);
    EXPECT_EQ(ToInteger(u"0e999999999999"), 0);
    EXPECT_EQ(ToInteger(u"5e-999999999999"), 0);
    EXPECT_FALSE(ToInteger(u"1e999999999999"));
}

TEST(NumericText, KeepsToTheSigned32BitRange)
{
    EXPECT_EQ(ToInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(ToInteger(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ToInteger(u"2147483647.4"), 2147483647);
    EXPECT_EQ(ToInteger(u"-2147483648.5"), -2147483647 - 1); // the even neighbour is in range
    EXPECT_FALSE(ToInteger(u"2147483647.5"));
    EXPECT_FALSE(ToInteger(u"2147483648"));
    EXPECT_FALSE(ToInteger(u"-2147483649"));
    EXPECT_FALSE(ToInteger(u"99999999999"));
    EXPECT_EQ(ToInteger(u"0000000000000000002147483647"), 2147483647);
    EXPECT_FALSE(ToInteger(u"n"));
    EXPECT_FALSE(ToInteger(u""));
}
