#include "CatalogueModel.h"
#include "ClosedBook.h"
#include "FieldsList.h"
#include "RandomText.h"
#include "ResultView.h"
#include "StoredNames.h"
#include "WorkspaceSettings.h"
#include "WorkspaceTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMessageBox>
#include <QTimer>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <memory>
#include <random>
#include <utility>

namespace {

TEST_F(WorkspaceTest, AddsTrimmedNamesUnderTheSelectedNodeAndRefusedOnesUseUpNoKey)
{
    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    addTemplate(*doc, "Select list");
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|Select list|-1|0|3"}));
    EXPECT_EQ(app.readDataFile("TMP_key2"), kNewBody);
    CatalogueTree* tree = doc->valueTree();
    addValue(*doc, "Customers");
    EXPECT_FALSE(app.dataFileExists("VAL_key2")) << "values have no body files";
    EXPECT_EQ(CatalogueTree::imageOf(tree->node("key-1")), 1) << "adding under the root leaves it alone";
    ASSERT_TRUE(tree->selectNode("key2"));
    addValue(*doc, "CustomerId");
    addValue(*doc, "Name");
    EXPECT_EQ(CatalogueTree::imageOf(tree->node("key2")), 2);
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Customers|-1|0|3", "3|CustomerId|2|0|3", "4|Name|2|0|3"})) << "image 2 is on the screen only";
    auto* box = control<QLineEdit>(*doc, "valueNameBox");
    box->setText("  Orders  ");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(box->text().isEmpty());
    const QByteArray before = app.readDataFile("Values.app");
    const std::tuple<bool, QString, bool> attempts[] = { // a template?, the name typed, refused by the store?
        {false, "", false}, {false, " \t ", false}, {false, "a|b", true},
        {true, "   ", false}, {true, QString::fromUtf8("テンプレート"), true}, // not in Windows-1252
    };
    for (const auto& [isTemplate, typed, storeRefuses] : attempts) {
        SCOPED_TRACE(typed.toStdString());
        const qsizetype messages = dialogs.messages.size(), refusals = failures.texts.size();
        auto* name = control<QLineEdit>(*doc, isTemplate ? "templateNameBox" : "valueNameBox");
        auto* add = control<QPushButton>(*doc, isTemplate ? "addTemplateButton" : "addValueButton");
        name->setText(typed);
        add->click();
        add->click(); // impatient: twice
        EXPECT_EQ(name->text(), typed) << "kept for the user to put right";
        EXPECT_EQ(failures.texts.size() - refusals, storeRefuses ? 2 : 0);
        EXPECT_EQ(dialogs.messages.size() - messages, storeRefuses ? 0 : 2);
    }
    EXPECT_EQ(app.readDataFile("Values.app"), before);
    addValue(*doc, "Lines");
    EXPECT_EQ(children(tree, "key2"), (QStringList{"key3=CustomerId", "key4=Name", "key5=Orders", "key6=Lines"}));
    EXPECT_EQ(children(doc->templateTree(), "key-1"), QStringList{"key2=Select list"});
}

TEST_F(WorkspaceTest, RemovesLeavesOnlyAndATemplateTakesItsBodyWithItOnceEvenWhenDoubleClicked)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|SQL|-1|0|3", "3|Select|2|0|3", "4|Update|2|0|3", "5|Delete|2|0|3"}));
    app.writeDataFile("Values.app", CatalogueFile({"3|Orders|-1|0|3"}));
    for (const char* body : {"TMP_key2", "TMP_key3", "TMP_key4", "TMP_key5"})
        app.writeDataFile(body, kNewBody);
    app.writeDataFile("VAL_key3", "not ours");
    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    doc->show();
    CatalogueTree* templates = doc->templateTree();
    auto* remove = control<QPushButton>(*doc, "removeTemplateButton");
    const QByteArray before = app.readDataFile("Tempalates.app");
    const QString refused = "Item can't be deleted, first delete its children";
    dialogs.confirmAnswers = {true, true};
    doc->removeTemplate(); // the root: nothing to say
    templates->selectNode("key2");
    doc->removeTemplate();
    ASSERT_EQ(dialogs.messageTexts(), QStringList{refused});
    EXPECT_EQ(app.readDataFile("Tempalates.app"), before);
    templates->selectNode("key3");
    remove->click();
    EXPECT_FALSE(app.dataFileExists("TMP_key3"));
    EXPECT_EQ(templates->selectedKey(), "key2") << "the parent takes the selection";
    doc->valueTree()->selectNode("key3");
    control<QPushButton>(*doc, "removeValueButton")->click();
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({}));
    EXPECT_EQ(app.readDataFile("VAL_key3"), "not ours") << "values have no body files";
    EXPECT_TRUE(dialogs.confirmations.size() == 2 && dialogs.confirmations[0].contains("\"Select\"")
                && dialogs.confirmations[1].contains("\"Orders\""));
    // A double-click: the second click arrives while the first one's question is still open.
    templates->selectNode("key4");
    dialogs.confirmAnswers = {true};
    bool clickedAgain = false;
    dialogs.onConfirm = [&] {
        if (!std::exchange(clickedAgain, true))
            QTest::mouseClick(remove, Qt::LeftButton);
    };
    doubleClick(remove, remove->rect().center());
    EXPECT_EQ(children(templates, "key2"), QStringList{"key5=Delete"});
    EXPECT_EQ(dialogs.confirmations.size(), 3) << "the click that came while the question was open did nothing";
    EXPECT_EQ(dialogs.messageTexts(), (QStringList{refused, refused}))
        << "the double-click's second click met the parent, never a neighbour";
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|SQL|-1|0|3", "5|Delete|2|0|3"}));
    templates->selectNode("key5");
    doc->removeTemplate(); // answered No
    EXPECT_TRUE(templates->node("key5") && app.dataFileExists("TMP_key5") && app.dataFileExists("TMP_key2"));
}

