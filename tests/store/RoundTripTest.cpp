#include "CapturedFailures.h"
#include "RandomText.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

const QStringList kPieces = {"a", "Z", "7", " ", ",", "\"", "\r", "\n", "\r\n", "|", "\t", "word",
                             QString::fromUtf8("±"), QString::fromUtf8("é"), QString::fromUtf8("ß"),
                             QString::fromUtf8("€"), "_$$$_002_$$$_"};

// What a table keeps of a value: no quotes, line breaks or separators, no outer spaces.
QString storedValue(QString value)
{
    value.removeIf([](QChar c) { return QStringLiteral("\"\r\n|±").contains(c); });
    while (value.startsWith(u' '))
        value.remove(0, 1);
    while (value.endsWith(u' '))
        value.chop(1);
    return value;
}

} // namespace

TEST(RoundTrip, TablesKeepEverythingButTheDocumentedCharacters)
{
    std::mt19937 random(20240611);
    CapturedFailures failures;
    for (int round = 0; round < 40; ++round) {
        TempAppFolder app;
        Stream store(app.path());
        const int fields = std::uniform_int_distribution<int>(1, 5)(random);
        QByteArray header = "\"ID";
        for (int f = 1; f < fields; ++f)
            header += "|F" + QByteArray::number(f);
        app.writeDataFile("Values.app", header + "\"\r\n");

        QList<QVariantList> records(std::uniform_int_distribution<int>(0, 6)(random));
        for (QVariantList& record : records)
            for (int f = 0; f < fields; ++f)
                record << RandomText(random, kPieces, 8);
        std::optional<Recordset> rs = store.InsertRecords("Data/Values.app", records);
        ASSERT_TRUE(rs);
        ASSERT_EQ(rs->RecordCount(), records.size());
        for (const QVariantList& record : records) {
            for (int f = 0; f < fields; ++f)
                ASSERT_EQ(rs->Item(f).toString(), storedValue(record[f].toString())) << "round " << round;
            rs->moveNext();
        }
    }
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}

TEST(RoundTrip, BodiesComeBackWithOneLineBreakAdded)
{
    std::mt19937 random(7);
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    for (int round = 0; round < 200; ++round) {
        const QString text = RandomText(random, kPieces, 30);
        ASSERT_TRUE(store.WriteStream("TMP_key1", text));
        // Only a text holding the quote token itself loses something: the token turns into a quote.
        ASSERT_EQ(store.ReadStream("TMP_key1"), QString(text).replace("_$$$_002_$$$_", "\"") + "\r\n") << round;
    }
    EXPECT_TRUE(failures.texts.isEmpty());
}
