#include "NumericText.h"

#include <QString>
#include <gtest/gtest.h>

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

