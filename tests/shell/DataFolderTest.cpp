#include "DataBackup.h"
#include "DataFolder.h"
#include "WorkspaceTestSupport.h"

#include <QDate>
#include <functional>
#include <unistd.h>

namespace {

// Writes a file, or only makes the folder when the path ends in a slash.
void write(const QString& path, const QByteArray& bytes = "x")
{
    if (QDir().mkpath(QFileInfo(path).absolutePath()) && path.endsWith('/'))
        return;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void makeCatalogue(const QString& folder, const QByteArray& name)
{
    write(folder + "/Tempalates.app", CatalogueFile({"2|" + name + "|-1|0|1"}));
    write(folder + "/Values.app", CatalogueFile({"2|" + name + " value|-1|0|3"}));
}

QStringList entries(const QString& folder) { return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

// A machine in one temporary folder: a read-only installed sample, a program folder and a home.
DataFolderPlaces machine(const QTemporaryDir& dir)
{
    const DataFolderPlaces p{{}, dir.filePath("bin/Data"), dir.filePath("home/.local/share/Vellumatic/Data"),
                             dir.filePath("share/vellumatic/Data")};
    makeCatalogue(p.sample, "Sample");
    write(p.sample + "/TMP_key2", BodyFile("[($Field!|1|n)]_$$$_001_$$$_"));
    for (const QString& file : entries(p.sample))
        QFile::setPermissions(p.sample + "/" + file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return p;
}

} // namespace

TEST(DataFolder, PicksTheRequestedThenTheProgramsThenThePerUserFolderSeedsOnlyWhatIsMissingAndPassesOverUnwritableOnes)
{
    using Arrange = std::function<void(const QString& root, DataFolderPlaces&)>;
    // The requested folder, and a file written below the temporary root.
    const auto requested = [](const char* name, const char* file = nullptr, const QByteArray& bytes = "x") -> Arrange {
        return [=](const QString& root, DataFolderPlaces& p) {
            if (name)
                p.requested = root + "/" + name;
            if (file)
                write(root + "/" + file, bytes);
        };
    };
    const auto catalogues = [](QList<QString DataFolderPlaces::*> in) -> Arrange {
        return [=](const QString&, DataFolderPlaces& p) { for (auto folder : in) makeCatalogue(p.*folder, "Mine"); };
    };
    const auto opensRequested = &DataFolderPlaces::requested, opensBeside = &DataFolderPlaces::besideProgram,
               opensPerUser = &DataFolderPlaces::perUser, fails = decltype(opensPerUser){};
    // `opened` is nullptr when a problem is expected; `problem` is part of its message.
    struct Case { const char* name; Arrange arrange; QString DataFolderPlaces::*opened; bool seeded; const char* problem; };
    const Case cases[] = {
        {"requested wins over both others", [&](const QString& root, DataFolderPlaces& p) {
             requested("share drive/Orders")(root, p); catalogues({opensRequested, opensBeside, opensPerUser})(root, p); },
         opensRequested, false, ""},
        {"requested but missing starts from the sample", requested("new/Catalogue"), opensRequested, true, ""},
        {"requested and empty starts from the sample", requested("empty", "empty/"), opensRequested, true, ""},
        {"requested holding one table", requested("half", "half/Values.app", CatalogueFile({})), fails, false, "holds no"},
        {"the portable folder beside the program comes next", catalogues({opensBeside, opensPerUser}), opensBeside, false, ""},
        {"a file named Data beside the program is no data folder", requested(nullptr, "bin/Data"), opensPerUser, true, ""},
        {"the per-user folder is made on first start", requested(nullptr), opensPerUser, true, ""},
        {"no per-user folder is known", [](const QString&, DataFolderPlaces& p) { p.perUser.clear(); }, fails, false, "unknown"},
        {"no sample to start from", [](const QString&, DataFolderPlaces& p) { p.sample = "/none/Data"; }, fails, false, "no sample"},
        {"a file where the per-user folder's parent belongs", requested(nullptr, "home/.local/share/Vellumatic"), fails, false,
         "cannot be created"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        DataFolderPlaces p = machine(dir);
        c.arrange(dir.path(), p);
        const bool perUserWasThere = QFileInfo::exists(QFileInfo(p.perUser).absolutePath());
        const DataFolderChoice choice = ChooseDataFolder(p);
        EXPECT_EQ(std::pair(choice.folder, choice.seeded), std::pair(c.opened ? QDir::cleanPath(p.*c.opened) : "", c.seeded));
        EXPECT_TRUE(c.opened ? choice.problem.isEmpty() : choice.problem.contains(c.problem)) << choice.problem.toStdString();
        EXPECT_TRUE(c.opened || !QFileInfo(p.perUser).isDir()) << "no empty tree to add into";
        if (!c.opened)
            continue;
        EXPECT_EQ(entries(choice.folder) == entries(p.sample), c.seeded);
        for (const QString& file : entries(p.sample)) {
            EXPECT_EQ(read(choice.folder + "/" + file) == read(p.sample + "/" + file), c.seeded) << file.toStdString();
            EXPECT_TRUE(!c.seeded || (QFile::permissions(choice.folder + "/" + file) & QFile::WriteOwner)) << "the user's to change";
        }
        EXPECT_TRUE(entries(QFileInfo(choice.folder).absolutePath()).filter(".Data-").isEmpty()) << "no staging folder left";
        EXPECT_TRUE(c.opened == opensPerUser || perUserWasThere || !QFileInfo::exists(QFileInfo(p.perUser).absolutePath()))
            << "made only when used";
    }

    // An unwritable folder is a problem, or passed over when it is only the program's one. Root writes
    // into read-only folders, so as root the choice is made as "nobody": everything is readable by all,
    // the home writable by all, the program's Data by no one.
    QTemporaryDir root;
    DataFolderPlaces places = machine(root);
    const auto everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    makeCatalogue(places.besideProgram, "Portable");
    ASSERT_TRUE(QDir().mkpath(root.filePath("home")));
    ASSERT_TRUE(QFile::setPermissions(root.path(), everyone | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(root.filePath("home"), everyone | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(places.besideProgram, everyone));
    const auto chooseAsUser = [&] {
        const bool asNobody = geteuid() == 0;
        EXPECT_FALSE(asNobody && seteuid(65534) != 0) << "cannot become nobody";
        const DataFolderChoice choice = ChooseDataFolder(places);
        EXPECT_FALSE(asNobody && seteuid(0) != 0) << "cannot become root again";
        return choice;
    };
    EXPECT_EQ(chooseAsUser().folder, QDir::cleanPath(places.perUser));
    places.requested = places.besideProgram;
    const DataFolderChoice refused = chooseAsUser();
    EXPECT_TRUE(refused.folder.isEmpty() && refused.problem.contains("cannot be written")) << refused.problem.toStdString();
    QFile::setPermissions(places.besideProgram, everyone | QFile::WriteOwner);
}

TEST(DataFolder, AWorkspaceReadsAndWritesOnlyInsideAFolderOfAnyName)
{
    QTemporaryDir root;
    const QString folder = root.filePath("shared drive/Orders catalogue");
    makeCatalogue(folder, "Orders");
    CapturedFailures failures;
    WorkspaceWindow doc(folder);
    EXPECT_EQ(children(doc.templateTree(), "key-1"), QStringList{"key2=Orders"});
    addTemplate(doc, "Invoice lines");
    addValue(doc, "InvoiceId");
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join("; ").toStdString();
    EXPECT_TRUE(read(folder + "/Tempalates.app").contains("|Invoice lines|") && read(folder + "/Values.app").contains("|InvoiceId|"));
    EXPECT_EQ(read(folder + "/" + entries(folder).filter("TMP_").join('|')), kNewBody) << "one new body";
    EXPECT_EQ(entries(root.filePath("shared drive")), QStringList{"Orders catalogue"}) << "no Data folder beside it";
}

TEST(Backup, CopiesTheWholeTreeKeepsFilesDeletedSinceTheDaysFirstBackupAndShowsTheFailedStep)
{
    TempAppFolder app;
    ScriptedDialogs dialogs;
    QStringList status;
    const auto backUp = [&](int day) {
        BackupCommand(nullptr, app.dataPath(), QDate(2024, 3, day), [&](const QString& text) { status << text; });
    };
    const auto backedUp = [&](const QString& name) { return read(app.path() + "/Backup/Data_9-3-2024/" + name); };
    app.writeDataFile("Tempalates.app", "\"ID|Name\xb1\"\r\n");
    app.writeDataFile("TMP_key4", "soon gone");
    write(app.dataPath("nested/deeper/note.txt"), "deep");
    backUp(9);
    EXPECT_EQ(status, QStringList{"Data backed up to " + app.path() + "/Backup/Data_9-3-2024"});
    EXPECT_EQ(backedUp("Tempalates.app") + backedUp("nested/deeper/note.txt"), "\"ID|Name\xb1\"\r\ndeep");
    EXPECT_EQ(DatedBackupFolder("/mnt/share/Orders/", QDate(2031, 11, 30)), "/mnt/share/Backup/Orders_30-11-2031");

    app.writeDataFile("Tempalates.app", "second, longer than the first");
    ASSERT_TRUE(QFile::remove(app.dataPath("TMP_key4")));
    backUp(9);
    EXPECT_EQ(status.size(), 2);
    EXPECT_EQ(backedUp("Tempalates.app") + '|' + backedUp("TMP_key4"), "second, longer than the first|soon gone");

    write(app.path() + "/Backup/Data_10-3-2024"); // a file where the folder belongs
    backUp(10);
    EXPECT_EQ(status.size(), 2);
    EXPECT_EQ(dialogs.messageTexts().filter("Backup failed: cannot create the folder").size(), 1);

    ASSERT_TRUE(QDir(app.dataPath()).removeRecursively());
    const BackupOutcome missing = BackupData(app.dataPath(), QDate(2024, 3, 11));
    EXPECT_TRUE(!missing.succeeded && missing.text.contains("no data folder")) << missing.text.toStdString();
    EXPECT_TRUE(QDir(missing.folder).exists() && QDir(missing.folder).isEmpty());
}
