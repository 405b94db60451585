#include "PaneLooks.h"
#include "ResultView.h"
#include "WorkspaceTestSupport.h"

#include <QMdiArea>
#include <QFile>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class TemplatePanes : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Alpha|-1|0|3", "3|Beta|-1|0|3"}));
        app.writeDataFile("TMP_key2", BodyFile("alpha [x]_$$$_001_$$$_result of alpha"));
        app.writeDataFile("TMP_key3", BodyFile("beta_$$$_001_$$$_result of beta"));
    }

    std::unique_ptr<frmDocument> open()
    {
        auto doc = std::make_unique<frmDocument>(app.path());
        doc->resize(1200, 800);
        doc->show();
        doc->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(doc.get()));
        return doc;
    }

    // Clicks the node the way the user does, so a pane holding the focus loses it first.
    static void click(frmDocument& doc, const QString& key)
    {
        CatalogueTree* tree = doc.tvTempalates();
        doc.selectListTab(0);
        QTreeWidgetItem* item = tree->node(key);
        ASSERT_NE(item, nullptr) << key.toStdString();
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        ASSERT_EQ(tree->selectedKey(), key);
    }
    template <typename Pane>
    static void typeInto(Pane* pane, const QString& keys)
    {
        pane->setFocus(Qt::MouseFocusReason);
        pane->moveCursor(QTextCursor::End);
        QTest::keyClicks(pane, keys);
    }
    static void retype(QTextEdit* pane, const QString& keys)
    {
        pane->setFocus(Qt::MouseFocusReason);
        pane->selectAll();
        QTest::keyClicks(pane, keys);
    }
    // Into the pane and out again to the tree, as a user clicking about does.
    static void leave(frmDocument& doc, QWidget* pane)
    {
        pane->setFocus(Qt::MouseFocusReason);
        doc.tvTempalates()->setFocus(Qt::MouseFocusReason);
    }
};

TEST_F(TemplatePanes, AnEditedTemplateIsSavedOnLeavingAndComesBackWithItsColours)
{
    auto doc = open();
    click(*doc, "key2");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "alpha [x]");
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "result of alpha");
    EXPECT_EQ(doc->tabBody()->currentIndex(), 0);

    typeInto(doc->txtTarget(), " more"); // saved with the template pane's edit below
    retype(doc->txtSource(), "[($Col!|1|n)]");
    const QString colours = ColourMap(*doc->txtSource()->document());
    EXPECT_EQ(colours, "bbrrrrrbbbbbb");
    click(*doc, "key3"); // the pane loses the focus to the tree before Beta loads
    EXPECT_EQ(doc->txtSource()->toPlainText(), "beta");
    EXPECT_FALSE(app.readDataFile("TMP_key2").contains("alpha [x]"));

    auto check = [&](frmDocument& d) {
        click(d, "key2");
        EXPECT_EQ(d.txtSource()->toPlainText(), "[($Col!|1|n)]");
        EXPECT_EQ(ColourMap(*d.txtSource()->document()), colours);
        EXPECT_EQ(d.txtTarget()->toPlainText(), "result of alpha more");
    };
    check(*doc);
    doc.reset();
    check(*open()); // and after a restart
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}

TEST_F(TemplatePanes, TheFlagFollowsTheTemplatePaneOnly)
{
    auto doc = open();
    click(*doc, "key2");
    click(*doc, "key3");
    EXPECT_TRUE(doc->templateModified()) << "loading Beta over Alpha's copy raises the flag";
    leave(*doc, doc->txtTarget());
    EXPECT_FALSE(doc->templateModified());
    click(*doc, "key2");
    click(*doc, "key3");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "beta") << "the spurious save wrote Beta back unchanged";
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "result of beta");

    // Saved and reloaded: only the result pane is edited, so nothing is written.
    leave(*doc, doc->txtSource());
    const QByteArray stored = app.readDataFile("TMP_key3");
    typeInto(doc->txtTarget(), " edited");
    leave(*doc, doc->txtTarget());
    EXPECT_FALSE(doc->templateModified());
    EXPECT_EQ(app.readDataFile("TMP_key3"), stored);

    // Letter case alone is an edit worth keeping.
    retype(doc->txtSource(), "BETA");
    EXPECT_TRUE(doc->templateModified());
    leave(*doc, doc->txtSource());
    click(*doc, "key2");
    click(*doc, "key3");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "BETA");
}

TEST_F(TemplatePanes, TheRootEmptiesTheTemplatePaneAndWritesNothing)
{
    auto doc = open();
    click(*doc, "key2");
    leave(*doc, doc->txtSource());
    const QByteArray stored = app.readDataFile("TMP_key2");
    typeInto(doc->txtSource(), " edited");
    doc->selectBodyTab(1);
    click(*doc, "key-1"); // Alpha's edit is saved on the way out
    EXPECT_EQ(doc->txtSource()->toPlainText(), "");
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "result of alpha");
    EXPECT_EQ(doc->tabBody()->currentIndex(), 0);
    const QByteArray edited = app.readDataFile("TMP_key2");
    EXPECT_NE(edited, stored);

    typeInto(doc->txtSource(), "typed under the root");
    leave(*doc, doc->txtSource());
    EXPECT_FALSE(doc->templateModified());
    EXPECT_EQ(app.readDataFile("TMP_key2"), edited);
    EXPECT_EQ(app.readDataFile("TMP_key3"), BodyFile("beta_$$$_001_$$$_result of beta"));
}

