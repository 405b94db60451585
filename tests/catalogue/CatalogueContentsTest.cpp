#include "CapturedFailures.h"
#include "CatalogueContents.h"
#include "CatalogueKeys.h"
#include "RecordsetOf.h"

#include <gtest/gtest.h>

namespace {

// A table with the catalogue's fields, records given as ID, Name and ParentID.
Recordset Table(const QList<QStringList>& records, const QStringList& header = {"ID", "Name", "ParentID", "Spare", "Image"})
{
    QStringList values;
    for (const QStringList& record : records)
        values << record + QStringList{"0", "3"}.mid(0, header.size() - record.size());
    return RecordsetOf(header, values);
}

QStringList Keys(const CatalogueContents& c)
{
    QStringList keys;
    for (const CatalogueEntry& e : c.entries)
        keys << e.key + "<" + e.parentKey;
    return keys;
}

} // namespace

TEST(CatalogueContents, PlacesRecordsParentsFirstReportsWhatCannotBePlacedAndFindsFreeIds)
{
    CapturedFailures failures;
    // 5 names parent 6, which only comes later in the file; "07" and "7" are two keys.
    Recordset table = Table({{"07", "Seven", "-1"}, {"7", "Seven", "-1"}, {"8", "Under 07", "07"}, {"9", "Under 7", "7"},
                             {"3", "Customers", "-1"}, {"5", "Early child", "6", "0", "2"}, {"4", "CustomerId", "3"},
                             {"6", "Orders", "-1"}});
    const CatalogueContents c = ReadCatalogue(table);
    EXPECT_TRUE(c.usable && c.problems.isEmpty() && failures.texts.isEmpty()) << c.problems.join('\n').toStdString();
    EXPECT_EQ(Keys(c), (QStringList{"key07<key-1", "key7<key-1", "key8<key07", "key9<key7", "key3<key-1", "key4<key3",
                                    "key6<key-1", "key5<key6"}));
    EXPECT_EQ(std::make_pair(c.entries[7].text, c.entries[7].image), std::make_pair(QString("Early child"), 2));
    EXPECT_EQ(std::make_pair(c.maxId, table.cursor()), std::make_pair(qint32(9), qint32(0))) << "the cursor stays at the start";
    EXPECT_EQ(RecordsWithId(table, 7), 2) << "the store would delete both, so neither may be removed alone";

    failures.texts.clear();
    Recordset broken = Table({{"3", "Good", "-1"}, {"3", "Repeated", "-1"}, {"x7", "Broken", "-1"}, {"8", "Orphan", "40"},
                              {"9", "Under orphan", "8"}, {"10", "Bad parent", "zz"}, {"-1", "Root again", "-1"},
                              {"", "No ID", "-1"}});
    broken.add(u"11"); // an incomplete last record
    const CatalogueContents damaged = ReadCatalogue(broken);
    EXPECT_EQ(Keys(damaged), (QStringList{"key3<key-1", "keyx7<key-1"}))
        << "an ID that is no number keeps its spelling";
    EXPECT_EQ(failures.texts, QStringList{"getMax: \"Type mismatch: 'x7' is not a number\""});
    ASSERT_EQ(damaged.problems.size(), 7) << damaged.problems.join('\n').toStdString();
    for (const char* problem : {"its parent 40 is not in the catalogue", "its parent zz is not in the catalogue",
                                "used by an earlier record", "incomplete"})
        EXPECT_TRUE(damaged.problems.join('\n').contains(problem)) << problem;
    // IDs as the store matches them on delete: "x7" and "" count as 0.
    EXPECT_EQ(std::pair(damaged.takenIds, damaged.maxId), std::pair(QSet<qint32>{-1, 0, 3, 8, 9, 10}, 10));
    EXPECT_EQ(std::make_pair(RecordsWithId(broken, 3), RecordsWithId(broken, 9)), (std::pair<qsizetype, qsizetype>(2, 1)));

    Recordset withoutCatalogueFields = Table({{"1", "a"}}, {"ID", "Name"});
    const CatalogueContents unusable = ReadCatalogue(withoutCatalogueFields);
    EXPECT_TRUE(!unusable.usable && unusable.entries.isEmpty() && unusable.problems.size() == 1);

    EXPECT_TRUE(IsRootKey("KEY-1"));
    EXPECT_EQ(QList<qint32>({LeadingNumber(" 12abc"), LeadingNumber("abc"), LeadingNumber("99999999999")}),
              QList<qint32>({12, 0, 0}));
    // A maximum of 0 from a table of unreadable IDs must not reuse a stored one; the root's ID is never free.
    EXPECT_EQ(QList<qint32>({NextFreeId(0, 2, {}), NextFreeId(7, 3, {}), NextFreeId(7, 2, {9, 10, 12}),
                             NextFreeId(0, 2, {0, 2, 3}), NextFreeId(-3, 2, {})}),
              QList<qint32>({2, 10, 11, 4, 0}));
}


TEST(CatalogueContents, ARenamedRecordChangesItsNameAloneWhereverTheHeaderPutsIt)
{
    Recordset table = Table({{"4", "-1", "Old", "0", "1"}, {"07", "4", "Seven", "x", "2"}},
                            {"ID", "ParentID", "Name", "Spare", "Image"});
    EXPECT_EQ(RenamedRecord(table, 7, "New"), (QVariantList{"07", "4", "New", "x", "2"}))
        << "the ID as written, the parent, the spare field and the image stay";
    EXPECT_EQ(RenamedRecord(table, 4, "Top"), (QVariantList{"4", "-1", "Top", "0", "1"}));
    EXPECT_EQ(RenamedRecord(table, 5, "None"), std::nullopt);
    Recordset nameless = Table({{"1", "a"}}, {"ID", "Label"});
    EXPECT_EQ(RenamedRecord(nameless, 1, "b"), std::nullopt);
}
