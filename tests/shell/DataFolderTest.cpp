#include "CatalogueFiles.h"
#include "DataFolder.h"
#include "WorkspaceTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace {

// A machine in miniature: a sample catalogue, a program folder and a home, all in one temporary folder.
class DataFolderTest : public testing::Test
{
protected:
    QTemporaryDir root;
    DataFolderPlaces places = machine(root);

    static DataFolderPlaces machine(const QTemporaryDir& dir)
    {
        const DataFolderPlaces p{{}, dir.filePath("bin/Data"), dir.filePath("home/.local/share/Vellumatic/Data"),
                                 dir.filePath("share/vellumatic/Data")};
        makeCatalogue(p.sample, "Sample");
        write(p.sample + "/TMP_key2", BodyFile("[($Field!|1|n)]_$$$_001_$$$_"));
        return p;
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    static void makeCatalogue(const QString& folder, const QByteArray& name)
    {
        write(folder + "/Tempalates.app", CatalogueFile({"2|" + name + "|-1|0|1"}));
        write(folder + "/Values.app", CatalogueFile({"2|" + name + " value|-1|0|3"}));
    }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

struct Case
{
    const char* name;
    std::function<void(const QTemporaryDir&, DataFolderPlaces&)> arrange;
    QString DataFolderPlaces::*expected; // the place opened; nullptr when a problem is expected
    bool seeded;
    const char* problem; // part of the message; empty when none
};

} // namespace

TEST_F(DataFolderTest, PicksTheRequestedThenTheProgramsThenThePerUserFolderAndSeedsOnlyWhatIsMissing)
{
    const auto requestedWithCatalogue = [](const QTemporaryDir& t, DataFolderPlaces& p) {
        p.requested = t.filePath("share drive/Orders");
        makeCatalogue(p.requested, "Orders");
        makeCatalogue(p.besideProgram, "Portable");
        makeCatalogue(p.perUser, "Mine");
    };
    const Case cases[] = {
        {"requested wins over both others", requestedWithCatalogue, &DataFolderPlaces::requested, false, ""},
        {"requested but missing starts from the sample",
         [](const QTemporaryDir& t, DataFolderPlaces& p) { p.requested = t.filePath("new/Catalogue"); },
         &DataFolderPlaces::requested, true, ""},
        {"requested and empty starts from the sample",
         [](const QTemporaryDir& t, DataFolderPlaces& p) {
             p.requested = t.filePath("empty");
             ASSERT_TRUE(QDir().mkpath(p.requested));
         },
         &DataFolderPlaces::requested, true, ""},
        {"requested holding something else is left alone",
         [](const QTemporaryDir& t, DataFolderPlaces& p) {
             p.requested = t.filePath("photos");
             write(p.requested + "/holiday.jpg", "jpeg");
         },
         nullptr, false, "holds no catalogue"},
        {"requested holding only one table is left alone",
         [](const QTemporaryDir& t, DataFolderPlaces& p) {
             p.requested = t.filePath("half");
             write(p.requested + "/Values.app", CatalogueFile({}));
         },
         nullptr, false, "holds no catalogue"},
        {"requested is a file",
         [](const QTemporaryDir& t, DataFolderPlaces& p) {
             p.requested = t.filePath("notes.txt");
             write(p.requested, "text");
         },
         nullptr, false, "holds no catalogue"},
        {"the portable folder beside the program comes next",
         [](const QTemporaryDir&, DataFolderPlaces& p) {
             makeCatalogue(p.besideProgram, "Portable");
             makeCatalogue(p.perUser, "Mine");
         },
         &DataFolderPlaces::besideProgram, false, ""},
        {"a file named Data beside the program is not a data folder",
         [](const QTemporaryDir&, DataFolderPlaces& p) { write(p.besideProgram, "not a folder"); },
         &DataFolderPlaces::perUser, true, ""},
        {"the per-user folder is made on first start",
         [](const QTemporaryDir&, DataFolderPlaces&) {}, &DataFolderPlaces::perUser, true, ""},
        {"the per-user folder is kept on later starts",
         [](const QTemporaryDir&, DataFolderPlaces& p) { makeCatalogue(p.perUser, "Mine"); },
         &DataFolderPlaces::perUser, false, ""},
        {"no per-user folder is known",
         [](const QTemporaryDir&, DataFolderPlaces& p) { p.perUser.clear(); }, nullptr, false, "unknown"},
        {"no sample to start from",
         [](const QTemporaryDir&, DataFolderPlaces& p) { p.sample = "/nonexistent/share/vellumatic/Data"; },
         nullptr, false, "no sample catalogue"},
        {"a file where the per-user folder's parent belongs",
         [](const QTemporaryDir& t, DataFolderPlaces&) { write(t.filePath("home/.local/share/Vellumatic"), "x"); },
         nullptr, false, "cannot be created"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        DataFolderPlaces p = machine(dir);
        c.arrange(dir, p);
        const bool perUserWasThere = QFileInfo::exists(QFileInfo(p.perUser).absolutePath());

        const DataFolderChoice choice = ChooseDataFolder(p);
        EXPECT_EQ(choice.seeded, c.seeded);
        if (!c.expected) {
            EXPECT_TRUE(choice.folder.isEmpty());
            EXPECT_TRUE(choice.problem.contains(c.problem)) << choice.problem.toStdString();
            EXPECT_FALSE(QFileInfo(p.perUser).isDir()) << "no empty tree to add into";
            continue;
        }
        EXPECT_EQ(choice.problem, "");
        EXPECT_EQ(choice.folder, QDir::cleanPath(p.*c.expected));
        if (c.seeded) {
            EXPECT_EQ(entries(choice.folder), entries(p.sample));
            for (const QString& file : entries(p.sample))
                EXPECT_EQ(read(choice.folder + "/" + file), read(p.sample + "/" + file)) << file.toStdString();
            EXPECT_TRUE(entries(QFileInfo(choice.folder).absolutePath()).filter(".Data-").isEmpty())
                << "no staging folder left behind";
        }
        if (!c.seeded) {
            EXPECT_NE(read(choice.folder + "/Tempalates.app"), read(p.sample + "/Tempalates.app"));
        }
        if (c.expected != &DataFolderPlaces::perUser && !perUserWasThere) {
            EXPECT_FALSE(QFileInfo::exists(QFileInfo(p.perUser).absolutePath())) << "made only when used";
        }
    }
}

TEST_F(DataFolderTest, SeededFilesAreTheUsersToChangeEvenWhenTheSampleIsReadOnly)
{
    const QString tables[] = {places.sample + "/Tempalates.app", places.sample + "/Values.app"};
    for (const QString& table : tables)
        ASSERT_TRUE(QFile::setPermissions(table, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const DataFolderChoice choice = ChooseDataFolder(places);
    ASSERT_EQ(choice.problem, "");
    for (const char* name : {"Tempalates.app", "Values.app", "TMP_key2"})
        EXPECT_TRUE(QFile::permissions(choice.folder + "/" + name) & QFile::WriteOwner) << name;
}

TEST_F(DataFolderTest, AnUnwritableFolderIsAProblemOrPassedOverWhenItIsOnlyTheProgramsOne)
{
    // Root writes into read-only folders, so as root the choice is made as "nobody": everything
    // is readable by all, the home writable by all, the program's Data by no one.
    const QFileDevice::Permissions everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    makeCatalogue(places.besideProgram, "Portable");
    ASSERT_TRUE(QDir().mkpath(root.filePath("home")));
    ASSERT_TRUE(QFile::setPermissions(root.path(), everyone | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(root.filePath("home"), everyone | QFile::WriteOwner | QFile::WriteGroup |
                                                                 QFile::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(places.besideProgram, everyone));
    const auto chooseAsUser = [](const DataFolderPlaces& p) {
        const uid_t nobody = 65534;
        const bool asNobody = geteuid() == 0;
        if (asNobody && seteuid(nobody) != 0)
            ADD_FAILURE() << "cannot become nobody";
        const DataFolderChoice choice = ChooseDataFolder(p);
        if (asNobody && seteuid(0) != 0)
            ADD_FAILURE() << "cannot become root again";
        return choice;
    };

    const DataFolderChoice fallback = chooseAsUser(places);
    EXPECT_EQ(fallback.problem, "");
    EXPECT_EQ(fallback.folder, QDir::cleanPath(places.perUser));

    places.requested = places.besideProgram;
    const DataFolderChoice refused = chooseAsUser(places);
    EXPECT_TRUE(refused.folder.isEmpty());
    EXPECT_TRUE(refused.problem.contains("cannot be written")) << refused.problem.toStdString();
    QFile::setPermissions(places.besideProgram, everyone | QFile::WriteOwner);
}

TEST_F(DataFolderTest, AWorkspaceReadsAndWritesOnlyInsideAFolderOfAnyName)
{
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
