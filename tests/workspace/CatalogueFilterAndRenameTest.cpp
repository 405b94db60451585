#include "ImportTestSupport.h"
#include "WorkspaceTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <memory>

namespace {

// Main > SQL > Select, Main > HTML in both catalogues, each template with a body of its own.
class Catalogues : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        for (const char* file : {"Tempalates.app", "Values.app"})
            app.writeDataFile(file, CatalogueFile({"2|SQL|-1|0|3", "3|Select|2|0|1", "4|HTML|-1|0|3"}));
        for (const char* body : {"TMP_key2", "TMP_key3", "TMP_key4"})
            app.writeDataFile(body, BodyFile(QByteArray("body of ") + body + "_$$$_001_$$$_"));
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(900, 600);
        doc->show();
        doc->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    }
    CatalogueTree* tree(bool templates) const { return templates ? doc->templateTree() : doc->valueTree(); }
    bool shown(bool templates, const char* key) const { return !tree(templates)->node(key)->isHidden(); }
    // The editor F2 opened, or nullptr when none is open.
    static QLineEdit* editor() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    // F2 on the item, the name typed over the old one, then Enter (or another finishing key).
    void renameByKeys(bool templates, const char* key, const QString& name, Qt::Key finish = Qt::Key_Return)
    {
        CatalogueTree* t = tree(templates);
        t->selectNode(key);
        t->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(t, Qt::Key_F2);
        QLineEdit* box = editor();
        ASSERT_NE(box, nullptr) << "F2 opens the name";
        EXPECT_EQ(box->text(), t->node(key)->text(0));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, name);
        QTest::keyClick(box, finish);
        settleRename();
    }
    std::unique_ptr<WorkspaceWindow> doc;
};

