#include "CapturedFailures.h"
#include "CatalogueContents.h"
#include "CatalogueKeys.h"
#include "Recordset.h"

#include <gtest/gtest.h>

namespace {

Recordset Table(const QStringList& header, const QList<QStringList>& records)
{
    Recordset table;
    table.setFieldCount(int(header.size()));
    for (const QString& name : header)
        table.setFieldNames(name);
    for (const QStringList& record : records)
        for (const QString& value : record)
            table.Add(value);
    return table;
}

const QStringList kHeader{"ID", "Name", "ParentID", "Spare", "Image"};

QStringList Keys(const CatalogueContents& c)
{
    QStringList keys;
    for (const CatalogueEntry& e : c.entries)
        keys << e.key + "<" + e.parentKey;
    return keys;
}

} // namespace

TEST(CatalogueKeys, LeadingNumbersAndTheNextFreeId)
{
    EXPECT_TRUE(IsRootKey("KEY-1"));
    EXPECT_EQ(LeadingNumber(" 12abc"), 12);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("99999999999"), 0);
    EXPECT_EQ(NextFreeId(0, 2, {}), 2);
    EXPECT_EQ(NextFreeId(7, 3, {}), 10);
    EXPECT_EQ(NextFreeId(7, 2, {9, 10, 12}), 11);
    // A maximum of 0 from a table of unreadable IDs must not reuse a stored one.
    EXPECT_EQ(NextFreeId(0, 2, {0, 2, 3}), 4);
    EXPECT_EQ(NextFreeId(-3, 2, {}), 0) << "never the root's ID";
}

TEST(CatalogueContents, PlacesRecordsParentsFirstAndFindsTheMaximum)
{
    // 5 names parent 6, which only comes later in the file.
    Recordset table = Table(kHeader, {{"3", "Customers", "-1", "0", "3"},
                                      {"5", "Early child", "6", "0", "2"},
                                      {"4", "CustomerId", "3", "0", "3"},
                                      {"6", "Orders", "-1", "0", "3"}});
    const CatalogueContents c = ReadCatalogue(table);
    EXPECT_TRUE(c.usable);
    EXPECT_TRUE(c.problems.isEmpty()) << c.problems.join('\n').toStdString();
    EXPECT_EQ(Keys(c), (QStringList{"key3<key-1", "key4<key3", "key6<key-1", "key5<key6"}));
    EXPECT_EQ(c.entries[3].text, "Early child");
    EXPECT_EQ(c.entries[3].image, 2);
    EXPECT_EQ(c.maxId, 6);
    EXPECT_EQ(table.cursor(), 0);
}

TEST(CatalogueContents, ReportsWhatCannotBePlacedAndKeepsTheRest)
{
    CapturedFailures failures;
    Recordset table = Table(kHeader, {{"3", "Good", "-1", "0", "3"},
                                      {"3", "Repeated", "-1", "0", "3"},
                                      {"x7", "Broken", "-1", "0", "3"},
                                      {"8", "Orphan", "40", "0", "3"},
                                      {"9", "Under orphan", "8", "0", "3"},
                                      {"10", "Bad parent", "zz", "0", "3"},
                                      {"-1", "Root again", "-1", "0", "3"},
                                      {"", "No ID", "-1", "0", "3"}});
    table.Add("11"); // an incomplete last record
    const CatalogueContents c = ReadCatalogue(table);
    EXPECT_EQ(Keys(c), (QStringList{"key3<key-1", "keyx7<key-1"})) << "an ID that is no number keeps its spelling";
    EXPECT_EQ(failures.texts, QStringList{"getMax: \"Type mismatch: 'x7' is not a number\""});
    ASSERT_EQ(c.problems.size(), 7) << c.problems.join('\n').toStdString();
    EXPECT_TRUE(c.problems.join('\n').contains("its parent 40 is not in the catalogue"));
    EXPECT_TRUE(c.problems.join('\n').contains("its parent zz is not in the catalogue"));
    EXPECT_TRUE(c.problems.join('\n').contains("used by an earlier record"));
    EXPECT_TRUE(c.problems.join('\n').contains("incomplete"));
    // IDs as the store matches them on delete: "x7" and "" count as 0.
    EXPECT_EQ(c.takenIds, (QSet<qint32>{-1, 0, 3, 8, 9, 10}));
    EXPECT_EQ(c.maxId, 10);
    EXPECT_EQ(RecordsWithId(table, 3), 2);
    EXPECT_EQ(RecordsWithId(table, 9), 1);
}

TEST(CatalogueContents, KeysAndParentsFollowTheIdsAsWritten)
{
    CapturedFailures failures;
    Recordset table = Table(kHeader, {{"07", "Seven, written 07", "-1", "0", "3"},
                                      {"7", "Seven", "-1", "0", "3"},
                                      {"8", "Under 07", "07", "0", "3"},
                                      {"9", "Under 7", "7", "0", "3"}});
    const CatalogueContents c = ReadCatalogue(table);
    EXPECT_EQ(Keys(c), (QStringList{"key07<key-1", "key7<key-1", "key8<key07", "key9<key7"}));
    EXPECT_TRUE(c.problems.isEmpty()) << c.problems.join('\n').toStdString();
    EXPECT_TRUE(failures.texts.isEmpty());
    EXPECT_EQ(RecordsWithId(table, 7), 2) << "the store would delete both, so neither may be removed alone";
}

TEST(CatalogueContents, AHeaderWithoutTheCatalogueFieldsIsUnusable)
{
    Recordset table = Table({"ID", "Name"}, {{"1", "a"}});
    const CatalogueContents c = ReadCatalogue(table);
    EXPECT_FALSE(c.usable);
    EXPECT_TRUE(c.entries.isEmpty());
    EXPECT_EQ(c.problems.size(), 1);
}
