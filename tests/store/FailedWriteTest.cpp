#include "StoreFolder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

const QByteArray oldTable = "\"ID|Name|ParentID|Spare|Image\xB1" "1|Gr\xF6\xDF" "e|-1|0|1\"\r\n";
const QByteArray oldBody = "\"old\"\r\n";

struct FailedWrite : StoreFolder
{
    FailedWrite() { writeDataFile("Values.app", oldTable); writeDataFile("TMP_key1", oldBody); }
    bool intact() const { return readDataFile("Values.app") == oldTable && readDataFile("TMP_key1") == oldBody; }
};

// Caps the size of files this process writes, as a full disk would, also for root.
struct FileSizeLimit
{
    rlimit previous{};
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);

    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit lowered{bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); std::signal(SIGXFSZ, previousHandler); }
};

} // namespace

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
    EXPECT_EQ(failures.texts.mid(0, 2),
              (QStringList{QString::fromUtf8("InsertRecord: \"The character 'Ж' (U+0416) cannot be stored in a "
                                             "Windows-1252 file\""),
                           QString::fromUtf8("WriteStream: \"The character '\U0001F600' (U+1F600) cannot be "
                                             "stored in a Windows-1252 file\"")}));
    for (const QString& text : failures.texts.mid(1))
        EXPECT_TRUE(text.contains("(U+1F600)")) << text.toStdString();
    EXPECT_TRUE(intact());
    failures.texts.clear();

    // A full disk (one byte short of the old table, so a delete fails too) leaves no temporary file and is
    // named in the system's own words, not as an unknown error.
    {
        FileSizeLimit limit(oldTable.size() - 1);
        EXPECT_FALSE(store.insertRecord("Data/Values.app", {2, "Name", 1, 0, 1}));
        EXPECT_FALSE(store.deleteRecord("Data/Values.app", 99));
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
    expectReported({"InsertRecord: \"Cannot write ", "DeleteRecord: \"Cannot write ", "WriteStream: \"Cannot write ",
                    "WriteStream: \"Cannot write ", "WriteStream: \"Cannot write "});
}
