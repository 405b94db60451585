#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

const QString values = QStringLiteral("Data\\Values.app");

QStringList column(Recordset rs, const QVariant& field)
{
    QStringList result;
    for (rs.moveFirst(); !rs.IsEOF(); rs.moveNext())
        result << rs.Item(field).toString();
    return result;
}

} // namespace

TEST(TableStore, AppendsRecordsOneByOneOrSeveralInOneRewrite)
{
    TempAppFolder app, oneByOne;
    CapturedFailures failures;
    Stream store(app.path()), other(oneByOne.path());
    app.writeDataFile("Values.app", "\"ID|Name|ParentID|Spare|Image\"\r\n");
    oneByOne.writeDataFile("Values.app", "\"ID|Name|ParentID|Spare|Image\"\r\n");
    EXPECT_TRUE(store.GetRecordset(values)->IsEOF());

    ASSERT_TRUE(store.InsertRecord("Data/Values.app", {7, "a|b", -1, 0, 3}));
    EXPECT_EQ(app.readDataFile("Values.app"), "\"ID|Name|ParentID|Spare|Image\xB1" "7|ab|-1|0|3\"\r\n");

    const QList<QVariantList> records = {{7, "a|b", -1, 0, 3}, {8, " x, y ", 7, 0, 1}, {9, "z\"\r\n", 7, 0, 1}};
    for (const QVariantList& record : records)
        other.InsertRecord(values, record);
    ASSERT_TRUE(store.InsertRecords(values, records.mid(1)));
    EXPECT_EQ(app.readDataFile("Values.app"), oneByOne.readDataFile("Values.app"));
    EXPECT_EQ(column(*store.GetRecordset(values), "Name"), (QStringList{"ab", "x, y", "z"}));
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}

TEST(TableStore, DeleteAndUpdateMatchWholeRecordsByNumber)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    app.writeDataFile("Values.app", "\"ID|Name\xB1" "12|a\xB1" "112|a\xB1" "2|b\xB1" "12b|c\"\r\n");
    EXPECT_EQ(column(*store.DeleteRecord(values, 12), "ID"), (QStringList{"112", "2"}));

    // The text "2|b" also occurs inside the record "12|b", which must not change.
    app.writeDataFile("Values.app", "\"ID|Name\xB1" "12|b\xB1" "2|b\"\r\n");
    ASSERT_TRUE(store.UpdateRecord(values, 2, {2, "new"}));
    EXPECT_EQ(app.readDataFile("Values.app"), "\"ID|Name\xB1" "12|b\xB1" "2|new\"\r\n");

    // Rewritten in the store's own form even when nothing matches.
    app.writeDataFile("Values.app", "ID|Name\xB1" "1|a");
    ASSERT_TRUE(store.DeleteRecord(values, 99));
    EXPECT_EQ(app.readDataFile("Values.app"), "\"ID|Name\xB1" "1|a\"\r\n");
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();

    EXPECT_FALSE(store.UpdateRecord(values, 1, {1, "a", "extra"}));
    EXPECT_FALSE(store.InsertRecord(values, {5}));
    EXPECT_EQ(failures.texts, (QStringList{"UpdateRecord: \"The record has 3 values but the table has 2 fields\"",
                                           "InsertRecord: \"The record has 1 values but the table has 2 fields\""}));
    EXPECT_EQ(app.readDataFile("Values.app"), "\"ID|Name\xB1" "1|a\"\r\n");
}

TEST(TableStore, BrokenRecordsAreRepairedOnReadAndStopChanges)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    const QByteArray broken = "\"ID|Name|Image\xB1" "1|a\xB1\xB1" "2|b|0|extra\"\r\n";
    app.writeDataFile("Values.app", broken);

    std::optional<Recordset> rs = store.GetRecordset(values);
    ASSERT_TRUE(rs);
    EXPECT_EQ(column(*rs, "ID"), (QStringList{"1", "", "2"}));
    EXPECT_EQ(column(*rs, "Image"), (QStringList{"", "", "0"}));
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("GetRecordset: \"")
                && failures.texts[0].contains("3 of 3 records do not have the 3 fields of the header"));

    failures.texts.clear();
    EXPECT_FALSE(store.DeleteRecord(values, 1));
    EXPECT_FALSE(store.UpdateRecord(values, 1, {1, "x", 0}));
    EXPECT_EQ(failures.texts, (QStringList{"DeleteRecord: \"Record 2 is empty: it has no ID field\"",
                                           "UpdateRecord: \"Record 2 is empty: it has no ID field\""}));
    EXPECT_EQ(app.readDataFile("Values.app"), broken);
}

TEST(TableStore, MissingFilesAreReportedWithoutWriting)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    EXPECT_FALSE(store.GetRecordset(values));
    EXPECT_FALSE(store.InsertRecord(values, {1, "a", 0, 0, 1}));
    EXPECT_FALSE(store.DeleteRecord("Missing\\Values.app", 1));
    EXPECT_FALSE(app.dataFileExists("Values.app"));
    ASSERT_EQ(failures.texts.size(), 3);
    EXPECT_TRUE(failures.texts[0].startsWith("GetRecordset: \"File not found: "));
    EXPECT_TRUE(failures.texts[1].startsWith("InsertRecord: \"File not found: ") && failures.texts[1].endsWith("Values.app\""));
    EXPECT_TRUE(failures.texts[2].startsWith("DeleteRecord: \"File not found: "));
}
