#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QByteArray oldTable = "\"ID|Name|ParentID|Spare|Image\xB1" "1|Gr\xF6\xDF" "e|-1|0|1\"\r\n";

// Lowers the largest file this process may write, as a full disk would, also for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

TEST(FailedWrite, CharactersWithoutAByteAreRefusedByName)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    app.writeDataFile("Values.app", oldTable);
    app.writeDataFile("TMP_key1", "\"old\"\r\n");

    EXPECT_FALSE(store.InsertRecord("Data\\Values.app", {2, QString::fromUtf8("Ж"), 1, 0, 1}));
    EXPECT_FALSE(store.WriteStream("TMP_key1", QString::fromUtf8("smile \U0001F600")));
    EXPECT_EQ(failures.texts,
              (QStringList{QString::fromUtf8("InsertRecord: \"The character 'Ж' (U+0416) cannot be stored in a "
                                             "Windows-1252 file\""),
                           QString::fromUtf8("WriteStream: \"The character '\U0001F600' (U+1F600) cannot be "
                                             "stored in a Windows-1252 file\"")}));
    EXPECT_EQ(app.readDataFile("Values.app"), oldTable);
    EXPECT_EQ(app.readDataFile("TMP_key1"), "\"old\"\r\n");
}

TEST(FailedWrite, FullDiskLeavesTheOldFiles)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    app.writeDataFile("Values.app", oldTable);
    app.writeDataFile("TMP_key1", "\"old\"\r\n");
    {
        FileSizeLimit limit(oldTable.size());
        EXPECT_FALSE(store.InsertRecord("Data/Values.app", {2, "Name", 1, 0, 1}));
        EXPECT_FALSE(store.WriteStream("TMP_key1", QString(100, u'x')));
    }
    ASSERT_EQ(failures.texts.size(), 2);
    EXPECT_TRUE(failures.texts[0].startsWith("InsertRecord: \"Cannot write ")) << failures.texts[0].toStdString();
    EXPECT_TRUE(failures.texts[1].startsWith("WriteStream: \"Cannot write ")) << failures.texts[1].toStdString();
    EXPECT_EQ(app.readDataFile("Values.app"), oldTable);
    EXPECT_EQ(app.readDataFile("TMP_key1"), "\"old\"\r\n");
    EXPECT_EQ(QDir(app.dataPath()).entryList(QDir::Files).size(), 2); // no temporary file left behind
}

TEST(FailedWrite, ReadOnlyFolderLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root; FullDiskLeavesTheOldFiles covers the failed write";
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    app.writeDataFile("Values.app", oldTable);
    QFile::setPermissions(app.dataPath(), QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_FALSE(store.DeleteRecord("Data/Values.app", 1));
    QFile::setPermissions(app.dataPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("DeleteRecord: \"Cannot write "));
    EXPECT_EQ(app.readDataFile("Values.app"), oldTable);
}

TEST(FailedWrite, BodyFilesNeedTheirFolderAndAFileName)
{
    TempAppFolder app;
    CapturedFailures failures;
    Stream store(app.path());
    QDir(app.dataPath()).removeRecursively();

    EXPECT_FALSE(store.WriteStream("TMP_key1", "text"));
    EXPECT_FALSE(QFile::exists(app.dataPath()));
    QDir(app.path()).mkdir("Data");
    QDir(app.dataPath()).mkdir("TMP_key2");
    EXPECT_FALSE(store.WriteStream("TMP_key2", "text"));
    EXPECT_TRUE(QFileInfo(app.dataPath("TMP_key2")).isDir());
    ASSERT_EQ(failures.texts.size(), 2);
    for (const QString& text : failures.texts)
        EXPECT_TRUE(text.startsWith("WriteStream: \"Cannot write ")) << text.toStdString();
}
