#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

TEST(BodyFile, ReadsItemsLikeTheWindowsEditionAndReportsMissingFiles)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());

    ASSERT_TRUE(store.WriteStream("TMP_key1", ""));
    EXPECT_EQ(app.readDataFile("TMP_key1"), "\"\"\r\n");
    EXPECT_EQ(store.ReadStream("TMP_key1"), "\r\n");

    app.writeDataFile("TMP_key2", "one,\"two, _$$$_002_$$$_three\"\r\nfour\"five\"\n\"six");
    EXPECT_EQ(store.ReadStream("TMP_key2"), "one\r\ntwo, \"three\r\nfour\"five\"\r\nsix\r\n");
    EXPECT_TRUE(failures.texts.isEmpty());

    EXPECT_EQ(store.ReadStream("TMP_key9"), QString());
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("ReadStream: \"File not found: ") && failures.texts[0].endsWith("TMP_key9\""));
}
