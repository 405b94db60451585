#include "ConnectionDialog.h"
#include "ConnectionSettings.h"
#include "ConnectionString.h"
#include "ImportTestSupport.h"
#include "WorkspaceTestSupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

const QStringList kThreeTables{
    "CREATE TABLE Customers (Id INTEGER, Name TEXT, City TEXT, Zip TEXT)",
    "CREATE TABLE Notes (Id INTEGER, Body TEXT)",
    "CREATE TABLE Orders (Id INTEGER, CustomerId INTEGER, Placed TEXT, Total REAL, Status TEXT)",
    "CREATE VIEW OpenOrders AS SELECT * FROM Orders",
};

class SchemaImportTest : public WorkspaceTest
{
protected:
    void SetUp() override { app.writeDataFile("Values.app", CatalogueFile({"2|Leaf|-1|0|3"})); }
    std::unique_ptr<WorkspaceWindow> open()
    {
        auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->valueTree()->selectNode("key2");
        return doc;
    }
    void import(WorkspaceWindow& doc, const std::optional<QString>& connection)
    {
        dialogs.connectionAnswers << connection;
        control<QPushButton>(doc, "importButton")->click();
    }
    // Imports `schema`, running `step` with the progress dialog each time the import moves it on.
    void importWatching(WorkspaceWindow& doc, const SqliteFile& schema, const std::function<void(QProgressDialog&)>& step)
    {
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&doc, step] {
            if (auto* progress = doc.findChild<QProgressDialog*>("importProgress"); progress && progress->isVisible())
                step(*progress);
        });
        poll.start();
        import(doc, schema.connectionString());
    }
};

TEST_F(SchemaImportTest, ThreeTablesUnderALeafAddFourteenValuesACancelOrFailedOpenAddsNothingAndNamesTheFilesCannotHoldAreLeftOut)
{
    SqliteFile schema(kThreeTables);
    auto doc = open();
    import(*doc, schema.connectionString());
    EXPECT_EQ(CatalogueTree::imageOf(doc->valueTree()->node("key2")), 2);
    addValue(*doc, "After"); // the count moved on by 14, and the selection rests on the last table added
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Leaf|-1|0|3", "4|Customers|2|0|3", "5|Id|4|0|3", "6|Name|4|0|3", "7|City|4|0|3",
                             "8|Zip|4|0|3", "9|Notes|2|0|3", "10|Id|9|0|3", "11|Body|9|0|3", "12|Orders|2|0|3",
                             "13|Id|12|0|3", "14|CustomerId|12|0|3", "15|Placed|12|0|3", "16|Total|12|0|3",
                             "17|Status|12|0|3", "18|After|12|0|3"}));
    const QByteArray before = app.readDataFile("Values.app");
    import(*doc, std::nullopt);
    EXPECT_EQ(dialogs.messages.size(), 1);
    import(*doc, "Provider=SQLite;Data Source=" + app.path() + "/no such folder/none.db;Password=Wr0ng-s3cret");
    ASSERT_EQ(dialogs.messages.size(), 2);
    // The failure's own description, bare, and no secret in it.
    const ScriptedDialogs::Message& said = dialogs.messages.last();
    EXPECT_FALSE(said.text.isEmpty() || said.text.startsWith("The database could not be opened:") || said.text.contains("Wr0ng-s3cret"))
        << said.text.toStdString();
    EXPECT_EQ(app.readDataFile("Values.app"), before);
    // Tables there in any letter case and names the files cannot hold are left out, the names told.
    SqliteFile odd(kThreeTables + QStringList{"CREATE TABLE \"Pay \u03A9\" (Id INTEGER)", "CREATE TABLE \"pipe|name\" (Id INTEGER)",
                                              "CREATE TABLE \"\"\"\" (Id INTEGER)", "CREATE TABLE \"two\nlines\" (Id INTEGER)",
                                              "CREATE TABLE Kept (Id INTEGER, \"a\u00B1b\" TEXT, \"c\rd\" TEXT, Name TEXT)"});
    doc->valueTree()->clearSelection();
    addValue(*doc, "NOTES");
    doc->valueTree()->clearSelection(); // nothing selected: under the root, as Add does
    import(*doc, odd.connectionString());
    EXPECT_EQ(children(doc->valueTree(), "key-1"),
              (QStringList{"key2=Leaf", "key19=NOTES", "key20=Customers", "key25=Kept", "key28=Orders"}));
    EXPECT_EQ(children(doc->valueTree(), "key25"), (QStringList{"key26=Id", "key27=Name"}));
    EXPECT_TRUE(failures.texts.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 3) << "every name left out is named in one message";
    for (const QString& named : {QString("Pay \u03A9"), QString("pipe|name: The character '|'"),
                                 QString("\": The character '\"'"), QString("two\nlines: A line break (U+000A)"),
                                 QString::fromUtf8("Kept.a±b: The character '±'"), QString("Kept.c\rd: A line break (U+000D)")})
        EXPECT_TRUE(dialogs.messages[2].text.contains(named)) << named.toStdString();
    const QByteArray imported = app.readDataFile("Values.app");
    doc->valueTree()->selectNode("key-1");
    import(*doc, odd.connectionString());
    EXPECT_EQ(app.readDataFile("Values.app"), imported);
    EXPECT_EQ(dialogs.messages.size(), 4) << "only the tables that cannot be stored are named again";
}

