#include "FieldsList.h"
#include "ResultView.h"
#include "WorkspaceTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

const QByteArray kEmptyTable = CatalogueFile({});

std::unique_ptr<frmDocument> open(const TempAppFolder& app)
{
    return std::make_unique<frmDocument>(app.path());
}

TEST_F(WorkspaceTest, StartsFromHeaderOnlyFilesWithTheRootAlone)
{
    auto doc = open(app);
    for (CatalogueTree* tree : {doc->tvTempalates(), doc->tvValues()}) {
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
    EXPECT_EQ(children(doc->tvTempalates(), "key-1"), QStringList{"key2=Select list"});
    EXPECT_EQ(children(doc->tvValues(), "key-1"), QStringList{"key2=CustomerId"});
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
        EXPECT_EQ(doc->nextTempalateKey(), "key9");
        addTemplate(*doc, "first");
        addTemplate(*doc, "second");
        EXPECT_EQ(children(doc->tvTempalates(), "key-1"),
                  (QStringList{"key3=a", "key7=b", "key9=first", "key10=second"}));
        EXPECT_TRUE(app.dataFileExists("TMP_key9"));
        EXPECT_TRUE(app.dataFileExists("TMP_key10"));
    }
    auto again = open(app);
    EXPECT_EQ(again->nextTempalateKey(), "key12");
    EXPECT_EQ(children(again->tvTempalates(), "key3"), QStringList{"key5=c"});
}

TEST_F(WorkspaceTest, AddsUnderTheSelectedNodeAndMarksThatNode)
{
    auto doc = open(app);
    CatalogueTree* tree = doc->tvValues();
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
    EXPECT_EQ(children(again->tvValues(), "key2"), (QStringList{"key3=CustomerId", "key4=Name"}));
    EXPECT_EQ(CatalogueTree::imageOf(again->tvValues()->node("key2")), 3) << "image 2 was on the screen only";
}

TEST_F(WorkspaceTest, TypedNamesAreTrimmedAndBarsNeverReachTheFile)
{
    auto doc = open(app);
    auto* box = control<QLineEdit>(*doc, "txtValue");
    box->setText("  Orders  ");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(box->text().isEmpty());
    addValue(*doc, "a|b");
    addValue(*doc, "");
    EXPECT_EQ(children(doc->tvValues(), "key-1"), (QStringList{"key2=Orders", "key3=a|b", "key4="}));
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|Orders|-1|0|3", "3|ab|-1|0|3", "4||-1|0|3"}));
    auto again = open(app);
    EXPECT_EQ(children(again->tvValues(), "key-1"), (QStringList{"key2=Orders", "key3=ab", "key4="}));
}

