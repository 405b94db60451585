#include "DataBackup.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"

#include <QDate>
#include <gtest/gtest.h>

TEST(Backup, CopiesTheWholeTreeKeepsFilesDeletedSinceTheDaysFirstBackupAndShowsTheFailedStep)
{
    TempAppFolder app;
    ScriptedDialogs dialogs;
    QStringList status;
    const auto backUp = [&](int day) {
        BackupCommand(nullptr, app.dataPath(), QDate(2024, 3, day), [&](const QString& text) { status << text; });
    };
    const auto backedUp = [&](const QString& name) {
        QFile file(app.path() + "/Backup/Data_9-3-2024/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    };
    app.writeDataFile("Tempalates.app", "\"ID|Name\xb1\"\r\n");
    app.writeDataFile("TMP_key4", "soon gone");
    ASSERT_TRUE(QDir(app.dataPath()).mkpath("nested/deeper"));
    app.writeDataFile("nested/deeper/note.txt", "deep");
    backUp(9);
    EXPECT_EQ(status, QStringList{"Data backed up to " + app.path() + "/Backup/Data_9-3-2024"});
    EXPECT_EQ(backedUp("Tempalates.app"), "\"ID|Name\xb1\"\r\n");
    EXPECT_EQ(backedUp("nested/deeper/note.txt"), "deep");
    // Beside the folder backed up, under its own name, whatever that is.
    EXPECT_EQ(DatedBackupFolder("/mnt/share/Orders/", QDate(2031, 11, 30)), "/mnt/share/Backup/Orders_30-11-2031");

    app.writeDataFile("Tempalates.app", "second, longer than the first");
    ASSERT_TRUE(QFile::remove(app.dataPath("TMP_key4")));
    backUp(9);
    EXPECT_EQ(status.size(), 2);
    EXPECT_EQ(backedUp("Tempalates.app"), "second, longer than the first");
    EXPECT_EQ(backedUp("TMP_key4"), "soon gone");

    QFile blocker(app.path() + "/Backup/Data_10-3-2024"); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    backUp(10);
    EXPECT_EQ(status.size(), 2);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Backup failed: cannot create the folder"));

    // A missing data folder leaves an empty dated folder and says so.
    ASSERT_TRUE(QDir(app.dataPath()).removeRecursively());
    const BackupOutcome missing = BackupData(app.dataPath(), QDate(2024, 3, 11));
    EXPECT_FALSE(missing.succeeded);
    EXPECT_TRUE(missing.text.contains("no data folder")) << missing.text.toStdString();
    EXPECT_TRUE(QDir(missing.folder).exists() && QDir(missing.folder).isEmpty());
}