TEST_F(SchemaImportTest, TheSelectionEndsOnTheParentWhenTheLastTableIsNotAdded)
{
    const std::tuple<QByteArray, QStringList, QString> cases[] = { // a child there before, more tables, selected
        {"3|orders|2|0|3", {}, "key2"},                                    // the last table listed is there already
        {"3|customers|2|0|3", {}, "key8"},                                 // the first is: the last added keeps it
        {"3|Other|2|0|3", {"CREATE TABLE \"Zz|z\" (Id INTEGER)"}, "key2"}, // the last cannot be stored
    };
    for (const auto& [existing, extraTables, selected] : cases) {
        app.writeDataFile("Values.app", CatalogueFile({"2|Leaf|-1|0|3", existing}));
        SqliteFile schema(kThreeTables + extraTables);
        auto doc = open();
        import(*doc, schema.connectionString());
        EXPECT_EQ(doc->valueTree()->selectedKey(), selected) << existing.toStdString();
    }
}

TEST_F(SchemaImportTest, CancellingTheProgressOrAFailedWriteStopsTheImportAndKeepsWhatWasStored)
{
    QStringList small, columns, big; // big tables are stored one by one, small ones together
    for (int c = 0; c < 1000; ++c)
        columns << QString("C%1 INTEGER").arg(c);
    for (int t = 0; t < 8; ++t) {
        small << QString("CREATE TABLE T%1 (A INTEGER, B TEXT)").arg(t);
        big << QString("CREATE TABLE B%1 (%2)").arg(t).arg(columns.join(u','));
    }
    auto doc = open();
    importWatching(*doc, SqliteFile(small), [](QProgressDialog& progress) {
        EXPECT_EQ(progress.maximum(), 8);
        if (progress.value() >= 3)
            progress.cancel();
    });
    QList<QByteArray> kept{"2|Leaf|-1|0|3", "4|T0|2|0|3", "5|A|4|0|3", "6|B|4|0|3", "7|T1|2|0|3", "8|A|7|0|3",
                           "9|B|7|0|3", "10|T2|2|0|3", "11|A|10|0|3", "12|B|10|0|3"};
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile(kept));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    doc->valueTree()->selectNode("key2");
    bool broken = false;
    importWatching(*doc, SqliteFile(big), [&](QProgressDialog& progress) {
        // The catalogue file turns into a folder: every later write fails.
        if (progress.value() >= 2 && !broken)
            broken = QDir(app.dataPath()).rename("Values.app", "Values.kept") && QDir(app.dataPath()).mkdir("Values.app");
    });
    ASSERT_TRUE(broken);
    EXPECT_EQ(children(doc->valueTree(), "key2"), (QStringList{"key4=T0", "key7=T1", "key10=T2", "key13=B0", "key1014=B1"}));
    for (int table : {13, 1014}) {
        kept << QByteArray::number(table) + "|B" + QByteArray::number(table / 1000) + "|2|0|3";
        for (int c = 0; c < 1000; ++c)
            kept << QByteArray::number(table + 1 + c) + "|C" + QByteArray::number(c) + "|" + QByteArray::number(table) + "|0|3";
    }
    EXPECT_EQ(app.readDataFile("Values.kept"), CatalogueFile(kept));
    EXPECT_TRUE(failures.texts.size() == 1 || failures.texts.size() == 2) << "one table's failed attempt, not one per table left";
}

TEST(ConnectionDialog, EachKindNeedsItsFieldsAndGivesAStringThatReadsBack)
{
    ConnectionDialog dialog;
    dialog.show();
    auto* kinds = control<QComboBox>(dialog, "kindBox");
    auto chooseKind = [&](const char* caption) { kinds->setCurrentIndex(kinds->findText(caption)); };
    auto box = [&](const char* name) { return control<QLineEdit>(dialog, name); };
    auto okEnabled = [&] { return control<QDialogButtonBox>(dialog, "buttons")->button(QDialogButtonBox::Ok)->isEnabled(); };
    chooseKind("PostgreSQL");
    EXPECT_FALSE(okEnabled()); // no database yet
    control<QSpinBox>(dialog, "portBox")->setValue(5433);
    for (auto [name, typed] :
         {std::pair{"hostBox", "db.example"}, {"databaseBox", "crm"}, {"userBox", "me"}, {"passwordBox", "se;cr\"et "}})
        QTest::keyClicks(box(name), typed);
    EXPECT_TRUE(okEnabled());
    QString error;
    const auto settings = toConnectionSettings(dialog.connectionString(), &error);
    ASSERT_TRUE(settings) << error.toStdString();
    EXPECT_EQ(QStringList({settings->hostName, QString::number(settings->port), settings->databaseName,
                           settings->userName, settings->password}),
              QStringList({"db.example", "5433", "crm", "me", "se;cr\"et "}));
    chooseKind("SQLite file");
    EXPECT_FALSE(okEnabled());
    QTest::keyClicks(box("fileBox"), "/data/crm.db");
    EXPECT_TRUE(okEnabled());
    EXPECT_EQ(dialog.connectionString(), "Provider=SQLite;Data Source=/data/crm.db");
    chooseKind("Connection string");
    EXPECT_FALSE(okEnabled());
    QTest::keyClicks(box("connectionStringBox"), " provider=msdaora.1;Data Source=orcl ");
    EXPECT_TRUE(okEnabled());
    EXPECT_TRUE(readsOracleDictionary(dialog.connectionString()));
}

} // namespace
