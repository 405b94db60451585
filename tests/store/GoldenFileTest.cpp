#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

// Files as the Windows edition writes them, byte for byte.
namespace {

const QByteArray goldenTable = "\"ID|Name|ParentID|Spare|Image"
                               "\xB1" "1|Gr\xF6\xDF" "e|-1|0|1"
                               "\xB1" "2|Caf\xE9 \x80 \x93x\x94, \x81|1|0|2\"\r\n";
const QByteArray goldenBody = "\"SELECT _$$$_002_$$$_Gr\xF6\xDF" "e_$$$_002_$$$_,\xB1\r\n"
                              "FROM t_$$$_001_$$$_\x85\"\r\n";

} // namespace

TEST(GoldenFile, TableReadsExactlyAndWritesBackTheSameBytes)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    app.writeDataFile("Values.app", goldenTable);

    std::optional<Recordset> rs = store.GetRecordset("Data\\Values.app");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->FieldNames(), "ID,Name,ParentID,Spare,Image");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Item("Name").toString(), QString::fromUtf8("Größe"));
    rs->moveNext();
    EXPECT_EQ(rs->Item("Name").toString(), QString::fromUtf8("Café € “x”, \u0081"));
    EXPECT_EQ(rs->Item("Image").toString(), "2");

    ASSERT_TRUE(store.UpdateRecord("Data\\Values.app", 1, {1, QString::fromUtf8("Größe"), -1, 0, 1}));
    EXPECT_EQ(app.readDataFile("Values.app"), goldenTable);
    EXPECT_TRUE(failures.texts.isEmpty());
}

TEST(GoldenFile, BodyReadsExactlyAndWritesBackTheSameBytes)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    app.writeDataFile("TMP_key3", goldenBody);

    const QString body = store.ReadStream("TMP_key3");
    EXPECT_EQ(body, QString::fromUtf8("SELECT \"Größe\",±\r\nFROM t_$$$_001_$$$_…\r\n"));
    ASSERT_TRUE(store.WriteStream("TMP_key4", body.chopped(2)));
    EXPECT_EQ(app.readDataFile("TMP_key4"), goldenBody);
    EXPECT_TRUE(failures.texts.isEmpty());
}
