#include "FieldsList.h"
#include "ResultView.h"
#include "WorkspaceSettings.h"
#include "WorkspaceTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <utility>

namespace {

const QByteArray kEmptyTable = CatalogueFile({});

std::unique_ptr<WorkspaceWindow> open(const TempAppFolder& app)
{
    return std::make_unique<WorkspaceWindow>(app.dataPath());
}

TEST_F(WorkspaceTest, StartsFromHeaderOnlyFilesWithTheRootAlone)
{
    auto doc = open(app);
    for (CatalogueTree* tree : {doc->templateTree(), doc->valueTree()}) {
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        EXPECT_EQ(CatalogueTree::keyOf(root), "key-1");
        EXPECT_EQ(root->text(0), "Main");
        EXPECT_EQ(CatalogueTree::imageOf(root), 1);
        EXPECT_EQ(root->childCount(), 0);
        EXPECT_EQ(tree->selectedKey(), "key-1");
        EXPECT_EQ(tree->palette().color(QPalette::Base), QColor(Qt::white));
    }

    addTemplate(*doc, "Select list");
    addValue(*doc, "CustomerId");
    EXPECT_EQ(children(doc->templateTree(), "key-1"), QStringList{"key2=Select list"});
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{"key2=CustomerId"});
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|Select list|-1|0|3"}));
    EXPECT_EQ(app.readDataFile("TMP_key2"), kNewBody);
    EXPECT_FALSE(app.dataFileExists("VAL_key2"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(failures.texts.isEmpty());
}

TEST_F(WorkspaceTest, NewKeysCountFromTheHighestIdAndRestartFindsTheNewMaximum)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"3|a|-1|0|3", "7|b|-1|0|3", "5|c|3|0|3"}));
    {
        auto doc = open(app);
        EXPECT_EQ(doc->nextTemplateKey(), "key9");
        addTemplate(*doc, "first");
        addTemplate(*doc, "second");
        EXPECT_EQ(children(doc->templateTree(), "key-1"),
                  (QStringList{"key3=a", "key7=b", "key9=first", "key10=second"}));
        EXPECT_TRUE(app.dataFileExists("TMP_key9"));
        EXPECT_TRUE(app.dataFileExists("TMP_key10"));
    }
    auto again = open(app);
    EXPECT_EQ(again->nextTemplateKey(), "key12");
    EXPECT_EQ(children(again->templateTree(), "key3"), QStringList{"key5=c"});
}

TEST_F(WorkspaceTest, AddsUnderTheSelectedNodeAndMarksThatNode)
{
    auto doc = open(app);
    CatalogueTree* tree = doc->valueTree();
    addValue(*doc, "Customers");
    EXPECT_EQ(CatalogueTree::imageOf(tree->node("key-1")), 1) << "adding under the root leaves it alone";
    EXPECT_EQ(CatalogueTree::imageOf(tree->node("key2")), 3);

    ASSERT_TRUE(tree->selectNode("key2"));
    addValue(*doc, "CustomerId");
    addValue(*doc, "Name");
    EXPECT_EQ(tree->selectedKey(), "key2") << "the parent stays selected for the next add";
    EXPECT_EQ(CatalogueTree::imageOf(tree->node("key2")), 2);
    EXPECT_EQ(children(tree, "key2"), (QStringList{"key3=CustomerId", "key4=Name"}));
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Customers|-1|0|3", "3|CustomerId|2|0|3", "4|Name|2|0|3"}));

    auto again = open(app);
    EXPECT_EQ(children(again->valueTree(), "key2"), (QStringList{"key3=CustomerId", "key4=Name"}));
    EXPECT_EQ(CatalogueTree::imageOf(again->valueTree()->node("key2")), 3) << "image 2 was on the screen only";
}