TEST_F(WorkspaceTest, AnUnreadableCatalogueOrAFailedWriteLeavesTreeAndFilesAsTheyWere)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|SQL|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    QFile::remove(app.dataPath("Values.app"));
    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    ASSERT_TRUE(failures.texts.size() == 1 && failures.texts[0].startsWith("GetRecordset: \""));
    addValue(*doc, "one");
    addValue(*doc, "two");
    EXPECT_EQ(failures.texts.size(), 1) << "no store failure per attempt";
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Data\\Values.app"));
    EXPECT_TRUE(!app.dataFileExists("Values.app") && children(doc->valueTree(), "key-1").isEmpty());
    addTemplate(*doc, "still works");
    failures.texts.clear();
    // The table file goes away behind the window's back: adding and removing both fail.
    QFile::rename(app.dataPath("Tempalates.app"), app.dataPath("Tempalates.moved"));
    addTemplate(*doc, "lost");
    EXPECT_EQ(QDir(app.dataPath()).entryList({"TMP_*"}), (QStringList{"TMP_key2", "TMP_key4"})) << "no body without its record";
    doc->templateTree()->selectNode("key2");
    dialogs.confirmAnswers = {true};
    doc->removeTemplate();
    EXPECT_EQ(children(doc->templateTree(), "key-1"), (QStringList{"key2=SQL", "key4=still works"}));
    EXPECT_TRUE(app.dataFileExists("TMP_key2")) << "the body stays when the record could not be deleted";
    ASSERT_EQ(failures.texts.size(), 3) << failures.texts.join('\n').toStdString();
    EXPECT_TRUE(failures.texts[1].startsWith("InsertRecord: \"") && failures.texts[2].startsWith("DeleteRecord: \""));
    // The record is stored but its body cannot be: the record is taken back.
    QFile::rename(app.dataPath("Tempalates.moved"), app.dataPath("Tempalates.app"));
    const QString key = doc->templateCatalogue().nextKey();
    ASSERT_TRUE(QDir(app.dataPath()).mkdir(QStringLiteral("TMP_") + key));
    EXPECT_FALSE(doc->addTemplateNamed("no body"));
    EXPECT_EQ(doc->templateTree()->node(key), nullptr);
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|SQL|-1|0|3", "4|still works|-1|0|3"}));
    EXPECT_TRUE(failures.texts.last().startsWith("WriteStream: \""));
}