TEST_F(TemplatePanes, ANewTemplateOpensWithBothPanesEmpty)
{
    auto doc = open();
    click(*doc, "key-1");
    addTemplate(*doc, "Fresh");
    click(*doc, "key5"); // the highest ID 3 plus the added count 2
    EXPECT_EQ(doc->txtSource()->toPlainText(), "");
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "");
    EXPECT_EQ(doc->txtTarget()->document()->blockCount(), 1);
}

TEST_F(TemplatePanes, ClosingWithTheFlagUpSavesFirst)
{
    {
        auto doc = open();
        click(*doc, "key2");
        typeInto(doc->txtSource(), " closed alone");
        doc->close();
    }
    {
        // Inside an MDI frame the workspace closes with the frame's other windows.
        QMdiArea area;
        auto* doc = new frmDocument(app.path());
        QMdiSubWindow* window = area.addSubWindow(doc);
        window->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        window->showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
        click(*doc, "key3");
        typeInto(doc->txtSource(), " closed with the frame");
        area.closeAllSubWindows();
        EXPECT_TRUE(area.subWindowList().isEmpty());
    }
    auto doc = open();
    click(*doc, "key2");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "alpha [x] closed alone");
    click(*doc, "key3");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "beta closed with the frame");
}

TEST_F(TemplatePanes, AFocusLossThatIsNotLeavingSavesNothing)
{
    auto doc = open();
    click(*doc, "key2");
    leave(*doc, doc->txtSource());
    typeInto(doc->txtSource(), "!");
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(doc->txtSource(), &out);
        EXPECT_TRUE(doc->templateModified()) << reason;
    }
    leave(*doc, doc->txtSource());
    EXPECT_FALSE(doc->templateModified());
}

TEST_F(TemplatePanes, AnUnreadableOrCutBodyOpensWhatCouldBeReadAndIsKeptUntilEdited)
{
    QFile::remove(app.dataPath("TMP_key2"));
    const QByteArray cut = BodyFile("{\\rtf1 half a \\cf1 templ");
    app.writeDataFile("TMP_key3", cut);
    auto doc = open();

    click(*doc, "key2");
    ASSERT_EQ(failures.texts.size(), 1);
    EXPECT_TRUE(failures.texts[0].startsWith("ReadStream: \""));
    EXPECT_EQ(doc->txtSource()->toPlainText(), "");
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "");
    EXPECT_FALSE(doc->templateModified());
    leave(*doc, doc->txtSource());
    EXPECT_FALSE(app.dataFileExists("TMP_key2"));

    click(*doc, "key3");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "half a templ");
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "");
    leave(*doc, doc->txtTarget());
    EXPECT_EQ(app.readDataFile("TMP_key3"), cut);

    typeInto(doc->txtSource(), "ate");
    leave(*doc, doc->txtSource());
    click(*doc, "key2");
    click(*doc, "key3");
    EXPECT_EQ(doc->txtSource()->toPlainText(), "half a template");
    EXPECT_TRUE(app.readDataFile("TMP_key3").contains("_$$$_001_$$$_"));
}

// Bytes as the Windows edition leaves them: each pane's rich-edit TextRTF with its trailing
// NUL, the quote token for double quotes, Windows-1252 throughout.
TEST_F(TemplatePanes, ALegacyBodyLoadsIntoTheSamePaneTextsAndColours)
{
    const QByteArray source =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf3\\f0\\fs20 -- \"r\\'e9sum\\'e9\" \\'80\r\n"
        "\\par \\cf1 [(\\cf2 $Col!\\cf1 |1|n)(,|1|n-1)]\\cf3\r\n"
        "\\par }\r\n";
    const QByteArray result =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf1\\f0\\fs20 $Col0001!\\cf2 ,\r\n"
        "\\par \\cf1 $Col0002!\\cf2\r\n"
        "\\par }\r\n";
    app.writeDataFile("TMP_key2", BodyFile(source + '\0' + "_$$$_001_$$$_" + result + '\0'));
    auto doc = open();
    click(*doc, "key2");
    // Rich edit ends every text with a \par that is not a line of its own.
    EXPECT_EQ(doc->txtSource()->toPlainText(), QString::fromUtf8("-- \"résumé\" €\n[($Col!|1|n)(,|1|n-1)]"));
    EXPECT_EQ(ColourMap(*doc->txtSource()->document()), "kkkkkkkkkkkkk\nbbrrrrrbbbbbbbbbbbbbbb");
    EXPECT_EQ(doc->txtTarget()->toPlainText(), "$Col0001!,\n$Col0002!");
    EXPECT_EQ(PaintedText(*doc->txtTarget()), "<$Col0001!>,\n<$Col0002!>");
    EXPECT_TRUE(failures.texts.isEmpty());
}

} // namespace
