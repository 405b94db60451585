#include "CapturedFailures.h"
#include "RecordsetOf.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(Recordset, CountsNavigationFieldLookupAndAMaximumThatKeepsTheCursor)
{
    CapturedFailures failures;
    EXPECT_TRUE(Recordset().atEnd()); // no fields: no records, no division failure
    Recordset rs = RecordsetOf({"ID", "Name"}, {"1", "a", "2", "b"});
    rs.setFieldNames("Extra"); // names past the field count take no part
    EXPECT_EQ(rs.fieldNames(), "ID,Name");
    EXPECT_EQ(rs.recordCount(), 2);
    rs.moveNext();
    EXPECT_EQ(rs.valueOf("id").toString(), "2");
    EXPECT_TRUE(rs.valueOf(2).isNull());

    EXPECT_TRUE(rs.valueOf(-1).isNull()); // would otherwise read the previous record's last field
    EXPECT_TRUE(rs.valueOf("Missing").isNull());
    rs.moveNext();
    EXPECT_TRUE(rs.valueOf("ID").isNull());
    ASSERT_EQ(failures.texts.size(), 3);
    for (const QString& text : failures.texts)
        EXPECT_TRUE(text.startsWith("Item: \"") && text.endsWith('"')) << text.toStdString();

    rs.remove(2);
    EXPECT_EQ(rs.recordCount(), 1.5);
    EXPECT_THROW(rs.remove(4), std::out_of_range);
    EXPECT_THROW(rs.setFieldCount("many"), std::invalid_argument);

    failures.texts.clear();
    Recordset ids = RecordsetOf({"ID"}, {"3", "12", "7"});
    ids.moveNext();
    EXPECT_EQ(std::pair(ids.getMax("ID"), ids.cursor()), std::pair(std::optional<qint32>(12), 1)) << "the cursor stays";
    EXPECT_EQ(RecordsetOf({"ID"}, {"2.5", "-4"}).getMax(0), 2); // halves go to even

    Recordset broken = RecordsetOf({"ID"}, {"3", "x", "99"});
    broken.moveNext();
    EXPECT_EQ(std::pair(broken.getMax("ID"), broken.cursor()), std::pair(std::optional<qint32>(), 1));
    EXPECT_EQ(failures.texts, QStringList{"getMax: \"Type mismatch: 'x' is not a number\""});

    failures.texts.clear();
    EXPECT_EQ(RecordsetOf({"ID"}, {}).getMax("ID"), 0); // reports the missing record once, counts it as 0
    EXPECT_TRUE(failures.texts.size() == 1 && failures.texts[0].startsWith("Item: ")) << failures.texts.join('\n').toStdString();
}

