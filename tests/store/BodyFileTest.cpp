#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

TEST(BodyFile, QuotesTravelAsTokens)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());

    ASSERT_TRUE(store.WriteStream("TMP_key1", "say \"hi\", twice\r\nnext line"));
    EXPECT_EQ(app.readDataFile("TMP_key1"), "\"say _$$$_002_$$$_hi_$$$_002_$$$_, twice\r\nnext line\"\r\n");
    EXPECT_EQ(store.ReadStream("TMP_key1"), "say \"hi\", twice\r\nnext line\r\n");

    ASSERT_TRUE(store.WriteStream("TMP_key2", "a _$$$_002_$$$_ b"));
    EXPECT_EQ(store.ReadStream("TMP_key2"), "a \" b\r\n");

    ASSERT_TRUE(store.WriteStream("TMP_key3", ""));
    EXPECT_EQ(app.readDataFile("TMP_key3"), "\"\"\r\n");
    EXPECT_EQ(store.ReadStream("TMP_key3"), "\r\n");
    EXPECT_TRUE(failures.texts.isEmpty());
}

TEST(BodyFile, ItemsOutsideQuotesAreReadLikeTheWindowsEdition)
{
    TempAppFolder app;
    Stream store(app.path());
    app.writeDataFile("TMP_key1", "one,\"two, three\"\r\nfour\"five\"\n\"six");
    EXPECT_EQ(store.ReadStream("TMP_key1"), "one\r\ntwo, three\r\nfour\"five\"\r\nsix\r\n");
}

TEST(BodyFile, MissingFileIsReported)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    EXPECT_EQ(store.ReadStream("TMP_key9"), QString());
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("ReadStream: \"File not found: "));
    EXPECT_TRUE(failures.texts[0].endsWith("TMP_key9\""));
}
