#include "CapturedFailures.h"
#include "CatalogueFiles.h"
#include "CatalogueKeys.h"
#include "CatalogueModel.h"
#include "DataStore.h"
#include "StoredNames.h"
#include "TempAppFolder.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <thread>

namespace {

using Refusal = CatalogueModel::Refusal;

// A Data folder with a template catalogue in it, and the model over it.
struct Catalogue
{
    explicit Catalogue(const QList<QByteArray>& records)
    {
        folder.writeDataFile("Tempalates.app", CatalogueFile(records));
        model.load();
    }
    QByteArray table() const { return folder.readDataFile("Tempalates.app"); }
    QStringList shown() const
    {
        QStringList lines;
        for (const CatalogueItem& item : model.items())
            lines << item.key + "<" + item.parentKey + " " + item.name + " " + QString::number(item.image);
        return lines;
    }

    TempAppFolder folder;
    DataStore store{folder.path()};
    CatalogueModel model{store, kTemplateCatalogueFile, kTemplateBodyPrefix};
};

} // namespace

TEST(CatalogueModel, AddsUnderTheParentWithKeysPastEveryIdTakenAlsoByAnotherWriter)
{
    Catalogue c({"3|Customers|-1|0|3", "5|Orders|-1|0|3", "4|Id|3|0|3"});
    EXPECT_EQ(c.shown(), (QStringList{"key3<key-1 Customers 3", "key4<key3 Id 3", "key5<key-1 Orders 3"}));
    QSignalSpy added(&c.model, &CatalogueModel::itemAdded);
    QSignalSpy changed(&c.model, &CatalogueModel::itemChanged);

    // Highest ID 5, added count from 2: the first new key is 7.
    EXPECT_EQ(c.model.add("key5", "Lines").key, "key7");
    EXPECT_EQ(c.folder.readDataFile("TMP_key7"), kNewBody);
    EXPECT_TRUE(c.table().contains("\xB1" "7|Lines|5|0|3\""));
    EXPECT_EQ(added.size(), 1);
    EXPECT_EQ(changed.size(), 1) << "the parent now shows the folder image";
    EXPECT_EQ(c.model.item("key5")->image, 2);

    // Another program adds 8 and 9; the file's new stamp makes the model read it again.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    c.folder.writeDataFile("Tempalates.app", CatalogueFile({"3|Customers|-1|0|3", "5|Orders|-1|0|3", "4|Id|3|0|3",
                                                            "7|Lines|5|0|3", "8|Theirs|-1|0|3", "9|Theirs too|-1|0|3"}));
    EXPECT_EQ(c.model.nextKey(), "key10");
    EXPECT_EQ(c.model.add("", "Mine").key, "key10");
    EXPECT_EQ(c.model.item("key10")->parentKey, kRootKey);
    EXPECT_EQ(c.model.takeIds(2), (QList<qint32>{11, 12}));
    EXPECT_EQ(c.model.nextKey(), "key13");

    EXPECT_EQ(c.model.add("key99", "Lost").refusal, Refusal::NoSuchItem);
    EXPECT_EQ(c.model.add("", "").refusal, Refusal::EmptyName);
}

TEST(CatalogueModel, AddsManyWithOneWriteUpToTheFirstNameTheFileCannotHold)
{
    Catalogue c({"2|Tables|-1|0|3"});
    CapturedFailures failures;
    EXPECT_EQ(c.model.addMany("key2", {"a", "b", "c"}), 3);
    EXPECT_EQ(c.model.childKeys("key2"), (QStringList{"key4", "key5", "key6"}));

    // A name with a character Windows-1252 lacks stops the run with the store's report.
    EXPECT_EQ(c.model.addMany("key2", {"d", "e\u4E00", "f"}), 1);
    EXPECT_EQ(c.model.childKeys("key2").size(), 4);
    EXPECT_EQ(failures.texts.size(), 1);

    // Import: a record whose parent is neither there nor in the batch is refused whole.
    const QList<qint32> ids = c.model.takeIds(2);
    const QByteArray before = c.table();
    EXPECT_FALSE(c.model.addRecords({{ids[0], "x", 2, 0, 3}, {ids[1], "y", 99, 0, 3}}));
    EXPECT_EQ(c.table(), before);
    EXPECT_TRUE(c.model.addRecords({{ids[0], "x", 2, 0, 3}, {ids[1], "y", ids[0], 0, 3}}));
    EXPECT_EQ(c.model.item(NodeKey(ids[1]))->parentKey, NodeKey(ids[0]));
}