TEST_F(WorkspaceTest, RecordsThatCannotBePlacedAreReportedOnceAndLeftInTheFile)
{
    const QByteArray file = CatalogueFile(
        {"2|Orders|-1|0|3", "2|Twin|-1|0|3", "abc|Broken|-1|0|3", "6|Orphan|40|0|3", "3|Lines|2|0|3"});
    app.writeDataFile("Values.app", file);
    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    CatalogueTree* values = doc->valueTree();
    EXPECT_EQ(children(values, "key-1"), (QStringList{"key2=Orders", "keyabc=Broken"}))
        << "an ID that is not a number still shows, under the key it spells";
    EXPECT_EQ(failures.texts, QStringList{"getMax: \"Type mismatch: 'abc' is not a number\""});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("2 record(s)"));
    EXPECT_EQ(app.readDataFile("Values.app"), file);
    values->selectNode("key2");
    addValue(*doc, "fresh");
    EXPECT_EQ(children(values, "key2"), (QStringList{"key3=Lines", "key8=fresh"}))
        << "a key above every stored ID, the orphan's included";
    dialogs.confirmAnswers = {true, true};
    for (const char* leaf : {"key8", "key3", "key2"}) {
        values->selectNode(leaf);
        doc->removeValue();
    }
    // The store deletes by ID, so removing the shown record would take its twin with it.
    EXPECT_NE(values->node("key2"), nullptr);
    EXPECT_TRUE(dialogs.messages.last().text.contains("another record with the ID 2"));
    EXPECT_TRUE(app.readDataFile("Values.app").contains("2|Twin|-1|0|3"));
}

TEST_F(WorkspaceTest, OpensADataFolderLeftByTheWindowsEditionAndFiltersEachTree)
{
    // Bytes as the Windows edition writes them: Windows-1252, 0xB1 between records.
    app.writeDataFile("Values.app", "\"ID|Name|ParentID|Spare|Image\xB1" "12|Caf\xE9|-1|0|3\xB1"
                                    "13|M\xFCller \x80 Preis|12|0|3\xB1" "14|Stra\xDF" "e|13|0|2\"\r\n");
    app.writeDataFile("Tempalates.app", "\"ID|Name|ParentID|Spare|Image\xB1" "3|a|-1|0|3\xB1" "7|Cr\xE9" "er table|-1|0|3\xB1"
                                        "5|c|3|0|3\"\r\n");
    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{QString::fromUtf8("key12=Café")});
    EXPECT_EQ(children(doc->valueTree(), "key12") + children(doc->valueTree(), "key13"),
              QStringList({QString::fromUtf8("key13=Müller € Preis"), QString::fromUtf8("key14=Straße")}));
    EXPECT_TRUE(failures.texts.isEmpty() && dialogs.messages.isEmpty());
    addTemplate(*doc, "first");
    auto again = std::make_unique<WorkspaceWindow>(app.dataPath());
    EXPECT_EQ(children(again->templateTree(), "key-1"),
              (QStringList{"key3=a", QString::fromUtf8("key7=Créer table"), "key9=first"})) << "rewritten as read";
    QTest::keyClicks(control<QLineEdit>(*again, "valueFilter"), "preis"); // each tree has a filter of its own
    EXPECT_TRUE(again->valueTree()->node("key14")->isHidden());
    EXPECT_FALSE(again->valueTree()->node("key12")->isHidden() || again->templateTree()->node("key5")->isHidden());
}

