#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>
#include <random>

namespace {

class TextMaker
{
public:
    explicit TextMaker(std::mt19937& random)
        : random_(random)
    {
    }

    QString make(int maxPieces)
    {
        static const QStringList pieces = {"a", "Z", "7", " ", ",", "\"", "\r", "\n", "\r\n", "|",
                                           QString::fromUtf8("±"), QString::fromUtf8("é"),
                                           QString::fromUtf8("ß"), QString::fromUtf8("€"), "\t",
                                           "_$$$_002_$$$_", "word"};
        QString text;
        const int count = std::uniform_int_distribution<int>(0, maxPieces)(random_);
        for (int i = 0; i < count; ++i)
            text += pieces[std::uniform_int_distribution<qsizetype>(0, pieces.size() - 1)(random_)];
        return text;
    }

private:
    std::mt19937& random_;
};

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
    TextMaker maker(random);
    CapturedFailures failures;
    for (int round = 0; round < 40; ++round) {
        TempAppFolder app;
        Stream store(app.path());
        const int fields = std::uniform_int_distribution<int>(1, 5)(random);
        QByteArray header = "\"ID";
        for (int f = 1; f < fields; ++f)
            header += "|F" + QByteArray::number(f);
        app.writeDataFile("Values.app", header + "\"\r\n");

        QList<QVariantList> records;
        for (int r = std::uniform_int_distribution<int>(0, 6)(random); r > 0; --r) {
            QVariantList record;
            for (int f = 0; f < fields; ++f)
                record << maker.make(8);
            records << record;
        }
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
    TextMaker maker(random);
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    for (int round = 0; round < 200; ++round) {
        const QString text = maker.make(30);
        ASSERT_TRUE(store.WriteStream("TMP_key1", text));
        const QString expected = QString(text).replace("_$$$_002_$$$_", "\"") + "\r\n";
        ASSERT_EQ(store.ReadStream("TMP_key1"), expected) << "round " << round;
    }
    EXPECT_TRUE(failures.texts.isEmpty());
}
