#include "StoreFolder.h"

namespace {

const QString values = QStringLiteral("Data\\Values.app");

QStringList column(Recordset rs, const QVariant& field)
{
    QStringList result;
    for (rs.moveFirst(); !rs.atEnd(); rs.moveNext())
        result << rs.valueOf(field).toString();
    return result;
}

using TableStore = StoreFolder;

} // namespace

TEST_F(TableStore, MissingFilesAreReportedRecordsAppendAndDeleteWholeEmptyOnesAreSkippedAndWhatCannotBeHeldIsRefused)
{
    EXPECT_FALSE(store.readTable(values));
    EXPECT_FALSE(store.insertRecord(values, {1, "a", 0, 0, 1}));
    EXPECT_FALSE(store.deleteRecord("Missing\\Values.app", 1));
    EXPECT_FALSE(dataFileExists("Values.app"));
    EXPECT_TRUE(failures.texts.value(1).endsWith("Values.app\""));
    expectReported({"GetRecordset: \"File not found: ", "InsertRecord: \"File not found: ",
                    "DeleteRecord: \"File not found: "});

    TempAppFolder oneByOne;
    DataStore other(oneByOne.path());
    writeDataFile("Values.app", "\"ID|Name|ParentID|Spare|Image\"\r\n");
    oneByOne.writeDataFile("Values.app", "\"ID|Name|ParentID|Spare|Image\"\r\n");
    EXPECT_TRUE(store.readTable(values)->atEnd());

    ASSERT_TRUE(store.insertRecord("Data/Values.app", {7, "ab", -1, 0, 3}));
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name|ParentID|Spare|Image\xB1" "7|ab|-1|0|3\"\r\n");
    const QList<QVariantList> records = {{7, "ab", -1, 0, 3}, {8, " x, y ", 7, 0, 1}, {9, "z", 7, 0, 1}};
    for (const QVariantList& record : records)
        other.insertRecord(values, record);
    ASSERT_TRUE(store.insertRecords(values, records.mid(1)));
    EXPECT_EQ(readDataFile("Values.app"), oneByOne.readDataFile("Values.app"));
    EXPECT_EQ(column(*store.readTable(values), "Name"), (QStringList{"ab", "x, y", "z"}));

    writeDataFile("Values.app", "\"ID|Name\xB1" "12|a\xB1" "112|a\xB1" "2|b\xB1" "12b|c\"\r\n");
    EXPECT_EQ(column(*store.deleteRecord(values, 12), "ID"), (QStringList{"112", "2"}));
    // The text "2|b" also occurs inside the record "12|b", which must stay.
    writeDataFile("Values.app", "\"ID|Name\xB1" "12|b\xB1" "2|b\"\r\n");
    ASSERT_TRUE(store.deleteRecord(values, 2));
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name\xB1" "12|b\"\r\n");
    // Rewritten in the store's own form even when nothing matches.
    writeDataFile("Values.app", "ID|Name\xB1" "1|a");
    ASSERT_TRUE(store.deleteRecord(values, 99));
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name\xB1" "1|a\"\r\n");

    EXPECT_FALSE(store.insertRecord(values, {5}));
    EXPECT_EQ(failures.texts, QStringList{"InsertRecord: \"The record has 1 values but the table has 2 fields\""});
    failures.texts.clear();

    // Names holding the file's separators are refused by name.
    const std::pair<QString, QString> separators[] = {
        {"pipe|name", "The character '|' (U+007C)"},
        {QString::fromUtf8("plus±minus"), QString::fromUtf8("The character '±' (U+00B1)")},
        {"say \"hi\"", "The character '\"' (U+0022)"},
        {"two\r\nlines", "A line break (U+000D)"},
        {"\n", "A line break (U+000A)"},
    };
    for (const auto& [name, named] : separators) {
        EXPECT_FALSE(store.insertRecord(values, {2, name}));
        expectReported({"InsertRecord: \"" + named});
    }
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name\xB1" "1|a\"\r\n");

    // Empty records are no records, broken ones are padded.
    const struct { QByteArray text; QStringList ids, names; bool reported; } cases[] = {
        {"ID|Name\xB1\xB1" "1|a", {"1"}, {"a"}, false},
        {"ID|Name\xB1" "1|a\xB1", {"1"}, {"a"}, false},
        {"ID|Name\xB1" "1|a\xB1\xB1\xB1" "2|b\xB1\xB1", {"1", "2"}, {"a", "b"}, false},
        {"ID|Name\xB1", {}, {}, false},
        {"ID|Name\xB1" "1|a\xB1" "2\xB1" "3|c|extra", {"1", "2", "3"}, {"a", "", "c"}, true},
        {"ID|Name\xB1 \xB1" "1|a", {""}, {""}, true}, // a blank record is a record with one empty field
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        failures.texts.clear();
        writeDataFile("Values.app", '"' + c.text + "\"\r\n");
        std::optional<Recordset> rs = store.readTable(values);
        ASSERT_TRUE(rs);
        EXPECT_EQ(column(*rs, "ID").mid(0, c.ids.size()), c.ids);
        EXPECT_EQ(column(*rs, "Name").mid(0, c.names.size()), c.names);
        ASSERT_EQ(failures.texts.size(), c.reported ? 1 : 0) << failures.texts.join('\n').toStdString();
        EXPECT_TRUE(!c.reported || failures.texts[0].contains("missing fields were read as empty"));
        // Removing a record keeps the empty ones as they were and the others whole.
        ASSERT_TRUE(store.deleteRecord(values, 99));
        EXPECT_EQ(readDataFile("Values.app"), '"' + c.text + "\"\r\n");
    }

    // Hostile shapes, 40 KB files that padded record by record would need hundreds of millions of
    // values, are read in linear memory or refused.
    constexpr int n = 20000;
    const std::pair<QByteArray, bool> hostile[] = {
        {"ID" + QByteArray(n, '|') + QByteArray(n, '\xB1'), true}, // a wide header and only empty records
        {"ID" + QByteArray(n, '|') + QByteArray(n / 2, '\xB1').replace("\xB1", "\xB1x"), false},
        {"ID" + QByteArray(n / 2, '|') + QByteArray(n / 2, '\xB1').replace("\xB1", "\xB1|"), false},
        {"ID|Name|ParentID|Spare|Image" + QByteArray(n / 2, '\xB1').replace("\xB1", "\xB1" "1"), true},
    };
    for (const auto& [text, readable] : hostile) {
        failures.texts.clear();
        writeDataFile("Values.app", '"' + text + "\"\r\n");
        const std::optional<Recordset> rs = store.readTable(values);
        ASSERT_EQ(rs.has_value(), readable);
        EXPECT_LE(readable ? rs->valueCount() : 0, 10 * text.size());
        EXPECT_EQ(failures.texts.size() == 1 && failures.texts[0].startsWith("GetRecordset: \"")
                      && failures.texts[0].contains("so many fields are missing that the file cannot be read"),
                  !readable) << failures.texts.join('\n').toStdString();
    }
}