TEST_F(WorkspaceTest, TheListStripDrivesTheBodyStripFocusHintsFollowAndTheSplitterIsRemembered)
{
    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    auto visible = [&](const char* name) { return !control<QFrame>(*doc, name)->isHidden(); };
    doc->paneTabs()->setCurrentIndex(1);
    EXPECT_TRUE(visible("templateListPage") && visible("resultPanePage"));
    doc->paneTabs()->setCurrentIndex(0);
    doc->catalogueTabs()->setCurrentIndex(1);
    EXPECT_TRUE(visible("valueListPage") && visible("resultPanePage"));
    doc->show();
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    QSignalSpy hints(doc.get(), &WorkspaceWindow::statusHint);
    auto hintFor = [&](QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        return hints.isEmpty() ? QString("<none>") : hints.last().at(0).toString();
    };
    EXPECT_TRUE(hintFor(doc->valueTree()).startsWith(" Main contains 0 objects. Active Control: Values List"));
    EXPECT_EQ(hintFor(control<QPushButton>(*doc, "addValueButton")), "");
    EXPECT_EQ(hintFor(doc->resultPane()), " Active Control: Result Pane");
    const qsizetype count = hints.size();
    hintFor(control<QPushButton>(*doc, "importButton"));
    EXPECT_EQ(hints.size(), count) << "a pane keeps its hint when it loses the focus";
    doc->selectListTab(0);
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0);
    doc->close();

    UserSettings().remove("Settings/CatalogueColumnWidth"); // other windows closed before
    for (bool remembered : {false, true}) {
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1000, 600);
        doc->show();
        auto* splitter = control<QSplitter>(*doc, "splitter");
        EXPECT_EQ(splitter->sizes().value(0), remembered ? 400 : qRound(3450 * doc->logicalDpiX() / 1440.0));
        splitter->setSizes({400, 600});
        doc->close();
    }
    UserSettings().remove("Settings/CatalogueColumnWidth");
}

// The real question box: Enter takes the first choice, Escape and the close box the last.
TEST(QuestionBox, TheFirstChoiceIsTheDefaultAndEscapeOrTheCloseBoxChangesNothing)
{
    const QStringList choices{"Keep both", "Overwrite", "Cancel"};
    const std::function<void(QMessageBox&)> answers[] = {
        [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); },
        [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
        [](QMessageBox& box) { box.close(); },
        [](QMessageBox& box) { box.buttons().at(1)->click(); },
    };
    QList<int> chosen;
    QStringList shown;
    for (const auto& answer : answers) {
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                ADD_FAILURE() << "no question box";
                if (modal)
                    modal->close();
                return;
            }
            shown << box->windowTitle() + ": " + box->text();
            answer(*box);
        });
        chosen << Dialogs::current().choose(nullptr, "Which?", choices);
    }
    EXPECT_EQ(chosen, (QList<int>{0, 2, 2, 1}));
    EXPECT_EQ(shown, QStringList(4, "Vellumatic: Which?"));
}

