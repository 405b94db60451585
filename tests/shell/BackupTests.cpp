#include "DataBackup.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Backup : public testing::Test
{
protected:
    TempAppFolder app;
    const QDate ninthOfMarch{2024, 3, 9};

    QString backedUp(const QString& fileName) const
    {
        return app.path() + "/Backup/Data_9-3-2024/" + fileName;
    }
};

} // namespace

TEST(BackupFolder, IsNamedDayMonthYearWithoutLeadingZeros)
{
    EXPECT_EQ(DatedBackupFolder("/opt/vm", QDate(2023, 12, 5)), "/opt/vm/Backup/Data_5-12-2023");
    EXPECT_EQ(DatedBackupFolder("/opt/vm", QDate(2024, 3, 9)), "/opt/vm/Backup/Data_9-3-2024");
    EXPECT_EQ(DatedBackupFolder("/opt/vm", QDate(2031, 11, 30)), "/opt/vm/Backup/Data_30-11-2031");
}

TEST_F(Backup, FirstBackupCopiesTheWholeDataFolder)
{
    app.writeDataFile("Tempalates.app", "\"ID|Name\xb1\"\r\n");
    app.writeDataFile("TMP_key3", "body");
    ASSERT_TRUE(QDir(app.dataPath()).mkpath("nested/deeper"));
    app.writeDataFile("nested/deeper/note.txt", "deep");

    const BackupOutcome outcome = BackupData(app.path(), ninthOfMarch);
    EXPECT_TRUE(outcome.succeeded) << outcome.text.toStdString();
    EXPECT_EQ(outcome.folder, app.path() + "/Backup/Data_9-3-2024");
    EXPECT_TRUE(outcome.text.contains("Data_9-3-2024"));
    EXPECT_EQ(readFile(backedUp("Tempalates.app")), "\"ID|Name\xb1\"\r\n");
    EXPECT_EQ(readFile(backedUp("TMP_key3")), "body");
    EXPECT_EQ(readFile(backedUp("nested/deeper/note.txt")), "deep");
}

TEST_F(Backup, SecondBackupOnTheSameDayReplacesCopiesAndKeepsDeletedFiles)
{
    app.writeDataFile("TMP_key3", "first");
    app.writeDataFile("TMP_key4", "soon gone");
    ASSERT_TRUE(BackupData(app.path(), ninthOfMarch).succeeded);

    app.writeDataFile("TMP_key3", "second, longer than the first");
    ASSERT_TRUE(QFile::remove(app.dataPath("TMP_key4")));
    app.writeDataFile("TMP_key5", "new");
    EXPECT_TRUE(BackupData(app.path(), ninthOfMarch).succeeded);

    EXPECT_EQ(readFile(backedUp("TMP_key3")), "second, longer than the first");
    EXPECT_EQ(readFile(backedUp("TMP_key4")), "soon gone");
    EXPECT_EQ(readFile(backedUp("TMP_key5")), "new");
    EXPECT_EQ(QDir(app.path() + "/Backup").entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Data_9-3-2024"});
}

TEST_F(Backup, AMissingDataFolderLeavesAnEmptyDatedFolderAndSaysSo)
{
    ASSERT_TRUE(QDir(app.dataPath()).removeRecursively());
    const BackupOutcome outcome = BackupData(app.path(), ninthOfMarch);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.text.contains("no data folder")) << outcome.text.toStdString();
    EXPECT_TRUE(QDir(outcome.folder).exists());
    EXPECT_TRUE(QDir(outcome.folder).isEmpty());
}

TEST_F(Backup, TheCommandShowsTheFolderOrTheFailedStep)
{
    ScriptedDialogs dialogs;
    app.writeDataFile("TMP_key3", "body");
    QStringList status;
    BackupCommand(nullptr, app.path(), ninthOfMarch, [&](const QString& text) { status << text; });
    ASSERT_EQ(status.size(), 1);
    EXPECT_TRUE(status[0].contains("Data_9-3-2024"));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A file where the backup folder belongs: the folder cannot be created.
    QFile blocker(app.path() + "/Backup/Data_10-3-2024");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    BackupCommand(nullptr, app.path(), QDate(2024, 3, 10), [&](const QString& text) { status << text; });
    EXPECT_EQ(status.size(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Backup failed: cannot create the folder"))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Critical);
}