TEST_F(WorkspaceTest, TypedNamesAreTrimmedAndNamesWithBarsAreRefused)
{
    auto doc = open(app);
    auto* box = control<QLineEdit>(*doc, "valueNameBox");
    box->setText("  Orders  ");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(box->text().isEmpty());
    addValue(*doc, "a|b");
    ASSERT_EQ(failures.texts.size(), 1) << "a name with a bar is refused, not stored without it";
    EXPECT_TRUE(failures.texts[0].startsWith("InsertRecord: \"The character '|' (U+007C)"));
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{"key2=Orders"});
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|Orders|-1|0|3"}));
}

TEST_F(WorkspaceTest, ARefusedNameStaysInTheBoxAndABlankOneIsRefusedWithAMessage)
{
    auto doc = open(app);
    const QByteArray before = app.readDataFile("Values.app");
    struct Attempt
    {
        const char* box;
        const char* button;
        QString typed;
        bool storeRefuses;
    };
    const Attempt attempts[] = {
        {"valueNameBox", "addValueButton", "", false},
        {"valueNameBox", "addValueButton", " \t ", false},
        {"valueNameBox", "addValueButton", QString::fromUtf8("名前"), true}, // not in Windows-1252
        {"templateNameBox", "addTemplateButton", "   ", false},
        {"templateNameBox", "addTemplateButton", QString::fromUtf8("テンプレート"), true},
    };
    for (const Attempt& a : attempts) {
        auto* box = control<QLineEdit>(*doc, a.box);
        box->setText(a.typed);
        control<QPushButton>(*doc, a.button)->click();
        control<QPushButton>(*doc, a.button)->click(); // impatient: twice
        EXPECT_EQ(box->text(), a.typed) << "kept for the user to put right";
        const QString said = a.storeRefuses ? failures.texts.value(failures.texts.size() - 1)
                                            : dialogs.messages.value(dialogs.messages.size() - 1).text;
        EXPECT_FALSE(said.isEmpty()) << a.typed.toStdString();
    }
    EXPECT_EQ(dialogs.messages.size(), 6);
    EXPECT_TRUE(dialogs.messages[0].text.contains("name"));
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{});
    EXPECT_EQ(children(doc->templateTree(), "key-1"), QStringList{});
    EXPECT_EQ(app.readDataFile("Values.app"), before);

    addValue(*doc, "Orders");
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{"key2=Orders"}) << "refusals use up no key";
}