TEST(TreeFilter, KeepsMatchesAndTheirAncestorsOpenTheSelectionInViewAndGroupsLookDifferent)
{
    // Main > Orders > (OrderId, CustomerId), Main > Customers > (CustomerId, Name), Main > Notes
    TempAppFolder folder;
    folder.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3", "3|OrderId|2|0|3", "4|CustomerId|2|0|3",
                                                      "5|Customers|-1|0|3", "6|CustomerId|5|0|3", "7|Name|5|0|3",
                                                      "8|Notes|-1|0|3"}));
    DataStore store(folder.path());
    CatalogueModel values(store, kValueCatalogueFile, QString());
    CatalogueTree tree;
    tree.follow(values);
    values.load();
    auto shown = [&] {
        QString keys;
        for (const char* key : {"key-1", "key2", "key3", "key4", "key5", "key6", "key7", "key8"})
            keys += tree.node(key)->isHidden() ? "" : QString(key).mid(3);
        return keys;
    };
    tree.node("key5")->setExpanded(false);
    tree.selectNode("key7");
    const std::tuple<const char*, int, const char*> cases[] = {
        {"customerid", 2, "-124567"}, {"Orders", 1, "-1257"}, {"ord", 2, "-12357"}, {"no such", 0, "-157"},
        {"", 8, "-12345678"}}; // the selected Name and its way up always show
    for (const auto& [text, matches, keys] : cases) {
        EXPECT_EQ(tree.filter(text), matches) << text;
        EXPECT_EQ(shown(), keys) << text;
    }
    EXPECT_TRUE(tree.node("key5")->isExpanded()) << "the way to a match is opened";
    EXPECT_FALSE(tree.selectNode("key99"));
    EXPECT_EQ(tree.selectedKey(), "key7") << "a node that is not there leaves the selection alone";
    auto icon = [&](const char* key) { return tree.node(key)->icon(0).cacheKey(); };
    EXPECT_EQ(icon("key2"), GroupIcon().cacheKey());
    values.remove("key7");
    values.remove("key6");
    EXPECT_EQ(icon("key5"), LeafIcon().cacheKey()) << "a group emptied is a leaf";
    tree.filter("Notes");
    const QString added = values.add("key8", "x").key;
    EXPECT_EQ(icon("key8"), GroupIcon().cacheKey());
    EXPECT_TRUE(tree.node(added)->isHidden()) << "an item added under a filter follows it";
}

// Random adds, drops, removals and renames: the tree always shows what a fresh read of the
// file shows, in the same order, whatever node was selected.
TEST(CatalogueTree, FollowsEveryChangeOfItsCatalogueAsAFreshReadOfTheFileShowsIt)
{
    CapturedFailures failures; // the store refuses "|"
    TempAppFolder folder;
    folder.writeDataFile("Values.app", CatalogueFile({"2|a|-1|0|3", "3|b|2|0|3"}));
    DataStore store(folder.path());
    CatalogueModel values(store, kValueCatalogueFile, QString());
    CatalogueTree tree;
    tree.follow(values);
    values.load();
    auto shownTree = [](const CatalogueTree& t) {
        QStringList lines;
        QList<QTreeWidgetItem*> pending{t.topLevelItem(0)};
        while (!pending.isEmpty()) {
            QTreeWidgetItem* node = pending.takeFirst();
            for (int i = 0; i < node->childCount(); ++i) {
                lines << CatalogueTree::keyOf(node) + ">" + CatalogueTree::keyOf(node->child(i)) + " " +
                             node->child(i)->text(0);
                pending << node->child(i);
            }
        }
        return lines;
    };
    std::mt19937 random(7);
    const QStringList pieces{"x", "y", " ", "|", "\u00e9"};
    for (int step = 0; step < 60; ++step) {
        const QList<CatalogueItem> items = values.items();
        const QString some = items.isEmpty() ? kRootKey : items[random() % items.size()].key;
        tree.selectNode(some);
        switch (random() % 4) {
        case 0: values.add(some, RandomText(random, pieces, 3)); break;
        case 1: values.addMany(some, {RandomText(random, pieces, 2), RandomText(random, pieces, 2)}); break;
        case 2: values.remove(some); break;
        case 3: values.rename(some, RandomText(random, pieces, 3)); break;
        }
        CatalogueModel reread(store, kValueCatalogueFile, QString());
        CatalogueTree fresh;
        fresh.follow(reread);
        reread.load();
        ASSERT_EQ(shownTree(tree), shownTree(fresh)) << "step " << step;
        ASSERT_FALSE(tree.selectedKey().isEmpty());
    }
}

} // namespace
