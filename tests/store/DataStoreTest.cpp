#include "CapturedFailures.h"
#include "DataStore.h"
#include "FileSizeLimit.h"
#include "RandomText.h"
#include "TempAppFolder.h"
#include "Windows1252.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <tuple>

namespace {

// A throw-away application folder, a store over it and the failures the store reports.
struct StoreFolder : testing::Test, TempAppFolder
{
    CapturedFailures failures;
    DataStore store{path()};

    // The failures reported since the last look begin with `starts`, in order.
    void expectReported(const QStringList& starts)
    {
        ASSERT_EQ(failures.texts.size(), starts.size()) << failures.texts.join('\n').toStdString();
        for (qsizetype i = 0; i < starts.size(); ++i)
            EXPECT_TRUE(failures.texts[i].startsWith(starts[i])) << failures.texts[i].toStdString();
        failures.texts.clear();
    }
};

// Files as the Windows edition writes them, byte for byte.
const QByteArray goldenTable = "\"ID|Name|ParentID|Spare|Image"
                               "\xB1" "1|Gr\xF6\xDF" "e|-1|0|1"
                               "\xB1" "2|Caf\xE9 \x80 \x93x\x94, \x81|1|0|2\"\r\n";
const QByteArray goldenBody = "\"SELECT _$$$_002_$$$_Gr\xF6\xDF" "e_$$$_002_$$$_,\xB1\r\n"
                              "FROM t_$$$_001_$$$_\x85\"\r\n";

const QString values = QStringLiteral("Data\\Values.app");

const QStringList kPieces = {"a", "Z", "7", " ", ",", "\"", "\r", "\n", "\r\n", "|", "\t", "word",
                             QString::fromUtf8("±"), QString::fromUtf8("é"), QString::fromUtf8("ß"),
                             QString::fromUtf8("€"), "_$$$_002_$$$_"};

// What a table keeps of a value: everything but its outer spaces.
QString storedValue(QString value)
{
    return value.remove(QRegularExpression(R"(^ +| +\z)"));
}

QStringList column(Recordset rs, const QVariant& field)
{
    QStringList result;
    for (rs.moveFirst(); !rs.atEnd(); rs.moveNext())
        result << rs.valueOf(field).toString();
    return result;
}

using TableStore = StoreFolder;
using RoundTrip = StoreFolder;
using GoldenFile = StoreFolder;

const QByteArray oldTable = "\"ID|Name|ParentID|Spare|Image\xB1" "1|Gr\xF6\xDF" "e|-1|0|1\"\r\n";
const QByteArray oldBody = "\"old\"\r\n";

struct FailedWrite : StoreFolder
{
    FailedWrite() { writeDataFile("Values.app", oldTable); writeDataFile("TMP_key1", oldBody); }
    bool intact() const { return readDataFile("Values.app") == oldTable && readDataFile("TMP_key1") == oldBody; }
};

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

    ASSERT_TRUE(store.insertRecord("Data/Values.app", {7, "ab", -1, 0, 3}));
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name|ParentID|Spare|Image\xB1" "7|ab|-1|0|3\"\r\n");
    const QList<QVariantList> records = {{7, "ab", -1, 0, 3}, {8, " x, y ", 7, 0, 1}, {9, "z", 7, 0, 1}};
    for (const QVariantList& record : records)
        other.insertRecord(values, record);
    ASSERT_TRUE(store.insertRecords(values, records.mid(1)));
    EXPECT_EQ(readDataFile("Values.app"), oneByOne.readDataFile("Values.app"));

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
}

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

    // Quotes next to the quote token's own characters, and the token itself, come back as they were.
    const QStringList tokenPieces = {"\"", "_$$$_002_$$$_", "_$$$_002", "_$$$_002_$$$", "_$$$_", "_", "$", "002", "a", "\r\n"};
    random.seed(7);
    failures.texts.clear();
    for (int round = 0; round < 300; ++round) {
        const QString text = RandomText(random, round % 3 ? tokenPieces : kPieces, 30);
        ASSERT_TRUE(store.writeBody("TMP_key1", text));
        ASSERT_EQ(store.readBody("TMP_key1"), text + "\r\n") << text.toStdString();
        // Split into pieces anywhere, the text is stored the same.
        const qsizetype cut = round % (text.size() + 1);
        ASSERT_TRUE(store.writeBody("TMP_key2", QList<QStringView>{QStringView(text).first(cut), QStringView(text).sliced(cut)}));
        ASSERT_EQ(readDataFile("TMP_key2"), readDataFile("TMP_key1"));
    }
    EXPECT_TRUE(failures.texts.isEmpty());

    // Where the token would form around a quote, a doubled quote keeps the parts apart.
    ASSERT_TRUE(store.writeBody("TMP_key1", "x_$$$_002\" and _$$$_002_$$$_"));
    EXPECT_EQ(readDataFile("TMP_key1"), "\"x_$$$_002\"\"_$$$_002_$$$_ and _$$$_002_$$$\"\"_\"\r\n");
    writeDataFile("TMP_key2", "\"a\"\"b\",\"c\"\r\n");
    EXPECT_EQ(store.readBody("TMP_key2"), "ab\r\nc\r\n");
}

