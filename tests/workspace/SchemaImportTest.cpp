#include "ImportTestSupport.h"
#include "WorkspaceTestSupport.h"

#include "FieldsList.h"
#include "ResultView.h"

#include <QCheckBox>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
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

    std::unique_ptr<WorkspaceWindow> open(const QString& selected = "key2")
    {
        auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->valueTree()->selectNode(selected);
        return doc;
    }

    void import(WorkspaceWindow& doc, const std::optional<QString>& connection)
    {
        dialogs.connectionAnswers << connection;
        control<QPushButton>(doc, "importButton")->click();
    }

    // Runs `step` with the progress dialog each time the import moves it on.
    static void onProgress(QTimer& poll, WorkspaceWindow& doc, const std::function<void(QProgressDialog&)>& step)
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
    CatalogueTree* tree = doc->valueTree();
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

// The everyday schema case end to end: import a database, run an INSERT over its column
// count, and fill the whole column list from the table's columns in one gesture.
TEST_F(SchemaImportTest, ATablesColumnsFillAnInsertColumnListInOneGesture)
{
    SqliteFile schema(kThreeTables);
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|Insert|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    auto doc = open();
    doc->show();
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    import(*doc, schema.connectionString());
    ASSERT_EQ(children(doc->valueTree(), "key4"), (QStringList{"key5=Id", "key6=Name", "key7=City", "key8=Zip"}));

    doc->templateTree()->selectNode("key2");
    doc->templatePane()->setPlainText("INSERT INTO Customers ([($Col!|1|n)(, |1|n-1)])");
    doc->compactStyle()->setChecked(true);
    dialogs.boundAnswerScript = {QStringList{"4"}};
    doc->runButton()->click();
    const QString ran = doc->resultPane()->toPlainText();
    ASSERT_EQ(doc->fieldsList()->count(), 4) << ran.toStdString();

    doc->fieldsList()->setCurrentRow(0);
    doc->valueTree()->selectNode("key5");
    doc->valueTree()->setFocus();
    QTest::keyClick(doc->valueTree(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(doc->resultPane()->toPlainText().trimmed(), "INSERT INTO Customers (Id, Name, City, Zip)");
    EXPECT_EQ(doc->fieldsList()->count(), 0);
    doc->resultPane()->resultDocument()->undo();
    EXPECT_EQ(doc->resultPane()->toPlainText(), ran) << "one undo step";
}

TEST_F(SchemaImportTest, ACancelledDialogOrAFailedOpenShowsOneMessageAndAddsNothing)
{
    const QByteArray before = app.readDataFile("Values.app");
    auto doc = open();
    import(*doc, std::nullopt);
    EXPECT_EQ(dialogs.messages.size(), 1);

    import(*doc, "Provider=SQLite;Data Source=" + app.path() + "/no such folder/none.db;Password=Wr0ng-s3cret");
    EXPECT_EQ(dialogs.messages.size(), 2);
    // The failure's own description, bare, with an OK button only.
    EXPECT_FALSE(dialogs.messages.last().text.isEmpty());
    EXPECT_FALSE(dialogs.messages.last().text.startsWith("The database could not be opened:"));
    EXPECT_EQ(dialogs.messages.last().icon, Dialogs::Icon::None);
    EXPECT_FALSE(dialogs.messages.last().text.contains("Wr0ng-s3cret"));

    EXPECT_EQ(dialogs.connectionRequests, 2);
    EXPECT_EQ(doc->valueTree()->node("key2")->childCount(), 0);
    EXPECT_EQ(app.readDataFile("Values.app"), before);
}

TEST_F(SchemaImportTest, TablesTheParentHoldsInAnyCaseAndNamesTheFilesCannotHoldAreLeftOut)
{
    SqliteFile schema(kThreeTables + QStringList{QStringLiteral("CREATE TABLE \"Pay \u03A9\" (Id INTEGER)")});
    app.writeDataFile("Values.app", CatalogueFile({"2|Leaf|-1|0|3", "3|NOTES|-1|0|3"}));
    auto doc = open(QString()); // nothing selected: under the root, as Add does
    doc->valueTree()->clearSelection();
    import(*doc, schema.connectionString());

    EXPECT_EQ(children(doc->valueTree(), "key-1"),
              (QStringList{"key2=Leaf", "key3=NOTES", "key5=Customers", "key10=Orders"}));
    EXPECT_TRUE(failures.texts.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Pay \u03A9"));

    // A second import under the root finds every table there already.
    const QByteArray before = app.readDataFile("Values.app");
    dialogs.messages.clear();
    doc->valueTree()->selectNode("key-1");
    import(*doc, schema.connectionString());
    EXPECT_EQ(app.readDataFile("Values.app"), before);
    EXPECT_EQ(dialogs.messages.size(), 1) << "only the table that cannot be stored is named again";
}

TEST_F(SchemaImportTest, TheSelectionEndsOnTheParentWhenTheLastTableIsNotAdded)
{
    const struct
    {
        QByteArray existing; // a child of the parent before the import
        QStringList extraTables;
        QString selected;
    } cases[] = {
        {"3|orders|2|0|3", {}, "key2"},              // the last table listed is there already
        {"3|customers|2|0|3", {}, "key8"},           // the first is: the last added keeps the selection
        {"3|Other|2|0|3", {"CREATE TABLE \"Zz|z\" (Id INTEGER)"}, "key2"}, // the last cannot be stored
        {"3|Other|2|0|3", {}, "key13"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.existing.toStdString());
        app.writeDataFile("Values.app", CatalogueFile({"2|Leaf|-1|0|3", c.existing}));
        SqliteFile schema(kThreeTables + c.extraTables);
        auto doc = open();
        import(*doc, schema.connectionString());
        EXPECT_EQ(doc->valueTree()->selectedKey(), c.selected);
    }
}

TEST_F(SchemaImportTest, NamesHoldingSeparatorsAreRefusedNeverStripped)
{
    SqliteFile schema({QStringLiteral("CREATE TABLE \"pipe|name\" (Id INTEGER)"),
                       QStringLiteral("CREATE TABLE \"\"\"\" (Id INTEGER)"),
                       QStringLiteral("CREATE TABLE \"two\nlines\" (Id INTEGER)"),
                       QStringLiteral("CREATE TABLE Kept (Id INTEGER, \"a\u00B1b\" TEXT, \"c\rd\" TEXT, Name TEXT)")});
    auto doc = open();
    import(*doc, schema.connectionString());

    EXPECT_EQ(children(doc->valueTree(), "key2"), (QStringList{"key4=Kept"}));
    EXPECT_EQ(children(doc->valueTree(), "key4"), (QStringList{"key5=Id", "key6=Name"}));
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Leaf|-1|0|3", "4|Kept|2|0|3", "5|Id|4|0|3", "6|Name|4|0|3"}));
    ASSERT_EQ(dialogs.messages.size(), 1) << "every name left out is named in one message";
    for (const QString& named : {QString("pipe|name: The character '|'"), QString("\": The character '\"'"),
                                 QString("two\nlines: A line break (U+000A)"),
                                 QString::fromUtf8("Kept.a±b: The character '±'"), QString("Kept.c\rd: A line break (U+000D)")})
        EXPECT_TRUE(dialogs.messages[0].text.contains(named)) << named.toStdString();
    EXPECT_TRUE(failures.texts.isEmpty());

    // Typed names are refused by the store with the character named, and nothing is added.
    failures.texts.clear();
    const QByteArray before = app.readDataFile("Values.app");
    for (const QString& name : {QString("pipe|name"), QString("say \"hi\"")}) {
        addValue(*doc, name);
        addTemplate(*doc, name);
    }
    EXPECT_EQ(failures.texts.size(), 4);
    for (const QString& text : failures.texts)
        EXPECT_TRUE(text.startsWith("InsertRecord: \"The character '")) << text.toStdString();
    EXPECT_EQ(app.readDataFile("Values.app"), before);
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({}));
    EXPECT_EQ(doc->templateTree()->node("key-1")->childCount(), 0);
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

    EXPECT_EQ(children(doc->valueTree(), "key2"), (QStringList{"key4=T0", "key7=T1", "key10=T2"}));
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
    EXPECT_EQ(children(doc->valueTree(), "key2"), (QStringList{"key4=T0", "key1005=T1"}));
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