TEST_F(WorkspaceTest, RemovesLeavesOnlyAndATemplateTakesItsBodyWithIt)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|SQL|-1|0|3", "3|Select|2|0|3"}));
    app.writeDataFile("Values.app", CatalogueFile({"3|Orders|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    app.writeDataFile("TMP_key3", kNewBody);
    app.writeDataFile("VAL_key3", "not ours");
    auto doc = open(app);
    CatalogueTree* templates = doc->tvTempalates();
    const QByteArray before = app.readDataFile("Tempalates.app");

    doc->cmdRemoveTempalate_Click(); // the root
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_NE(templates->node("key-1"), nullptr);

    templates->selectNode("key2");
    doc->cmdRemoveTempalate_Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Item can't be deleted, first delete its childs");
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(app.readDataFile("Tempalates.app"), before);
    EXPECT_NE(templates->node("key2"), nullptr);

    templates->selectNode("key3");
    control<QPushButton>(*doc, "cmdRemoveTempalate")->click();
    EXPECT_EQ(templates->node("key3"), nullptr);
    EXPECT_FALSE(app.dataFileExists("TMP_key3"));
    EXPECT_TRUE(app.dataFileExists("TMP_key2"));
    EXPECT_EQ(app.readDataFile("Tempalates.app"), CatalogueFile({"2|SQL|-1|0|3"}));

    doc->tvValues()->selectNode("key3");
    control<QPushButton>(*doc, "cmdRemoveValue")->click();
    EXPECT_EQ(doc->tvValues()->node("key3"), nullptr);
    EXPECT_EQ(app.readDataFile("Values.app"), kEmptyTable);
    EXPECT_EQ(app.readDataFile("VAL_key3"), "not ours") << "values have no body files";
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(WorkspaceTest, AFailedWriteLeavesTreeAndFilesAsTheyWere)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|SQL|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    auto doc = open(app);

    // The table file goes away behind the window's back: adding and removing both fail.
    QFile::rename(app.dataPath("Tempalates.app"), app.dataPath("Tempalates.moved"));
    addTemplate(*doc, "lost");
    EXPECT_EQ(children(doc->tvTempalates(), "key-1"), QStringList{"key2=SQL"});
    EXPECT_FALSE(app.dataFileExists("TMP_key3")) << "no body without its record";
    doc->tvTempalates()->selectNode("key2");
    doc->cmdRemoveTempalate_Click();
    EXPECT_NE(doc->tvTempalates()->node("key2"), nullptr);
    EXPECT_TRUE(app.dataFileExists("TMP_key2")) << "the body stays when the record could not be deleted";
    ASSERT_EQ(failures.texts.size(), 3) << failures.texts.join('\n').toStdString();
    EXPECT_TRUE(failures.texts[1].startsWith("InsertRecord: \""));
    EXPECT_TRUE(failures.texts[2].startsWith("DeleteRecord: \""));

    // The record is stored but its body cannot be: the record is taken back.
    QFile::rename(app.dataPath("Tempalates.moved"), app.dataPath("Tempalates.app"));
    doc->tvTempalates()->selectNode("key-1");
    const QString key = doc->nextTempalateKey();
    ASSERT_TRUE(QDir(app.dataPath()).mkdir(QStringLiteral("TMP_") + key));
    EXPECT_FALSE(doc->AddNode(doc->tvTempalates(), key, "no body", frmDocument::kTempalatesFile,
                              frmDocument::kTempalatePrefix, false));
    EXPECT_EQ(doc->tvTempalates()->node(key), nullptr);
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
    doc->tvValues()->selectNode("key2");
    doc->cmdRemoveValue_Click();
    QFile::setPermissions(app.dataPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(children(doc->tvValues(), "key-1"), QStringList{"key2=Orders"});
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|Orders|-1|0|3"}));
    EXPECT_EQ(failures.texts.size(), 2);
}

TEST_F(WorkspaceTest, AnUnreadableCatalogueIsReportedOnceAndRefusesChanges)
{
    QFile::remove(app.dataPath("Values.app"));
    auto doc = open(app);
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("GetRecordset: \""));
    EXPECT_EQ(children(doc->tvValues(), "key-1"), QStringList{});

    addValue(*doc, "one");
    addValue(*doc, "two");
    EXPECT_EQ(failures.texts.size(), 1) << "no store failure per attempt";
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Data\\Values.app"));
    EXPECT_FALSE(app.dataFileExists("Values.app"));
    EXPECT_EQ(children(doc->tvValues(), "key-1"), QStringList{});

    addTemplate(*doc, "still works");
    EXPECT_EQ(children(doc->tvTempalates(), "key-1"), QStringList{"key2=still works"});
}

TEST_F(WorkspaceTest, RecordsThatCannotBePlacedAreReportedOnceAndLeftInTheFile)
{
    const QByteArray file = CatalogueFile({"2|Orders|-1|0|3", "2|Twin|-1|0|3", "abc|Broken|-1|0|3",
                                           "6|Orphan|40|0|3", "3|Lines|2|0|3"});
    app.writeDataFile("Values.app", file);
    auto doc = open(app);
    EXPECT_EQ(children(doc->tvValues(), "key-1"), QStringList{"key2=Orders"});
    EXPECT_EQ(children(doc->tvValues(), "key2"), QStringList{"key3=Lines"});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("3 record(s)"));
    EXPECT_EQ(app.readDataFile("Values.app"), file);

    doc->tvValues()->selectNode("key2");
    addValue(*doc, "fresh");
    EXPECT_EQ(children(doc->tvValues(), "key2"), (QStringList{"key3=Lines", "key8=fresh"}))
        << "a key above every stored ID, the orphan's included";
    for (const char* leaf : {"key8", "key3"}) {
        doc->tvValues()->selectNode(leaf);
        doc->cmdRemoveValue_Click();
    }
    // The store deletes by ID, so removing the shown record would take its twin with it.
    doc->tvValues()->selectNode("key2");
    doc->cmdRemoveValue_Click();
    EXPECT_NE(doc->tvValues()->node("key2"), nullptr);
    EXPECT_TRUE(dialogs.messages.last().text.contains("another record with the ID 2"));
    EXPECT_TRUE(app.readDataFile("Values.app").contains("2|Twin|-1|0|3"));
}

TEST_F(WorkspaceTest, TwoWindowsNeverHandOutTheSameKey)
{
    auto first = open(app);
    auto second = open(app);
    addValue(*first, "from the first");
    addValue(*second, "from the second");
    EXPECT_EQ(children(second->tvValues(), "key-1"), QStringList{"key3=from the second"});
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
    EXPECT_EQ(children(doc->tvValues(), "key-1"), QStringList{QString::fromUtf8("key12=Café")});
    EXPECT_EQ(children(doc->tvValues(), "key12"), QStringList{QString::fromUtf8("key13=Müller € Preis")});
    EXPECT_EQ(children(doc->tvValues(), "key13"), QStringList{QString::fromUtf8("key14=Straße")});
    EXPECT_EQ(CatalogueTree::imageOf(doc->tvValues()->node("key14")), 2);
    EXPECT_EQ(children(doc->tvTempalates(), "key-1"), QStringList{QString::fromUtf8("key2=Créer table")});
    EXPECT_TRUE(failures.texts.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(doc->nextValueKey(), "key16");
}

TEST_F(WorkspaceTest, TheListStripDrivesTheBodyStripOneWay)
{
    auto doc = open(app);
    auto visible = [&](const char* name) { return !control<QFrame>(*doc, name)->isHidden(); };
    EXPECT_TRUE(visible("fraTempalate") && visible("fraSource"));
    EXPECT_FALSE(visible("fraValue") || visible("fraTarget"));

    doc->tabBody()->setCurrentIndex(1);
    EXPECT_TRUE(visible("fraTempalate") && visible("fraTarget"));
    EXPECT_FALSE(visible("fraSource"));
    EXPECT_EQ(doc->tabList()->currentIndex(), 0);

    doc->tabBody()->setCurrentIndex(0);
    doc->tabList()->setCurrentIndex(1);
    EXPECT_TRUE(visible("fraValue") && visible("fraTarget"));
    EXPECT_FALSE(visible("fraTempalate") || visible("fraSource"));
    EXPECT_EQ(doc->tabBody()->currentIndex(), 1);

    doc->selectListTab(0);
    EXPECT_EQ(doc->tabBody()->currentIndex(), 0);
}

TEST_F(WorkspaceTest, FocusHintsGoToTheStatusBarSignal)
{
    auto doc = open(app);
    doc->selectListTab(1);
    doc->show();
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    QSignalSpy hints(doc.get(), &frmDocument::statusHint);
    auto focus = [&](QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    };
    auto last = [&] { return hints.isEmpty() ? QString("<none>") : hints.last().at(0).toString(); };

    focus(doc->tvValues());
    EXPECT_TRUE(last().startsWith(" Active Control: Values List (Click or Press <SpaceBar>/<Enter>"));
    focus(control<QPushButton>(*doc, "cmdAddValue"));
    EXPECT_EQ(last(), "");
    focus(doc->cboFields());
    EXPECT_TRUE(last().startsWith(" Active Control: Fields List (Press <Insert>"));
    focus(doc->txtTarget());
    EXPECT_EQ(last(), " Active Control: Result Pane");
    const qsizetype count = hints.size();
    focus(control<QPushButton>(*doc, "cmdBrowse"));
    EXPECT_EQ(hints.size(), count) << "a pane keeps its hint when it loses the focus";

    doc->selectListTab(0);
    focus(doc->tvTempalates());
    EXPECT_EQ(last(), " Active Control: Tempalates List");
    focus(doc->txtSource());
    EXPECT_EQ(last(), " Active Control: Tempalate Pane");
}

TEST_F(WorkspaceTest, ControlsStackAndLayOutInsideAMaximisedWindow)
{
    QMdiArea area;
    area.resize(900, 600);
    auto* doc = new frmDocument(app.path());
    QMdiSubWindow* window = area.addSubWindow(doc);
    area.show();
    window->showMaximized();
    QCoreApplication::processEvents();

    QStringList order;
    for (QObject* child : doc->children())
        if (child->isWidgetType() && !child->objectName().isEmpty())
            order << child->objectName();
    EXPECT_EQ(order, (QStringList{"tabList", "tabBody", "fraSource", "fraTempalate", "fraValue", "fraTarget", "chkCS",
                                  "cmdRun"}))
        << "bottom to top";

    const qreal dpi = doc->logicalDpiX();
    auto px = [&](float twips) { return qRound(twips * float(dpi) / 1440.0f); };
    auto tw = [&](int pixels) { return float(pixels) * 1440.0f / float(dpi); };
    EXPECT_EQ(window->size(), area.viewport()->size()) << "maximised, not pinned to the screen";
    const float clientWidth = tw(doc->width());
    auto* fraValue = control<QFrame>(*doc, "fraValue");
    EXPECT_EQ(fraValue->geometry(), QRect(px(50), px(340), px(3375), px(tw(window->height()) - 900)));
    EXPECT_EQ(doc->cboFields()->y(), px(tw(window->height()) - 900 - 2000));
    auto* fraSource = control<QFrame>(*doc, "fraSource");
    EXPECT_EQ(fraSource->x(), px(3450));
    EXPECT_EQ(fraSource->width(), px(clientWidth - 3450));
    EXPECT_EQ(doc->txtSource()->lineWrapColumnOrWidth(), px(clientWidth - 3450 - 150));
    EXPECT_EQ(doc->cmdRun()->x(), px(tw(window->width()) - 900));

    // Narrower than the left column: the right column stays where it was, the rest follows.
    const QRect before = fraSource->geometry();
    area.resize(px(3000), 500);
    QCoreApplication::processEvents();
    ASSERT_LT(tw(doc->width()), 3450);
    EXPECT_EQ(window->size(), area.viewport()->size());
    EXPECT_EQ(fraSource->geometry(), before);
    EXPECT_EQ(fraValue->height(), px(tw(window->height()) - 900));
    EXPECT_EQ(doc->cmdRun()->x(), px(tw(window->width()) - 900));

    // Restored to the normal state, the window is pinned to the screen size less the margins.
    window->showNormal();
    QTest::qWait(10);
    const QSize screen = window->screen()->geometry().size();
    EXPECT_EQ(window->size(), QSize(px(tw(screen.width()) - 100), px(tw(screen.height()) - 1500)));
    EXPECT_EQ(doc->cmdRun()->x(), px(tw(window->width()) - 900));
}

} // namespace
