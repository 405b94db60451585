#include "StoreFolder.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <limits>

// Files as the Windows edition writes them, byte for byte.
namespace {

const QByteArray goldenTable = "\"ID|Name|ParentID|Spare|Image"
                               "\xB1" "1|Gr\xF6\xDF" "e|-1|0|1"
                               "\xB1" "2|Caf\xE9 \x80 \x93x\x94, \x81|1|0|2\"\r\n";
const QByteArray goldenBody = "\"SELECT _$$$_002_$$$_Gr\xF6\xDF" "e_$$$_002_$$$_,\xB1\r\n"
                              "FROM t_$$$_001_$$$_\x85\"\r\n";

using GoldenFile = StoreFolder;

} // namespace

TEST_F(GoldenFile, FilesReadLikeTheWindowsEditionAndTheShippedDataIsWhatTheStoreWrites)
{
    writeDataFile("Values.app", goldenTable);
    std::optional<Recordset> rs = store.readTable("Data\\Values.app");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->fieldNames(), "ID,Name,ParentID,Spare,Image");
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->valueOf("Name").toString(), QString::fromUtf8("Größe"));
    rs->moveNext();
    EXPECT_EQ(rs->valueOf("Name").toString(), QString::fromUtf8("Café € “x”, \u0081"));
    EXPECT_EQ(rs->valueOf("Image").toString(), "2");
    ASSERT_TRUE(store.deleteRecord("Data\\Values.app", 99)); // rewrites every record, removes none
    EXPECT_EQ(readDataFile("Values.app"), goldenTable);

    writeDataFile("TMP_key3", goldenBody);
    const QString body = store.readBody("TMP_key3");
    EXPECT_EQ(body, QString::fromUtf8("SELECT \"Größe\",±\r\nFROM t_$$$_001_$$$_…\r\n"));
    ASSERT_TRUE(store.writeBody("TMP_key4", body.chopped(2)));
    EXPECT_EQ(readDataFile("TMP_key4"), goldenBody);

    // Body items read like the Windows edition's; a missing body is reported.
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