TEST_F(RoundTrip, ABodysVersionFollowsItsBytesNotItsTimesAndTellsAMissingBodyFromAnEmptyOne)
{
    EXPECT_TRUE(store.bodyVersion("TMP_key1").isEmpty());
    writeDataFile("TMP_key1", "");
    const QByteArray empty = store.bodyVersion("TMP_key1");
    EXPECT_FALSE(empty.isEmpty());
    ASSERT_TRUE(store.writeBody("TMP_key1", "text one"));
    const QByteArray one = store.bodyVersion("TMP_key1");
    EXPECT_NE(one, empty);
    ASSERT_TRUE(store.writeBody("TMP_key1", "text one"));
    EXPECT_EQ(store.bodyVersion("TMP_key1"), one) << "the same bytes written again";
    const QDateTime modified = QFileInfo(dataPath("TMP_key1")).lastModified();
    writeDataFile("TMP_key1", "\"text two\"\r\n");
    QFile file(dataPath("TMP_key1"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime));
    EXPECT_NE(store.bodyVersion("TMP_key1"), one) << "as long and as old, but other bytes";
    EXPECT_TRUE(failures.texts.isEmpty());
}

TEST_F(GoldenFile, FilesReadLikeTheWindowsEditionAndTheShippedDataIsWhatTheStoreWrites)
{
    writeDataFile("Values.app", goldenTable);
    std::optional<Recordset> rs = store.readTable("Data\\Values.app");
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->valueOf("Name").toString(), QString::fromUtf8("Größe"));
    rs->moveNext();
    EXPECT_EQ(rs->valueOf("Name").toString(), QString::fromUtf8("Café € “x”, \u0081"));
    ASSERT_TRUE(store.deleteRecord("Data\\Values.app", 99)); // rewrites every record, removes none
    EXPECT_EQ(readDataFile("Values.app"), goldenTable);

    writeDataFile("TMP_key3", goldenBody);
    const QString body = store.readBody("TMP_key3");
    EXPECT_EQ(body, QString::fromUtf8("SELECT \"Größe\",±\r\nFROM t_$$$_001_$$$_…\r\n"));
    ASSERT_TRUE(store.writeBody("TMP_key4", body.chopped(2)));
    EXPECT_EQ(readDataFile("TMP_key4"), goldenBody);

    ASSERT_TRUE(store.writeBody("TMP_key1", ""));
    EXPECT_EQ(readDataFile("TMP_key1"), "\"\"\r\n");
    EXPECT_EQ(store.readBody("TMP_key1"), "\r\n");
    writeDataFile("TMP_key2", "one,\"two, _$$$_002_$$$_three\"\r\nfour\"five\"\n\"six");
    EXPECT_EQ(store.readBody("TMP_key2"), "one\r\ntwo, \"three\r\nfour\"five\"\r\nsix\r\n");
    EXPECT_EQ(store.readBody("TMP_key9"), QString());
    EXPECT_TRUE(failures.texts.value(0).endsWith("TMP_key9\""));
    expectReported({"ReadStream: \"File not found: "});

    // Every byte survives a round trip through text.
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString text = Windows1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.mid(0x80, 2), QString(QChar(0x20AC)) + QChar(0x0081)) << "undefined bytes keep their value";
    EXPECT_EQ(Windows1252::encode(text), all);
    EXPECT_EQ(Windows1252::encode(u"\u0080"), std::nullopt); // the C1 control whose byte means "€"

    // The Data folder shipped with the program reads cleanly and is byte for byte what the store writes.
    const QDir shipped(QStringLiteral(VELLUMATIC_SHIPPED_DATA));
    const QStringList files = shipped.entryList(QDir::Files);
    ASSERT_TRUE(files.contains("Tempalates.app") && files.contains("Values.app"));
    for (const QString& name : files) {
        QFile::remove(dataPath(name)); // the bodies above used some of the names
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), dataPath(name))) << name.toStdString();
        const QByteArray before = readDataFile(name);
        if (name.endsWith(".app")) {
            std::optional<Recordset> rs = store.deleteRecord("Data/" + name, std::numeric_limits<qint32>::min());
            ASSERT_TRUE(rs) << name.toStdString();
            EXPECT_EQ(rs->fieldNames(), "ID,Name,ParentID,Spare,Image") << name.toStdString();
        } else {
            ASSERT_TRUE(store.writeBody(name, store.readBody(name).chopped(2))) << name.toStdString();
        }
        EXPECT_EQ(readDataFile(name), before) << name.toStdString();
    }
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}