TEST_F(Catalogues, AFilterKeepsTheSelectionInViewAndAddRemoveDropAndImportActOnIt)
{
    for (bool templates : {true, false}) {
        SCOPED_TRACE(templates ? "templates" : "values");
        doc->selectListTab(templates ? 0 : 1);
        tree(templates)->selectNode("key2");
        QTest::keyClicks(control<QLineEdit>(*doc, templates ? "templateFilter" : "valueFilter"), "HTML");
        EXPECT_TRUE(shown(templates, "key2") && shown(templates, "key4") && !shown(templates, "key3"))
            << "the selected SQL stays in view, its child does not";
        // A click on the empty space below the items changes nothing.
        QWidget* viewport = tree(templates)->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
        EXPECT_EQ(tree(templates)->selectedKey(), "key2");
        if (templates)
            addTemplate(*doc, "NewOne");
        else
            addValue(*doc, "NewOne");
        EXPECT_EQ(children(tree(templates), "key2"), (QStringList{"key3=Select", "key6=NewOne"}));
        EXPECT_TRUE(app.readDataFile(templates ? "Tempalates.app" : "Values.app").endsWith("6|NewOne|2|0|3\"\r\n"));
        EXPECT_EQ(tree(templates)->selectedKey(), "key6") << "added under a filter, the item is selected and in view";
        EXPECT_TRUE(shown(templates, "key6"));
        dialogs.confirmAnswers = {true};
        if (templates)
            doc->removeTemplate();
        else
            doc->removeValue();
        EXPECT_TRUE(tree(templates)->node("key6") == nullptr && tree(templates)->selectedKey() == "key2");
        EXPECT_TRUE(shown(templates, "key2"));
    }
    // Dropped values go under the hidden-by-filter selection and follow the filter themselves.
    dialogs.inputAnswers = {","};
    doc->addDroppedValues("one,HTML page");
    EXPECT_EQ(children(doc->valueTree(), "key2"), (QStringList{"key3=Select", "key7=one", "key8=HTML page"}));
    EXPECT_TRUE(!shown(false, "key7") && shown(false, "key8") && doc->valueTree()->selectedKey() == "key2");
    SqliteFile schema({"CREATE TABLE HtmlPages (Id INTEGER)", "CREATE TABLE Orders (Id INTEGER)"});
    dialogs.connectionAnswers << schema.connectionString();
    doc->importSchema();
    EXPECT_EQ(children(doc->valueTree(), "key2").mid(3), (QStringList{"key9=HtmlPages", "key11=Orders"}));
    EXPECT_TRUE(shown(false, "key11")) << "the import selects the last table, so it stays in view";
    EXPECT_TRUE(!shown(false, "key12") && shown(false, "key9") && !shown(false, "key10"));
    EXPECT_TRUE(dialogs.messages.isEmpty() && failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
    control<QLineEdit>(*doc, "valueFilter")->clear();
    EXPECT_TRUE(shown(false, "key3") && shown(false, "key7"));
}

TEST_F(Catalogues, F2RenamesInPlaceKeepingKeyBodyAndPlaceAndOnlyTheNameChangesInTheFile)
{
    const QByteArray bodies = app.readDataFile("TMP_key3");
    renameByKeys(true, "key3", "  Select all  ");
    EXPECT_EQ(app.readDataFile("Tempalates.app"),
              CatalogueFile({"2|SQL|-1|0|3", "3|Select all|2|0|1", "4|HTML|-1|0|3"})) << "its image 1 stays too";
    EXPECT_EQ(children(doc->templateTree(), "key2"), QStringList{"key3=Select all"});
    EXPECT_EQ(app.readDataFile("TMP_key3"), bodies);
    EXPECT_EQ(doc->templateTree()->selectedKey(), "key3");
    // Escape, the root, a name the file cannot hold, an empty one: nothing changes.
    const QByteArray before = app.readDataFile("Tempalates.app");
    renameByKeys(true, "key3", "Oops", Qt::Key_Escape);
    doc->templateTree()->selectNode("key-1");
    QTest::keyClick(doc->templateTree(), Qt::Key_F2);
    EXPECT_EQ(editor(), nullptr) << "Main cannot be renamed";
    renameByKeys(true, "key4", "a|b");
    ASSERT_EQ(failures.texts.size(), 1);
    ASSERT_NE(editor(), nullptr) << "the refused name is offered again to put right";
    EXPECT_EQ(editor()->text(), "a|b");
    QTest::keyClick(editor(), Qt::Key_Escape);
    renameByKeys(true, "key4", "   ");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Please type a name for the template."});
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(app.readDataFile("Tempalates.app"), before);
    EXPECT_EQ(children(doc->templateTree(), "key-1"), (QStringList{"key2=SQL", "key4=HTML"}));
    // A name another item has is taken, as Add takes it.
    renameByKeys(true, "key4", "SQL");
    EXPECT_TRUE(app.readDataFile("Tempalates.app").endsWith("4|SQL|-1|0|3\"\r\n"));
    // The file went away behind the window's back: the tree keeps the old name.
    QFile::rename(app.dataPath("Tempalates.app"), app.dataPath("Tempalates.moved"));
    renameByKeys(true, "key2", "Lost");
    EXPECT_TRUE(failures.texts.last().startsWith("UpdateRecord: \"File not found: "));
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(doc->templateTree()->node("key2")->text(0), "SQL");
    QFile::rename(app.dataPath("Tempalates.moved"), app.dataPath("Tempalates.app"));
}

TEST_F(Catalogues, ValuesAreRenamedUnderAFilterFromTheMenuCommandAndShowTheirSummaryWhenPointedAt)
{
    doc->selectListTab(1);
    CatalogueTree* values = doc->valueTree();
    // Pointing at a value, not only at the empty space below, shows its summary.
    const QPoint sql = values->visualItemRect(values->node("key2")).center();
    QHelpEvent pointing(QEvent::ToolTip, sql, values->viewport()->mapToGlobal(sql));
    QCoreApplication::sendEvent(values->viewport(), &pointing);
    EXPECT_EQ(QToolTip::text(), "SQL contains 1 objects");
    EXPECT_EQ(doc->templateTree()->node("key2")->toolTip(0), "SQL") << "templates show their whole name";
    QSignalSpy hints(doc.get(), &WorkspaceWindow::statusHint);
    values->selectNode("key4");
    values->setFocus(Qt::OtherFocusReason);
    values->selectNode("key2");
    ASSERT_FALSE(hints.isEmpty());
    EXPECT_TRUE(hints.last().at(0).toString().startsWith(" SQL contains 1 objects. Active Control: Values List"));

    QTest::keyClicks(control<QLineEdit>(*doc, "valueFilter"), "sel");
    values->selectNode("key3");
    doc->renameSelected(); // Edit > Rename Item
    ASSERT_NE(editor(), nullptr);
    editor()->setText("Chosen");
    QTest::keyClick(editor(), Qt::Key_Enter);
    settleRename();
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|SQL|-1|0|3", "3|Chosen|2|0|1", "4|HTML|-1|0|3"}));
    EXPECT_TRUE(values->selectedKey() == "key3" && shown(false, "key3")) << "no longer matching, still selected";
    EXPECT_EQ(values->toolTip(), "Chosen contains 0 objects");
    EXPECT_EQ(values->node("key3")->toolTip(0), "Chosen contains 0 objects");
    // The store changes records by ID: a name shared by two records would rename both.
    app.writeDataFile("Values.app", CatalogueFile({"2|SQL|-1|0|3", "3|Chosen|2|0|1", "4|HTML|-1|0|3", "4|Twin|-1|0|3"}));
    auto other = std::make_unique<WorkspaceWindow>(app.dataPath());
    dialogs.messages.clear(); // the twin is reported at start-up
    other->valueTree()->selectNode("key4");
    settleRename();
    emit other->valueTree()->renameRequested("key4", "Changed");
    settleRename();
    EXPECT_TRUE(dialogs.messages.size() == 1 && dialogs.messages[0].text.contains("another record with the ID 4"));
    EXPECT_EQ(other->valueTree()->node("key4")->text(0), "HTML");
}

} // namespace
