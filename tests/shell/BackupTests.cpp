#include "DataBackup.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class Backup : public testing::Test
{
protected:
    TempAppFolder app;
    const QDate ninthOfMarch{2024, 3, 9};

    QByteArray backedUp(const QString& fileName) const
    {
        QFile file(app.path() + "/Backup/Data_9-3-2024/" + fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
};

} // namespace

TEST_F(Backup, CopiesEverythingAndASecondBackupThatDayKeepsFilesDeletedSince)
{
    app.writeDataFile("Tempalates.app", "\"ID|Name\xb1\"\r\n");
    app.writeDataFile("TMP_key4", "soon gone");
    ASSERT_TRUE(QDir(app.dataPath()).mkpath("nested/deeper"));
    app.writeDataFile("nested/deeper/note.txt", "deep");
    const BackupOutcome first = BackupData(app.dataPath(), ninthOfMarch);
    EXPECT_TRUE(first.succeeded) << first.text.toStdString();
    EXPECT_EQ(first.folder, app.path() + "/Backup/Data_9-3-2024");
    // Beside the folder backed up, under its own name, whatever that is.
    EXPECT_EQ(DatedBackupFolder("/opt/vm/Data", QDate(2031, 11, 30)), "/opt/vm/Backup/Data_30-11-2031");
    EXPECT_EQ(DatedBackupFolder("/mnt/share/Orders/", QDate(2031, 1, 2)), "/mnt/share/Backup/Orders_2-1-2031");
    EXPECT_EQ(backedUp("Tempalates.app"), "\"ID|Name\xb1\"\r\n");
    EXPECT_EQ(backedUp("nested/deeper/note.txt"), "deep");

    app.writeDataFile("Tempalates.app", "second, longer than the first");
    ASSERT_TRUE(QFile::remove(app.dataPath("TMP_key4")));
    EXPECT_TRUE(BackupData(app.dataPath(), ninthOfMarch).succeeded);
    EXPECT_EQ(backedUp("Tempalates.app"), "second, longer than the first");
    EXPECT_EQ(backedUp("TMP_key4"), "soon gone");
}

TEST_F(Backup, AMissingDataFolderLeavesAnEmptyDatedFolderAndSaysSo)
{
    ASSERT_TRUE(QDir(app.dataPath()).removeRecursively());
    const BackupOutcome outcome = BackupData(app.dataPath(), ninthOfMarch);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.text.contains("no data folder")) << outcome.text.toStdString();
    EXPECT_TRUE(QDir(outcome.folder).exists());
    EXPECT_TRUE(QDir(outcome.folder).isEmpty());
}

TEST_F(Backup, TheCommandShowsTheFolderOrTheFailedStep)
{
    ScriptedDialogs dialogs;
    QStringList status;
    const auto showStatus = [&](const QString& text) { status << text; };
    BackupCommand(nullptr, app.dataPath(), ninthOfMarch, showStatus);
    ASSERT_EQ(status.size(), 1);
    EXPECT_TRUE(status[0].contains("Data_9-3-2024"));

    QFile blocker(app.path() + "/Backup/Data_10-3-2024"); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    BackupCommand(nullptr, app.dataPath(), QDate(2024, 3, 10), showStatus);
    EXPECT_EQ(status.size(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Backup failed: cannot create the folder"));
}