// A record update rewrites only the records of that ID, whole, in place, and keeps every other byte.
TEST_F(TableStore, AnUpdateReplacesTheRecordsOfItsIdInPlaceAndRefusesWhatItCannotStore)
{
    const QByteArray file = "\"ID|Name|ParentID|Spare|Image\xB1" "12|Gr\xF6\xDF" "e|-1|0|1\xB1\xB1"
                            "2|b|12|0|2\xB1" "112|b|-1|0|3\xB1" "3|Caf\xE9|2|0|3\"\r\n";
    writeDataFile("Values.app", file);
    std::optional<Recordset> rs = store.updateRecord(values, 2, {2, QString::fromUtf8(" Café € "), 12, 0, 2});
    ASSERT_TRUE(rs);
    EXPECT_EQ(column(*rs, "Name"), (QStringList{QString::fromUtf8("Größe"), QString::fromUtf8("Café €"), "b",
                                                QString::fromUtf8("Café")}));
    const QByteArray renamed = "\"ID|Name|ParentID|Spare|Image\xB1" "12|Gr\xF6\xDF" "e|-1|0|1\xB1\xB1"
                               "2|Caf\xE9 \x80|12|0|2\xB1" "112|b|-1|0|3\xB1" "3|Caf\xE9|2|0|3\"\r\n";
    EXPECT_EQ(readDataFile("Values.app"), renamed) << "the empty record and the ID 112 stay as they were";
    // "2|b" also ends the record "12|b": only the record of ID 2 changes.
    writeDataFile("Values.app", "\"ID|Name\xB1" "12|b\xB1" "2|b\"\r\n");
    ASSERT_TRUE(store.updateRecord(values, 2, {2, "c"}));
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name\xB1" "12|b\xB1" "2|c\"\r\n");
    expectReported({});

    writeDataFile("Values.app", file);
    const std::tuple<qint32, QVariantList, QString> refused[] = {
        {7, {7, "x", -1, 0, 3}, "UpdateRecord: \"The table holds no record with the ID 7\""},
        {12, {12, "x"}, "UpdateRecord: \"The record has 2 values but the table has 5 fields\""},
        {12, {12, "a|b", -1, 0, 1}, "UpdateRecord: \"The character '|' (U+007C)"},
    };
    for (const auto& [id, record, message] : refused) {
        EXPECT_FALSE(store.updateRecord(values, id, record));
        expectReported({message});
    }
    EXPECT_EQ(readDataFile("Values.app"), file);
    EXPECT_FALSE(store.updateRecord("Missing\\Values.app", 12, {12, "x", -1, 0, 3}));
    expectReported({"UpdateRecord: \"File not found: "});
}

