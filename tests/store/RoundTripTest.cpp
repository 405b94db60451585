#include "RandomText.h"
#include "StoreFolder.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QStringList kPieces = {"a", "Z", "7", " ", ",", "\"", "\r", "\n", "\r\n", "|", "\t", "word",
                             QString::fromUtf8("±"), QString::fromUtf8("é"), QString::fromUtf8("ß"),
                             QString::fromUtf8("€"), "_$$$_002_$$$_"};

// What a table keeps of a value: everything but its outer spaces.
QString storedValue(QString value)
{
    return value.remove(QRegularExpression(R"(^ +| +\z)"));
}

using RoundTrip = StoreFolder;

} // namespace

TEST_F(RoundTrip, TablesKeepEveryValueOrRefuseItWholeAndBodiesComeBackWithALineBreak)
{
    std::mt19937 random(20240611);
    const QString refused = QStringLiteral("\"\r\n|±");
    for (int round = 0; round < 40; ++round) {
        failures.texts.clear();
        const int fields = std::uniform_int_distribution<int>(1, 5)(random);
        QByteArray header = "\"ID";
        for (int f = 1; f < fields; ++f)
            header += "|F" + QByteArray::number(f);
        writeDataFile("Values.app", header + "\"\r\n");

        QList<QVariantList> kept;
        const int attempts = std::uniform_int_distribution<int>(0, 6)(random);
        for (int r = 0; r < attempts; ++r) {
            QVariantList record;
            QString joined;
            for (int f = 0; f < fields; ++f) {
                record << RandomText(random, kPieces, 3);
                joined += record.last().toString();
            }
            // A one-field record with an empty value would read back as no record.
            const bool storable = std::none_of(joined.begin(), joined.end(), [&](QChar c) { return refused.contains(c); })
                                  && (fields > 1 || !storedValue(joined).isEmpty());
            const QByteArray before = readDataFile("Values.app");
            ASSERT_EQ(store.insertRecord("Data/Values.app", record).has_value(), storable) << joined.toStdString();
            if (storable)
                kept << record;
            else
                ASSERT_EQ(readDataFile("Values.app"), before);
        }
        ASSERT_EQ(failures.texts.size(), attempts - kept.size()) << "every refusal is reported";
        std::optional<Recordset> rs = store.readTable("Data/Values.app");
        ASSERT_TRUE(rs);
        ASSERT_EQ(rs->recordCount(), kept.size());
        for (const QVariantList& record : kept) {
            for (int f = 0; f < fields; ++f)
                ASSERT_EQ(rs->valueOf(f).toString(), storedValue(record[f].toString())) << "round " << round;
            rs->moveNext();
        }
    }

    random.seed(7);
    failures.texts.clear();
    for (int round = 0; round < 200; ++round) {
        const QString text = RandomText(random, kPieces, 30);
        ASSERT_TRUE(store.writeBody("TMP_key1", text));
        // Only a text holding the quote token itself loses something: the token turns into a quote.
        ASSERT_EQ(store.readBody("TMP_key1"), QString(text).replace("_$$$_002_$$$_", "\"") + "\r\n") << round;
    }
    EXPECT_TRUE(failures.texts.isEmpty());
}