TEST_F(WorkspaceTest, RemovesLeavesOnlyAndATemplateTakesItsBodyWithIt)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|SQL|-1|0|3", "3|Select|2|0|3"}));
    app.writeDataFile("Values.app", CatalogueFile({"3|Orders|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    app.writeDataFile("TMP_key3", kNewBody);
    app.writeDataFile("VAL_key3", "not ours");
    auto doc = open(app);
    CatalogueTree* templates = doc->templateTree();
    const QByteArray before = app.readDataFile("Tempalates.app");

    dialogs.confirmAnswers = {true, true};
    doc->removeTemplate(); // the root
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_NE(templates->node("key-1"), nullptr);

    templates->selectNode("key2");
    doc->removeTemplate();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Item can't be deleted, first delete its children");
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(app.readDataFile("Tempalates.app"), before);
    EXPECT_NE(templates->node("key2"), nullptr);

    templates->selectNode("key3");
    control<QPushButton>(*doc, "removeTemplateButton")->click();
    EXPECT_EQ(templates->node("key3"), nullptr);
    EXPECT_FALSE(app.dataFileExists("TMP_key3"));
    EXPECT_TRUE(app.dataFileExists("TMP_key2"));
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|SQL|-1|0|3"}));

    doc->valueTree()->selectNode("key3");
    control<QPushButton>(*doc, "removeValueButton")->click();
    EXPECT_EQ(doc->valueTree()->node("key3"), nullptr);
    EXPECT_EQ(app.readDataFile("Values.app"), kEmptyTable);
    EXPECT_EQ(app.readDataFile("VAL_key3"), "not ours") << "values have no body files";
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.confirmations, (QStringList{"Remove the template \"Select\"? Its text and result are deleted "
                                                  "with it.",
                                                  "Remove the value \"Orders\"?"}));
    EXPECT_EQ(templates->selectedKey(), "key2") << "the parent takes the selection";

    // Answered No: nothing changes.
    templates->selectNode("key2");
    doc->removeTemplate();
    EXPECT_NE(templates->node("key2"), nullptr);
    EXPECT_TRUE(app.dataFileExists("TMP_key2"));
}

TEST_F(WorkspaceTest, ADoubleClickOnRemoveTakesOneItem)
{
    app.writeDataFile("Tempalates.app",
                      CatalogueFile({"2|SQL|-1|0|3", "3|Select|2|0|3", "4|Update|2|0|3", "5|Delete|2|0|3"}));
    for (const char* body : {"TMP_key2", "TMP_key3", "TMP_key4", "TMP_key5"})
        app.writeDataFile(body, kNewBody);
    auto doc = open(app);
    doc->show();
    CatalogueTree* templates = doc->templateTree();
    auto* remove = control<QPushButton>(*doc, "removeTemplateButton");

    // The second click arrives while the first one's question is still open.
    templates->selectNode("key4");
    dialogs.confirmAnswers = {true, true};
    bool clickedAgain = false;
    dialogs.onConfirm = [&] {
        if (!std::exchange(clickedAgain, true))
            QTest::mouseClick(remove, Qt::LeftButton);
    };
    doubleClick(remove, remove->rect().center());
    EXPECT_EQ(children(templates, "key2"), (QStringList{"key3=Select", "key5=Delete"}));
    EXPECT_TRUE(app.dataFileExists("TMP_key3") && app.dataFileExists("TMP_key5"));
    EXPECT_EQ(dialogs.confirmations, QStringList{"Remove the template \"Update\"? Its text and result are deleted "
                                                 "with it."})
        << "the click that came while the question was open did nothing";
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Item can't be deleted, first delete its children"})
        << "the double-click's second click met the parent, never a neighbour";
    EXPECT_EQ(templates->selectedKey(), "key2");
    EXPECT_EQ(app.readDataFile("Tempalates.app"),
              CatalogueFile({"2|SQL|-1|0|3", "3|Select|2|0|3", "5|Delete|2|0|3"}));
}

TEST_F(WorkspaceTest, AFailedWriteLeavesTreeAndFilesAsTheyWere)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|SQL|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    auto doc = open(app);

    // The table file goes away behind the window's back: adding and removing both fail.
    QFile::rename(app.dataPath("Tempalates.app"), app.dataPath("Tempalates.moved"));
    addTemplate(*doc, "lost");
    EXPECT_EQ(children(doc->templateTree(), "key-1"), QStringList{"key2=SQL"});
    EXPECT_FALSE(app.dataFileExists("TMP_key3")) << "no body without its record";
    doc->templateTree()->selectNode("key2");
    dialogs.confirmAnswers = {true};
    doc->removeTemplate();
    EXPECT_NE(doc->templateTree()->node("key2"), nullptr);
    EXPECT_TRUE(app.dataFileExists("TMP_key2")) << "the body stays when the record could not be deleted";
    ASSERT_EQ(failures.texts.size(), 3) << failures.texts.join('\n').toStdString();
    EXPECT_TRUE(failures.texts[1].startsWith("InsertRecord: \""));
    EXPECT_TRUE(failures.texts[2].startsWith("DeleteRecord: \""));

    // The record is stored but its body cannot be: the record is taken back.
    QFile::rename(app.dataPath("Tempalates.moved"), app.dataPath("Tempalates.app"));
    doc->templateTree()->selectNode("key-1");
    const QString key = doc->nextTemplateKey();
    ASSERT_TRUE(QDir(app.dataPath()).mkdir(QStringLiteral("TMP_") + key));
    EXPECT_FALSE(doc->addNode(doc->templateTree(), key, "no body", kTemplateCatalogueFile,
                              kTemplateBodyPrefix, false));
    EXPECT_EQ(doc->templateTree()->node(key), nullptr);
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|SQL|-1|0|3"}));
    EXPECT_TRUE(failures.texts.last().startsWith("WriteStream: \""));
}