// Long bodies are written a stretch at a time; wherever a stretch ends, a character without
// a byte is still named whole and the old body stays, and a good body comes back the same.
TEST_F(FailedWrite, RefusedCharactersAFullDiskOrAFolderInTheWayLeaveTheOldFilesAndLongBodiesAreWrittenWhole)
{
    EXPECT_FALSE(store.insertRecord("Data\\Values.app", {2, QString::fromUtf8("Ж"), 1, 0, 1}));
    EXPECT_FALSE(store.writeBody("TMP_key1", QString::fromUtf8("smile \U0001F600")));
    const QString emoji = QString::fromUtf8("\U0001F600");
    for (int bits = 10; bits <= 20; ++bits) {
        const QString before(qsizetype(1) << bits, u'x');
        EXPECT_FALSE(store.writeBody("TMP_key1", before.chopped(1) + emoji + before));
        EXPECT_FALSE(store.writeBody("TMP_key1", before + emoji));
    }
    ASSERT_EQ(failures.texts.size(), 24);
    EXPECT_EQ(failures.texts[0], QString::fromUtf8("InsertRecord: \"The character 'Ж' (U+0416) cannot be stored in a "
                                                    "Windows-1252 file\""));
    for (const QString& text : failures.texts.mid(1))
        EXPECT_TRUE(text.contains(QString::fromUtf8("'\U0001F600' (U+1F600)"))) << text.toStdString();
    EXPECT_TRUE(intact());
    failures.texts.clear();

    // A full disk (one byte short of the old table, so a delete fails too) leaves no temporary file and is
    // named in the system's own words, not as an unknown error.
    {
        FileSizeLimit limit(oldTable.size() - 1);
        EXPECT_FALSE(store.insertRecord("Data/Values.app", {2, "Name", 1, 0, 1}));
        EXPECT_FALSE(store.deleteRecord("Data/Values.app", 99));
        EXPECT_FALSE(store.updateRecord("Data/Values.app", 1, {1, "Longer", -1, 0, 1}));
        EXPECT_FALSE(store.writeBody("TMP_key1", QString(100, u'x')));
    }
    EXPECT_TRUE(intact());
    EXPECT_EQ(QDir(dataPath()).entryList(QDir::Files).size(), 2);
    for (const QString& text : failures.texts)
        EXPECT_TRUE(text.endsWith(": " + QString::fromLocal8Bit(std::strerror(EFBIG)) + "\"")) << text.toStdString();

    QString body;
    for (int i = 0; body.size() < 300'000; ++i)
        body += QString::fromUtf8("line %1 \u00e9\u20ac ").arg(i);
    ASSERT_TRUE(store.writeBody("TMP_key1", QList<QStringView>{body, u"tail"}));
    EXPECT_EQ(store.readBody("TMP_key1"), body + "tail\r\n"); // read back with the item's line end

    QDir(dataPath()).mkdir("TMP_key2");
    EXPECT_FALSE(store.writeBody("TMP_key2", "text"));
    QDir(dataPath()).removeRecursively();
    EXPECT_FALSE(store.writeBody("TMP_key1", "text"));
    EXPECT_FALSE(QFile::exists(dataPath()));
    expectReported({"InsertRecord: \"Cannot write ", "DeleteRecord: \"Cannot write ", "UpdateRecord: \"Cannot write ",
                    "WriteStream: \"Cannot write ",
                    "WriteStream: \"Cannot write ", "WriteStream: \"Cannot write "});
}

using Utf8Table = StoreFolder;

// A table file an editor saved as UTF-8 is named in a question; until the user lets it be stored as
// Windows-1252 it is read as before and nothing is written to it.
TEST_F(Utf8Table, IsReadAsUtf8AndStoredAsWindows1252OnlyWhenTheUserSaysSo)
{
    const QByteArray utf8 = "\"ID|Name|ParentID|Spare|Image\xC2\xB1" "1|Caf\xC3\xA9 \xE2\x82\xAC|-1|0|1\"\r\n";
    writeDataFile("Values.app", utf8);
    ASSERT_TRUE(store.readTable(values));
    ASSERT_EQ(failures.questions.size(), 1);
    EXPECT_TRUE(failures.questions[0].contains(QDir::toNativeSeparators(dataPath("Values.app"))))
        << failures.questions[0].toStdString();
    EXPECT_FALSE(store.insertRecord(values, {2, "b", -1, 0, 1}));
    EXPECT_FALSE(store.deleteRecord(values, 1));
    EXPECT_EQ(failures.questions.size(), 3);
    expectReported({"InsertRecord: \"", "DeleteRecord: \""});
    EXPECT_EQ(readDataFile("Values.app"), utf8);

    failures.answer = true;
    std::optional<Recordset> rs = store.readTable(values);
    ASSERT_TRUE(rs);
    EXPECT_EQ(column(*rs, "Name"), QStringList{QString::fromUtf8("Café €")});
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name|ParentID|Spare|Image\xB1" "1|Caf\xE9 \x80|-1|0|1\"\r\n");
    ASSERT_TRUE(store.insertRecord(values, {2, "b", -1, 0, 1}));
    EXPECT_EQ(failures.questions.size(), 4) << "asked once";

    // A byte order mark goes; a character Windows-1252 lacks leaves the file as it was, and says so.
    writeDataFile("Values.app", "\xEF\xBB\xBF\"ID|Name\xC2\xB1" "1|\xC3\xA9\"\r\n");
    ASSERT_TRUE(store.readTable(values));
    EXPECT_EQ(readDataFile("Values.app"), "\"ID|Name\xB1" "1|\xE9\"\r\n");
    const QByteArray cyrillic = "\"ID|Name\xC2\xB1" "1|\xD0\x96\"\r\n";
    writeDataFile("Values.app", cyrillic);
    EXPECT_FALSE(store.readTable(values));
    EXPECT_EQ(readDataFile("Values.app"), cyrillic);
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].contains(QString::fromUtf8("'Ж' (U+0416)"))) << failures.texts[0].toStdString();
    failures.texts.clear();

    // Plain ASCII and Windows-1252 text (bytes that are no UTF-8) raise no question.
    failures.questions.clear();
    for (const QByteArray& text : {QByteArray("\"ID|Name\xB1" "1|a\"\r\n"), QByteArray("\"ID|Name\"\r\n"), goldenTable,
                                   QByteArray("\"ID|Name\xB1" "1|\xC3\"\r\n"), QByteArray("\"ID|Name\xB1" "1|\xC0\xAF\"\r\n")}) {
        writeDataFile("Values.app", text);
        EXPECT_TRUE(store.readTable(values));
        EXPECT_TRUE(store.deleteRecord(values, 99));
        EXPECT_EQ(readDataFile("Values.app"), text);
    }
    EXPECT_TRUE(failures.questions.isEmpty()) << failures.questions.join('\n').toStdString();
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}