TEST(CatalogueModel, RemovesAndRenamesOnlyWhatItCanChangeAlone)
{
    Catalogue c({"3|Parent|-1|0|3", "4|Child|3|0|3", "7|One|-1|0|3", "07|Other|-1|0|3"});
    c.folder.writeDataFile("TMP_key4", kNewBody);
    QSignalSpy removed(&c.model, &CatalogueModel::itemRemoved);

    EXPECT_EQ(c.model.remove("key3"), Refusal::HasChildren);
    EXPECT_EQ(c.model.remove("key7"), Refusal::SharedId) << "the store would delete 07 with it";
    EXPECT_EQ(c.model.rename("key07", "New"), Refusal::SharedId);
    EXPECT_EQ(c.model.remove(kRootKey), Refusal::NoSuchItem);
    EXPECT_EQ(removed.size(), 0);

    EXPECT_EQ(c.model.remove("key4"), Refusal::None);
    EXPECT_FALSE(c.folder.dataFileExists("TMP_key4"));
    EXPECT_FALSE(c.model.item("key4"));
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(c.model.remove("key3"), Refusal::None) << "a leaf now";

    EXPECT_EQ(c.model.rename("key7", ""), Refusal::EmptyName);
    Catalogue d({"3|Old|-1|0|1"});
    EXPECT_EQ(d.model.rename("key3", "New name"), Refusal::None);
    EXPECT_EQ(d.table(), CatalogueFile({"3|New name|-1|0|1"})) << "only the name changes";
    EXPECT_EQ(d.model.item("key3")->name, "New name");
}

TEST(CatalogueModel, AnUnreadableTableRefusesEveryChangeAndLeavesTheFolderAlone)
{
    TempAppFolder folder;
    folder.writeDataFile("Tempalates.app", "\"Name|Parent\xB1x|y\"\r\n");
    DataStore store(folder.path());
    CatalogueModel model(store, kTemplateCatalogueFile, kTemplateBodyPrefix);
    EXPECT_FALSE(model.load().usable);
    EXPECT_FALSE(model.readable());
    EXPECT_EQ(model.add("", "New").refusal, Refusal::Unreadable);
    EXPECT_EQ(model.addMany("", {"a"}), 0);
    EXPECT_EQ(folder.readDataFile("Tempalates.app"), "\"Name|Parent\xB1x|y\"\r\n");

    CapturedFailures failures;
    CatalogueModel missing(store, kValueCatalogueFile, QString());
    missing.load();
    EXPECT_EQ(failures.texts.size(), 1) << "the store says why";
    EXPECT_EQ(missing.add("", "New").refusal, Refusal::Unreadable);
}

TEST(CatalogueModel, WritesABodyOnlyWhenAPaneDiffersFromWhatWasStored)
{
    Catalogue c({"2|T|-1|0|3"});
    const QByteArray stored = BodyFile("{\\rtf1 [a]}_$$$_001_$$$_{\\rtf1 x}");
    c.folder.writeDataFile("TMP_key2", stored);
    const TemplateBody body = c.model.readBody("key2");
    EXPECT_TRUE(body.complete);
    EXPECT_EQ(body.templateRichText, "{\\rtf1 [a]}");

    BodyChanges changes;
    changes.setStored("key2", {body.templateRichText, body.resultRichText});
    EXPECT_TRUE(c.model.saveBody(changes, {body.templateRichText, body.resultRichText}));
    EXPECT_EQ(c.folder.readDataFile("TMP_key2"), stored) << "untouched: the bytes stay";

    EXPECT_TRUE(c.model.saveBody(changes, {"[b]", body.resultRichText}));
    EXPECT_EQ(c.folder.readDataFile("TMP_key2"), BodyFile("[b]_$$$_001_$$$_{\\rtf1 x}"));

    BodyChanges nobody;
    EXPECT_FALSE(c.model.saveBody(nobody, {"[c]", ""})) << "panes that belong to no template";
}