TEST_F(WorkspaceTest, AReadOnlyDataFolderChangesNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind the superuser";
    app.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3"}));
    auto doc = open(app);
    QFile::setPermissions(app.dataPath(), QFile::ReadOwner | QFile::ExeOwner);
    addValue(*doc, "lost");
    doc->valueTree()->selectNode("key2");
    dialogs.confirmAnswers = {true};
    doc->removeValue();
    QFile::setPermissions(app.dataPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{"key2=Orders"});
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|Orders|-1|0|3"}));
    EXPECT_EQ(failures.texts.size(), 2);
}

TEST_F(WorkspaceTest, AnUnreadableCatalogueIsReportedOnceAndRefusesChanges)
{
    QFile::remove(app.dataPath("Values.app"));
    auto doc = open(app);
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("GetRecordset: \""));
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{});

    addValue(*doc, "one");
    addValue(*doc, "two");
    EXPECT_EQ(failures.texts.size(), 1) << "no store failure per attempt";
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Data\\Values.app"));
    EXPECT_FALSE(app.dataFileExists("Values.app"));
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{});

    addTemplate(*doc, "still works");
    EXPECT_EQ(children(doc->templateTree(), "key-1"), QStringList{"key2=still works"});
}

TEST_F(WorkspaceTest, RecordsThatCannotBePlacedAreReportedOnceAndLeftInTheFile)
{
    const QByteArray file = CatalogueFile({"2|Orders|-1|0|3", "2|Twin|-1|0|3", "abc|Broken|-1|0|3",
                                           "6|Orphan|40|0|3", "3|Lines|2|0|3"});
    app.writeDataFile("Values.app", file);
    auto doc = open(app);
    EXPECT_EQ(children(doc->valueTree(), "key-1"), (QStringList{"key2=Orders", "keyabc=Broken"}))
        << "an ID that is not a number still shows, under the key it spells";
    EXPECT_EQ(children(doc->valueTree(), "key2"), QStringList{"key3=Lines"});
    EXPECT_EQ(failures.texts, QStringList{"getMax: \"Type mismatch: 'abc' is not a number\""});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("2 record(s)"));
    EXPECT_EQ(app.readDataFile("Values.app"), file);

    doc->valueTree()->selectNode("key2");
    addValue(*doc, "fresh");
    EXPECT_EQ(children(doc->valueTree(), "key2"), (QStringList{"key3=Lines", "key8=fresh"}))
        << "a key above every stored ID, the orphan's included";
    dialogs.confirmAnswers = {true, true};
    for (const char* leaf : {"key8", "key3"}) {
        doc->valueTree()->selectNode(leaf);
        doc->removeValue();
    }
    // The store deletes by ID, so removing the shown record would take its twin with it.
    doc->valueTree()->selectNode("key2");
    doc->removeValue();
    EXPECT_NE(doc->valueTree()->node("key2"), nullptr);
    EXPECT_TRUE(dialogs.messages.last().text.contains("another record with the ID 2"));
    EXPECT_TRUE(app.readDataFile("Values.app").contains("2|Twin|-1|0|3"));
}

TEST_F(WorkspaceTest, TwoWindowsNeverHandOutTheSameKey)
{
    auto first = open(app);
    auto second = open(app);
    addValue(*first, "from the first");
    addValue(*second, "from the second");
    EXPECT_EQ(children(second->valueTree(), "key-1"), QStringList{"key3=from the second"});
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|from the first|-1|0|3", "3|from the second|-1|0|3"}));
}