using InterruptedWrites = StoreFolder;

// What a write killed before its rename leaves beside a table or a body goes at the next start;
// other files, a write still under way and files of other names stay.
TEST_F(InterruptedWrites, LeaveNoTemporaryFilesAfterTheNextStartAndNothingElseIsRemoved)
{
    writeDataFile("Values.app", oldTable);
    writeDataFile("TMP_key3", oldBody);
    const QStringList kept = {"Values.app", "TMP_key3", "Values.app.ABCDEFG", "Values.app.backup", "Other.app.AbCdEf",
                              "VAL_key1.AbCdEf", "notes.txt.AbCdEf", "TMP_key3.b.AbCdEf"};
    for (const QString& name : kept.mid(2))
        writeDataFile(name, "keep");
    QDir(dataPath()).mkdir("Values.app.QwErTy");
    const QStringList before = QDir(dataPath()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);

    // Killed between writing the temporary file and putting it in place: where the system offers no
    // unnamed files, the writer's file is the final name, a dot and six random letters.
    const QStringList left = {"Values.app.MYZHiN", "TMP_key3.qWeRty"};
    for (const QString& name : left)
        writeDataFile(name, "new");
    // A temporary file written a moment ago may belong to another window's write.
    store.removeInterruptedWrites({"Data\\Tempalates.app", values}, "TMP_");
    EXPECT_EQ(QDir(dataPath()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), before.size() + 2);
    EXPECT_EQ(readDataFile("Values.app"), oldTable);

    for (const QString& name : left + QStringList{"Values.app.ABCDEFG", "TMP_key3.b.AbCdEf", "Other.app.AbCdEf"}) {
        QFile file(dataPath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    }
    store.removeInterruptedWrites({"Data\\Tempalates.app", values}, "TMP_");
    EXPECT_EQ(QDir(dataPath()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), before);
    EXPECT_EQ(readDataFile("Values.app"), oldTable);
    EXPECT_EQ(readDataFile("TMP_key3"), oldBody);
}
