#include "StoreFolder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QByteArray oldTable = "\"ID|Name|ParentID|Spare|Image\xB1" "1|Gr\xF6\xDF" "e|-1|0|1\"\r\n";
const QByteArray oldBody = "\"old\"\r\n";

struct FailedWrite : StoreFolder
{
    FailedWrite()
    {
        writeDataFile("Values.app", oldTable);
        writeDataFile("TMP_key1", oldBody);
    }
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
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
};

} // namespace

TEST_F(FailedWrite, CharactersWithoutAByteAreRefusedByName)
{
    EXPECT_FALSE(store.InsertRecord("Data\\Values.app", {2, QString::fromUtf8("Ж"), 1, 0, 1}));
    EXPECT_FALSE(store.WriteStream("TMP_key1", QString::fromUtf8("smile \U0001F600")));
    EXPECT_EQ(failures.texts,
              (QStringList{QString::fromUtf8("InsertRecord: \"The character 'Ж' (U+0416) cannot be stored in a "
                                             "Windows-1252 file\""),
                           QString::fromUtf8("WriteStream: \"The character '\U0001F600' (U+1F600) cannot be "
                                             "stored in a Windows-1252 file\"")}));
    EXPECT_TRUE(intact());
}

TEST_F(FailedWrite, FullDiskOrAFolderInTheWayLeavesTheOldFiles)
{
    {
        FileSizeLimit limit(oldTable.size());
        EXPECT_FALSE(store.InsertRecord("Data/Values.app", {2, "Name", 1, 0, 1}));
        EXPECT_FALSE(store.WriteStream("TMP_key1", QString(100, u'x')));
    }
    EXPECT_TRUE(intact());
    EXPECT_EQ(QDir(dataPath()).entryList(QDir::Files).size(), 2); // no temporary file left behind

    QDir(dataPath()).mkdir("TMP_key2");
    EXPECT_FALSE(store.WriteStream("TMP_key2", "text"));
    QDir(dataPath()).removeRecursively();
    EXPECT_FALSE(store.WriteStream("TMP_key1", "text"));
    EXPECT_FALSE(QFile::exists(dataPath()));

    ASSERT_EQ(failures.texts.size(), 4);
    EXPECT_TRUE(failures.texts[0].startsWith("InsertRecord: \"Cannot write ")) << failures.texts[0].toStdString();
    for (const QString& text : failures.texts.mid(1))
        EXPECT_TRUE(text.startsWith("WriteStream: \"Cannot write ")) << text.toStdString();
    // The full disk is named by the system's own words, not as an unknown error.
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    for (const QString& text : failures.texts.mid(0, 2))
        EXPECT_TRUE(text.endsWith(": " + tooLarge + "\"")) << text.toStdString();
}

TEST_F(FailedWrite, ReadOnlyFolderLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root; the full-disk case covers the failed write";
    QFile::setPermissions(dataPath(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(store.DeleteRecord("Data/Values.app", 1));
    QFile::setPermissions(dataPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("DeleteRecord: \"Cannot write "));
    EXPECT_TRUE(intact());
}
