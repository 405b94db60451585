#include "Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString text = Windows1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x81], QChar(0x0081)); // undefined bytes keep their value
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    EXPECT_EQ(Windows1252::encode(text), all);
    EXPECT_EQ(Windows1252::encode(u"\u0080"), std::nullopt); // the C1 control whose byte means "€"
}
