#include "DataFolder.h"
#include "WorkspaceTestSupport.h"

#include <functional>
#include <unistd.h>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
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

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A machine in miniature: a sample catalogue, a program folder and a home, all in one temporary folder.
DataFolderPlaces machine(const QTemporaryDir& dir)
{
    const DataFolderPlaces p{{}, dir.filePath("bin/Data"), dir.filePath("home/.local/share/Vellumatic/Data"),
                             dir.filePath("share/vellumatic/Data")};
    makeCatalogue(p.sample, "Sample");
    write(p.sample + "/TMP_key2", BodyFile("[($Field!|1|n)]_$$$_001_$$$_"));
    return p;
}

} // namespace

TEST(DataFolder, PicksTheRequestedThenTheProgramsThenThePerUserFolderAndSeedsOnlyWhatIsMissing)
{
    using Arrange = std::function<void(const QTemporaryDir&, DataFolderPlaces&)>;
    const auto requested = [](const char* name, const Arrange& fill = {}) -> Arrange {
        return [=](const QTemporaryDir& t, DataFolderPlaces& p) {
            p.requested = t.filePath(name);
            if (fill)
                fill(t, p);
        };
    };
    const auto writeInto = [](const char* path, const QByteArray& bytes) {
        return [=](const QTemporaryDir& t, DataFolderPlaces&) { write(t.filePath(path), bytes); };
    };
    const auto catalogues = [](bool requestedToo) {
        return [=](const QTemporaryDir&, DataFolderPlaces& p) {
            if (requestedToo)
                makeCatalogue(p.requested, "Orders");
            makeCatalogue(p.besideProgram, "Portable");
            makeCatalogue(p.perUser, "Mine");
        };
    };
    const Arrange nothing = [](const QTemporaryDir&, DataFolderPlaces&) {};
    const auto opensRequested = &DataFolderPlaces::requested, opensBeside = &DataFolderPlaces::besideProgram,
               opensPerUser = &DataFolderPlaces::perUser;
    QString DataFolderPlaces::*const fails = nullptr;
    struct Case
    {
        const char* name;
        Arrange arrange;
        QString DataFolderPlaces::*opened; // nullptr when a problem is expected
        bool seeded;
        const char* problem; // part of the message; empty when none
    } const cases[] = {
        {"requested wins over both others", requested("share drive/Orders", catalogues(true)), opensRequested, false, ""},
        {"requested but missing starts from the sample", requested("new/Catalogue"), opensRequested, true, ""},
        {"requested and empty starts from the sample",
         requested("empty", [](const QTemporaryDir& t, DataFolderPlaces&) { ASSERT_TRUE(QDir(t.path()).mkdir("empty")); }),
         opensRequested, true, ""},
        {"requested holding something else", requested("photos", writeInto("photos/a.jpg", "jpeg")), fails, false, "holds no"},
        {"requested holding one table", requested("half", writeInto("half/Values.app", CatalogueFile({}))), fails, false, "holds no"},
        {"requested is a file", requested("notes.txt", writeInto("notes.txt", "text")), fails, false, "holds no catalogue"},
        {"the portable folder beside the program comes next", catalogues(false), opensBeside, false, ""},
        {"a file named Data beside the program is no data folder", writeInto("bin/Data", "x"), opensPerUser, true, ""},
        {"the per-user folder is made on first start", nothing, opensPerUser, true, ""},
        {"the per-user folder is kept on later starts",
         [](const QTemporaryDir&, DataFolderPlaces& p) { makeCatalogue(p.perUser, "Mine"); }, opensPerUser, false, ""},
        {"no per-user folder is known", [](const QTemporaryDir&, DataFolderPlaces& p) { p.perUser.clear(); }, fails, false, "unknown"},
        {"no sample to start from", [](const QTemporaryDir&, DataFolderPlaces& p) { p.sample = "/nonexistent/Data"; }, fails,
         false, "no sample catalogue"},
        {"a file where the per-user folder's parent belongs", writeInto("home/.local/share/Vellumatic", "x"), fails, false,
         "cannot be created"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        DataFolderPlaces p = machine(dir);
        c.arrange(dir, p);
        const bool perUserWasThere = QFileInfo::exists(QFileInfo(p.perUser).absolutePath());

        const DataFolderChoice choice = ChooseDataFolder(p);
        EXPECT_EQ(choice.seeded, c.seeded);
        if (!c.opened) {
            EXPECT_TRUE(choice.folder.isEmpty());
            EXPECT_TRUE(choice.problem.contains(c.problem)) << choice.problem.toStdString();
            EXPECT_FALSE(QFileInfo(p.perUser).isDir()) << "no empty tree to add into";
            continue;
        }
        EXPECT_EQ(choice.problem, "");
        EXPECT_EQ(choice.folder, QDir::cleanPath(p.*c.opened));
        EXPECT_EQ(entries(choice.folder) == entries(p.sample), c.seeded);
        for (const QString& file : entries(p.sample))
            EXPECT_EQ(read(choice.folder + "/" + file) == read(p.sample + "/" + file), c.seeded) << file.toStdString();
        EXPECT_TRUE(entries(QFileInfo(choice.folder).absolutePath()).filter(".Data-").isEmpty()) << "no staging folder left";
        if (c.opened != &DataFolderPlaces::perUser && !perUserWasThere) {
            EXPECT_FALSE(QFileInfo::exists(QFileInfo(p.perUser).absolutePath())) << "made only when used";
        }
    }
}

TEST(DataFolder, SeededFilesAreTheUsersToChangeEvenWhenTheSampleIsReadOnly)
{
    QTemporaryDir root;
    const DataFolderPlaces places = machine(root);
    for (const char* table : {"/Tempalates.app", "/Values.app"})
        ASSERT_TRUE(QFile::setPermissions(places.sample + table, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const DataFolderChoice choice = ChooseDataFolder(places);
    ASSERT_EQ(choice.problem, "");
    for (const char* name : {"Tempalates.app", "Values.app", "TMP_key2"})
        EXPECT_TRUE(QFile::permissions(choice.folder + "/" + name) & QFile::WriteOwner) << name;
}

TEST(DataFolder, AnUnwritableFolderIsAProblemOrPassedOverWhenItIsOnlyTheProgramsOne)
{
    // Root writes into read-only folders, so as root the choice is made as "nobody": everything
    // is readable by all, the home writable by all, the program's Data by no one.
    QTemporaryDir root;
    DataFolderPlaces places = machine(root);
    const QFileDevice::Permissions everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const QFileDevice::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    makeCatalogue(places.besideProgram, "Portable");
    ASSERT_TRUE(QDir().mkpath(root.filePath("home")));
    ASSERT_TRUE(QFile::setPermissions(root.path(), everyone | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(root.filePath("home"), everyone | writable));
    ASSERT_TRUE(QFile::setPermissions(places.besideProgram, everyone));
    const auto chooseAsUser = [&] {
        const bool asNobody = geteuid() == 0;
        if (asNobody && seteuid(65534) != 0)
            ADD_FAILURE() << "cannot become nobody";
        const DataFolderChoice choice = ChooseDataFolder(places);
        if (asNobody && seteuid(0) != 0)
            ADD_FAILURE() << "cannot become root again";
        return choice;
    };
    EXPECT_EQ(chooseAsUser().folder, QDir::cleanPath(places.perUser));
    places.requested = places.besideProgram;
    const DataFolderChoice refused = chooseAsUser();
    EXPECT_TRUE(refused.folder.isEmpty());
    EXPECT_TRUE(refused.problem.contains("cannot be written")) << refused.problem.toStdString();
    QFile::setPermissions(places.besideProgram, everyone | QFile::WriteOwner);
}

TEST(DataFolder, AWorkspaceReadsAndWritesOnlyInsideAFolderOfAnyName)
{
    QTemporaryDir root;
    const QString folder = root.filePath("shared drive/Orders catalogue");
    makeCatalogue(folder, "Orders");
    CapturedFailures failures;
    {
        WorkspaceWindow doc(folder);
        EXPECT_EQ(children(doc.templateTree(), "key-1"), QStringList{"key2=Orders"});
        addTemplate(doc, "Invoice lines");
        addValue(doc, "InvoiceId");
    }
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join("; ").toStdString();
    EXPECT_TRUE(read(folder + "/Tempalates.app").contains("|Invoice lines|"));
    EXPECT_TRUE(read(folder + "/Values.app").contains("|InvoiceId|"));
    const QStringList bodies = entries(folder).filter("TMP_");
    ASSERT_EQ(bodies.size(), 1);
    EXPECT_EQ(read(folder + "/" + bodies[0]), kNewBody);
    EXPECT_EQ(entries(root.filePath("shared drive")), QStringList{"Orders catalogue"}) << "no Data folder beside it";
}
