#include "ImportTestSupport.h"
#include "WorkspaceTestSupport.h"

#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QStringList kThreeTables{
    QStringLiteral("CREATE TABLE Customers (Id INTEGER, Name TEXT, City TEXT, Zip TEXT)"),
    QStringLiteral("CREATE TABLE Notes (Id INTEGER, Body TEXT)"),
    QStringLiteral("CREATE TABLE Orders (Id INTEGER, CustomerId INTEGER, Placed TEXT, Total REAL, Status TEXT)"),
    QStringLiteral("CREATE VIEW OpenOrders AS SELECT * FROM Orders"),
};

QStringList tables(int count)
{
    QStringList statements;
    for (int i = 0; i < count; ++i)
        statements << QStringLiteral("CREATE TABLE T%1 (A INTEGER, B TEXT)").arg(i);
    return statements;
}

class SchemaImportTest : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        app.writeDataFile("Values.app", CatalogueFile({"2|Leaf|-1|0|3"}));
    }

    std::unique_ptr<frmDocument> open(const QString& selected = "key2")
    {
        auto doc = std::make_unique<frmDocument>(app.dataPath());
        doc->tvValues()->selectNode(selected);
        return doc;
    }

    void import(frmDocument& doc, const std::optional<QString>& connection)
    {
        dialogs.connectionAnswers << connection;
        control<QPushButton>(doc, "cmdBrowse")->click();
    }

    // Runs `step` with the progress dialog each time the import moves it on.
    static void onProgress(QTimer& poll, frmDocument& doc, const std::function<void(QProgressDialog&)>& step)
    {
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&doc, step] {
            if (auto* progress = doc.findChild<QProgressDialog*>("importProgress"); progress && progress->isVisible())
                step(*progress);
        });
        poll.start();
    }
};

} // namespace

TEST_F(SchemaImportTest, ThreeTablesUnderALeafAddFourteenValuesWithConsecutiveKeys)
{
    SqliteFile schema(kThreeTables);
    auto doc = open();
    import(*doc, schema.connectionString());

    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(failures.texts.isEmpty());
    CatalogueTree* tree = doc->tvValues();
    EXPECT_EQ(children(tree, "key2"), (QStringList{"key4=Customers", "key9=Notes", "key12=Orders"}));
    EXPECT_EQ(children(tree, "key9"), (QStringList{"key10=Id", "key11=Body"}));
    EXPECT_EQ(CatalogueTree::imageOf(tree->node("key2")), 2);
    EXPECT_EQ(tree->selectedKey(), "key12") << "the selection rests on the last table added";

    // The count moved on by 14: the next Add goes on from there, under the selected table.
    addValue(*doc, "After");
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Leaf|-1|0|3", "4|Customers|2|0|3", "5|Id|4|0|3", "6|Name|4|0|3", "7|City|4|0|3",
                             "8|Zip|4|0|3", "9|Notes|2|0|3", "10|Id|9|0|3", "11|Body|9|0|3", "12|Orders|2|0|3",
                             "13|Id|12|0|3", "14|CustomerId|12|0|3", "15|Placed|12|0|3", "16|Total|12|0|3",
                             "17|Status|12|0|3", "18|After|12|0|3"}));
}

TEST_F(SchemaImportTest, ACancelledDialogOrAFailedOpenShowsOneMessageAndAddsNothing)
{
    const QByteArray before = app.readDataFile("Values.app");
    auto doc = open();
    import(*doc, std::nullopt);
    EXPECT_EQ(dialogs.messages.size(), 1);

    import(*doc, "Provider=SQLite;Data Source=" + app.path() + "/no such folder/none.db;Password=Wr0ng-s3cret");
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages.last().text.startsWith("The database could not be opened"));
    EXPECT_FALSE(dialogs.messages.last().text.contains("Wr0ng-s3cret"));

    EXPECT_EQ(dialogs.connectionRequests, 2);
    EXPECT_EQ(doc->tvValues()->node("key2")->childCount(), 0);
    EXPECT_EQ(app.readDataFile("Values.app"), before);
}