TEST_F(WorkspaceTest, OpensADataFolderLeftByTheWindowsEdition)
{
    // Bytes as the Windows edition writes them: Windows-1252, 0xB1 between records.
    app.writeDataFile("Values.app", "\"ID|Name|ParentID|Spare|Image\xB1" "12|Caf\xE9|-1|0|3\xB1"
                                    "13|M\xFCller \x80 Preis|12|0|3\xB1" "14|Stra\xDF" "e|13|0|2\"\r\n");
    app.writeDataFile("Tempalates.app", "\"ID|Name|ParentID|Spare|Image\xB1" "2|Cr\xE9" "er table|-1|0|3\"\r\n");
    auto doc = open(app);
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{QString::fromUtf8("key12=Café")});
    EXPECT_EQ(children(doc->valueTree(), "key12"), QStringList{QString::fromUtf8("key13=Müller € Preis")});
    EXPECT_EQ(children(doc->valueTree(), "key13"), QStringList{QString::fromUtf8("key14=Straße")});
    EXPECT_EQ(CatalogueTree::imageOf(doc->valueTree()->node("key14")), 2);
    EXPECT_EQ(children(doc->templateTree(), "key-1"), QStringList{QString::fromUtf8("key2=Créer table")});
    EXPECT_TRUE(failures.texts.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(doc->nextValueKey(), "key16");
}

TEST_F(WorkspaceTest, TheListStripDrivesTheBodyStripOneWay)
{
    auto doc = open(app);
    auto visible = [&](const char* name) { return !control<QFrame>(*doc, name)->isHidden(); };
    EXPECT_TRUE(visible("templateListPage") && visible("templatePanePage"));
    EXPECT_FALSE(visible("valueListPage") || visible("resultPanePage"));

    doc->paneTabs()->setCurrentIndex(1);
    EXPECT_TRUE(visible("templateListPage") && visible("resultPanePage"));
    EXPECT_FALSE(visible("templatePanePage"));
    EXPECT_EQ(doc->catalogueTabs()->currentIndex(), 0);

    doc->paneTabs()->setCurrentIndex(0);
    doc->catalogueTabs()->setCurrentIndex(1);
    EXPECT_TRUE(visible("valueListPage") && visible("resultPanePage"));
    EXPECT_FALSE(visible("templateListPage") || visible("templatePanePage"));
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 1);

    doc->selectListTab(0);
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0);
}

TEST_F(WorkspaceTest, FocusHintsGoToTheStatusBarSignal)
{
    auto doc = open(app);
    doc->selectListTab(1);
    doc->show();
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    QSignalSpy hints(doc.get(), &WorkspaceWindow::statusHint);
    auto focus = [&](QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    };
    auto last = [&] { return hints.isEmpty() ? QString("<none>") : hints.last().at(0).toString(); };

    focus(doc->valueTree());
    EXPECT_TRUE(last().startsWith(" Active Control: Values List (Click or Press <SpaceBar>/<Enter>"));
    focus(control<QPushButton>(*doc, "addValueButton"));
    EXPECT_EQ(last(), "");
    focus(doc->fieldsList());
    EXPECT_TRUE(last().startsWith(" Active Control: Fields List (Press <Insert>"));
    focus(doc->resultPane());
    EXPECT_EQ(last(), " Active Control: Result Pane");
    const qsizetype count = hints.size();
    focus(control<QPushButton>(*doc, "importButton"));
    EXPECT_EQ(hints.size(), count) << "a pane keeps its hint when it loses the focus";

    doc->selectListTab(0);
    focus(doc->templateTree());
    EXPECT_EQ(last(), " Active Control: Templates List");
    focus(doc->templatePane());
    EXPECT_EQ(last(), " Active Control: Template Pane");
}

TEST_F(WorkspaceTest, TheSplitterStartsAtTheCatalogueColumnAndIsRemembered)
{
    UserSettings().remove("Settings/CatalogueColumnWidth"); // other windows closed before
    auto doc = open(app);
    doc->resize(1000, 600);
    doc->show();
    auto* splitter = control<QSplitter>(*doc, "splitter");
    const int classic = qRound(3450 * doc->logicalDpiX() / 1440.0);
    EXPECT_EQ(splitter->sizes().value(0), classic);
    splitter->setSizes({400, 600});
    doc->close();

    auto next = open(app);
    next->resize(1000, 600);
    next->show();
    EXPECT_EQ(control<QSplitter>(*next, "splitter")->sizes().value(0), 400);
    next->close();
    UserSettings().remove("Settings/CatalogueColumnWidth");
}

} // namespace
