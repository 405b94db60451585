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
    EXPECT_EQ(text[0x81], QChar(0x0081));
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    EXPECT_EQ(text[0xB1], QChar(0x00B1));
    EXPECT_EQ(Windows1252::encode(text), all);
}

TEST(Windows1252, CharactersWithoutAByteAreNamed)
{
    char32_t offending = 0;
    EXPECT_EQ(Windows1252::encode(u"abc\u0080", &offending), std::nullopt); // a C1 control whose byte is "€"
    EXPECT_EQ(offending, U'\u0080');
    EXPECT_EQ(Windows1252::encode(u"x\U0001D11E", &offending), std::nullopt);
    EXPECT_EQ(offending, U'\U0001D11E');
    EXPECT_EQ(Windows1252::unencodableMessage(U'\u0416'),
              QString::fromUtf8("The character 'Ж' (U+0416) cannot be stored in a Windows-1252 file"));
}