TEST_F(SchemaImportTest, TablesTheParentHoldsInAnyCaseAndNamesTheFilesCannotHoldAreLeftOut)
{
    SqliteFile schema(kThreeTables + QStringList{QStringLiteral("CREATE TABLE \"Pay \u03A9\" (Id INTEGER)")});
    app.writeDataFile("Values.app", CatalogueFile({"2|Leaf|-1|0|3", "3|NOTES|-1|0|3"}));
    auto doc = open(QString()); // nothing selected: under the root, as Add does
    doc->tvValues()->clearSelection();
    import(*doc, schema.connectionString());

    EXPECT_EQ(children(doc->tvValues(), "key-1"),
              (QStringList{"key2=Leaf", "key3=NOTES", "key5=Customers", "key10=Orders"}));
    EXPECT_TRUE(failures.texts.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Pay \u03A9"));

    // A second import under the root finds every table there already.
    const QByteArray before = app.readDataFile("Values.app");
    dialogs.messages.clear();
    doc->tvValues()->selectNode("key-1");
    import(*doc, schema.connectionString());
    EXPECT_EQ(app.readDataFile("Values.app"), before);
    EXPECT_EQ(dialogs.messages.size(), 1) << "only the table that cannot be stored is named again";
}

TEST_F(SchemaImportTest, CancellingTheProgressKeepsTheTablesAddedBeforeIt)
{
    SqliteFile schema(tables(8));
    auto doc = open();
    QTimer poll;
    onProgress(poll, *doc, [](QProgressDialog& progress) {
        EXPECT_EQ(progress.maximum(), 8);
        if (progress.value() >= 3)
            progress.cancel();
    });
    import(*doc, schema.connectionString());

    EXPECT_EQ(children(doc->tvValues(), "key2"), (QStringList{"key4=T0", "key7=T1", "key10=T2"}));
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Leaf|-1|0|3", "4|T0|2|0|3", "5|A|4|0|3", "6|B|4|0|3", "7|T1|2|0|3", "8|A|7|0|3",
                             "9|B|7|0|3", "10|T2|2|0|3", "11|A|10|0|3", "12|B|10|0|3"}));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SchemaImportTest, AFailedWriteStopsTheImportAndKeepsWhatWasStored)
{
    // Tables big enough to be stored one by one.
    QStringList columns;
    for (int c = 0; c < 1000; ++c)
        columns << QStringLiteral("C%1 INTEGER").arg(c);
    QStringList statements;
    for (int t = 0; t < 8; ++t)
        statements << QStringLiteral("CREATE TABLE T%1 (%2)").arg(t).arg(columns.join(u','));
    SqliteFile schema(statements);
    auto doc = open();
    QTimer poll;
    bool broken = false;
    onProgress(poll, *doc, [&](QProgressDialog& progress) {
        if (progress.value() < 2 || broken)
            return;
        // The catalogue file turns into a folder: every later write fails.
        broken = QDir(app.dataPath()).rename("Values.app", "Values.kept") && QDir(app.dataPath()).mkdir("Values.app");
    });
    import(*doc, schema.connectionString());

    ASSERT_TRUE(broken);
    EXPECT_EQ(children(doc->tvValues(), "key2"), (QStringList{"key4=T0", "key1005=T1"}));
    QList<QByteArray> kept{"2|Leaf|-1|0|3"};
    for (int table : {4, 1005}) {
        kept << QByteArray::number(table) + "|T" + QByteArray::number(table / 1000) + "|2|0|3";
        for (int c = 0; c < 1000; ++c)
            kept << QByteArray::number(table + 1 + c) + "|C" + QByteArray::number(c) + "|" + QByteArray::number(table) + "|0|3";
    }
    EXPECT_EQ(app.readDataFile("Values.kept"), CatalogueFile(kept));
    // One table's failed attempt is reported, not one per table left.
    EXPECT_GE(failures.texts.size(), 1);
    EXPECT_LE(failures.texts.size(), 2);
}
