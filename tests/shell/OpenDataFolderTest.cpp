#include "DataFolder.h"
#include "MainWindow.h"
#include "RecentDataFolders.h"
#include "WorkspaceSettings.h"
#include "WorkspaceTestSupport.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>

namespace {

QStringList topNames(WorkspaceWindow* doc)
{
    return children(doc->templateTree(), "key-1");
}

QAction* recentAction(MainWindow& w, const QString& folder)
{
    auto* menu = control<QMenu>(w, "recentFoldersMenu");
    emit menu->aboutToShow();
    for (QAction* a : menu->actions())
        if (a->text() == QDir::toNativeSeparators(folder))
            return a;
    return nullptr;
}

TEST_F(WorkspaceTest, OpenDataFolderSwitchesAfterTheSaveStepRefusesAnUnusableFolderAndRemembersRecentOnes)
{
    UserSettings().remove("Settings/RecentDataFolders");
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|Alpha|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    TempAppFolder other;
    other.writeDataFile("Tempalates.app", CatalogueFile({"2|Beta|-1|0|3"}));
    other.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3"}));
    other.writeDataFile("TMP_key2", kNewBody);
    const QString first = QDir::cleanPath(app.dataPath());
    const QString second = QDir::cleanPath(other.dataPath());

    {
        QSettings settings = UserSettings();
        RememberDataFolder(settings, first); // opened in an earlier session
    }
    MainWindow w(app.dataPath());
    auto* status = control<QLabel>(w, "statusPanel");
    WorkspaceWindow* before = w.activeWorkspace();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(recentAction(w, first), nullptr) << "the open folder is not offered";

    // Text under no template: the usual question; staying keeps everything.
    before->templatePane()->setPlainText("[unsaved]");
    dialogs.folderAnswers = {second};
    dialogs.choiceAnswers = {2};
    control<QAction>(w, "openDataFolderAction")->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].text.contains("belong to no template"));
    EXPECT_EQ(w.workspaces(), QList<WorkspaceWindow*>{before});
    EXPECT_EQ(w.dataFolder(), first);
    EXPECT_EQ(before->templatePane()->toPlainText(), "[unsaved]");

    // A folder that holds something else is refused as at start; the open one stays.
    QTemporaryDir stranger;
    QFile notes(stranger.filePath("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    EXPECT_FALSE(w.openDataFolder(stranger.path()));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              ChooseDataFolder(ProgramDataFolderPlaces(stranger.path())).problem);
    EXPECT_EQ(w.workspaces(), QList<WorkspaceWindow*>{before});
    EXPECT_EQ(status->text(), QDir::toNativeSeparators(first));

    // Discarded, the switch goes through: the other folder's trees and name.
    dialogs.choiceAnswers = {1};
    EXPECT_TRUE(w.openDataFolder(other.dataPath()));
    QCoreApplication::processEvents();
    ASSERT_EQ(w.workspaces().size(), 1);
    WorkspaceWindow* switched = w.workspaces().first();
    EXPECT_EQ(topNames(switched), QStringList{"key2=Beta"});
    EXPECT_EQ(status->text(), QDir::toNativeSeparators(second));
    EXPECT_TRUE(status->toolTip().contains(QDir::toNativeSeparators(second)));
    EXPECT_EQ(app.readDataFile("TMP_key2"), kNewBody);

    // A template's text is stored on the way back through the recent list.
    switched->templateTree()->selectNode("key2");
    switched->templatePane()->setPlainText("beta text");
    QAction* back = recentAction(w, first);
    ASSERT_NE(back, nullptr);
    back->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.questions.size(), 2) << "nothing asked when the text has its template";
    EXPECT_TRUE(other.readDataFile("TMP_key2").contains("beta text"));
    ASSERT_EQ(w.workspaces().size(), 1);
    EXPECT_EQ(topNames(w.workspaces().first()), QStringList{"key2=Alpha"});
    EXPECT_NE(recentAction(w, second), nullptr);

    // The list keeps the latest few, each once.
    QSettings settings = UserSettings();
    settings.remove("Settings/RecentDataFolders");
    for (int i = 0; i < kRecentDataFolders + 2; ++i)
        RememberDataFolder(settings, QString("/f%1").arg(i));
    RememberDataFolder(settings, "/f3/");
    EXPECT_EQ(ReadRecentDataFolders(settings), (QStringList{"/f3", "/f6", "/f5", "/f4", "/f2"}));
    UserSettings().remove("Settings/RecentDataFolders");
}

} // namespace
