#include "PaneLooks.h"
#include "PaneRichText.h"
#include "FieldsList.h"
#include "ResultView.h"
#include "RunCommand.h"
#include "TemplateBody.h"
#include "TemplatePaneText.h"
#include "WorkspaceTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kFieldList = QStringLiteral("[($Field!|1|n)(,|1|n-1)]");

class RunAndFields : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Columns|-1|0|3"}));
        app.writeDataFile("TMP_key2", kNewBody);
        app.writeDataFile("Values.app", CatalogueFile({"2|Customers|-1|0|3", "3|CustomerId|2|0|3", "4|Name|2|0|3"}));
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1000, 700);
        doc->show();
        doc->templateTree()->selectNode("key2");
    }

    // Types the template as the user would (which marks it edited) and runs it, answering
    // the bounds dialog, if it comes, with `answers` (nullopt: Cancel).
    void run(const QString& templateText, std::optional<QStringList> answers = QStringList{})
    {
        doc->templatePane()->setPlainText(templateText);
        dialogs.boundAnswerScript = {answers};
        doc->runButton()->click();
    }
    // A result as Run leaves it, for the gestures that follow.
    void showResult(const QString& text)
    {
        doc->resultPane()->showResult(text);
        FillFieldsList(*doc->fieldsList(), text);
    }
    QString painted() const { return PaintedText(*doc->resultPane()); }
    QStringList fields() const { return doc->fieldsList()->fields().toList(); }
    QString selectedField() const { return doc->fieldsList()->selectedField(); }
    void doubleClickValue(const QString& key)
    {
        CatalogueTree* tree = doc->valueTree();
        tree->selectNode(key);
        const QRect rect = tree->visualItemRect(tree->node(key));
        ASSERT_FALSE(rect.isEmpty());
        ::doubleClick(tree->viewport(), rect.center());
    }
    void drop(const QString& text, QList<std::optional<QString>> answers)
    {
        dialogs.inputAnswers = answers;
        QMimeData data;
        data.setText(text);
        QWidget* viewport = doc->valueTree()->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &event);
        QCoreApplication::processEvents();
    }
    QStringList children(const QString& key) const { return ::children(doc->valueTree(), key); }

    std::unique_ptr<WorkspaceWindow> doc;
};

TEST_F(RunAndFields, NoBreakSpacesReachTheResultAsTyped)
{
    const QString nbsp(QChar::Nbsp);
    for (const QString& typed : {"no" + nbsp + "groups" + nbsp, "x" + nbsp + "[(a" + nbsp + "$F!|1|2)]" + nbsp + "9"}) {
        run(typed, {});
        const QString result = TemplatePaneText(*doc->resultPane()->document());
        EXPECT_EQ(result.count(nbsp), typed.count(nbsp) + (typed.contains("[(") ? 1 : 0)) << result.toStdString();
        EXPECT_FALSE(result.contains(u' ')) << "no no-break space turned plain";
    }
}

TEST_F(RunAndFields, TypicalUseFromRunToAFilledFieldAndTheStoredBody)
{
    run(kFieldList, QStringList{"3"});
    ASSERT_EQ(dialogs.boundRequests.size(), 1);
    EXPECT_EQ(dialogs.boundRequests[0].names, QStringList{"n"}) << "n-1 is the same name";
    EXPECT_EQ(dialogs.boundRequests[0].lastAnswers, QStringList{"1"}) << "1 the first time";
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_EQ(painted(), "<$Field0001!>,\n<$Field0002!>,\n<$Field0003!>\n");
    EXPECT_EQ(doc->resultPane()->textCursor().position(), doc->resultPane()->toPlainText().size());
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 1);
    EXPECT_EQ(doc->catalogueTabs()->currentIndex(), 1);
    EXPECT_EQ(fields(), (QStringList{"$Field0001!", "$Field0002!", "$Field0003!"}));
    EXPECT_EQ(selectedField(), "$Field0001!");
    EXPECT_FALSE(doc->resultBusy());
    EXPECT_FALSE(doc->templateModified());

    // The body holds both panes as they stood after the run, and reads back the same.
    const QByteArray stored = app.readDataFile("TMP_key2");
    const TemplateBody body = SplitBody(doc->stream().ReadStream("TMP_key2"));
    ASSERT_TRUE(body.complete);
    EXPECT_EQ(body.templateRichText, PaneRichText(*doc->templatePane()));
    EXPECT_FALSE(body.resultRichText.contains("\\line")) << "the Windows edition reads \\line as another character";
    QTextEdit reloaded;
    SetPaneRichText(reloaded, body.resultRichText);
    EXPECT_EQ(reloaded.toPlainText(), doc->resultPane()->toPlainText());
    ResultView reloadedResult;
    reloadedResult.resultDocument()->setRichText(body.resultRichText);
    EXPECT_EQ(PaintedText(reloadedResult), painted());

    doubleClickValue("key3");
    EXPECT_EQ(painted(), "CustomerId,\n<$Field0002!>,\n<$Field0003!>\n");
    EXPECT_EQ(fields(), (QStringList{"$Field0002!", "$Field0003!"}));
    EXPECT_EQ(selectedField(), "$Field0002!");
    doc->saveTemplate();
    EXPECT_NE(app.readDataFile("TMP_key2"), stored) << "a substitution is kept like any other change";
    EXPECT_TRUE(app.readDataFile("TMP_key2").contains("CustomerId,"));

    doc->compactStyle()->setChecked(true);
    run(kFieldList, QStringList{"3"});
    EXPECT_EQ(dialogs.boundRequests.last().lastAnswers, QStringList{"3"}) << "the last answer comes back";
    EXPECT_EQ(painted(), "<$Field0001!>,<$Field0002!>,<$Field0003!>");
}

TEST_F(RunAndFields, RefusedAndStoppedRunsKeepTheResultAndRebuildTheList)
{
    const QString old = "$a! $b! $A! a!b$c $!";
    run(old);
    EXPECT_TRUE(dialogs.boundRequests.isEmpty()) << "nothing to ask";
    EXPECT_EQ(painted(), old) << "no groups: copied, not coloured";
    EXPECT_EQ(fields(), (QStringList{"$a!", "$b!", "$c $!"}));

    doc->fieldsList()->setFields({});
    doc->selectListTab(1);
    run("x\n  [(a|1|2) ]");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Can't Proceed, Parser failed to parse the string.\n\n"));
    EXPECT_TRUE(dialogs.messages[0].text.contains("line 2, column 3")) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0) << "the template stays in front to be put right";
    const int caret = doc->templatePane()->textCursor().position();
    EXPECT_GE(caret, 4);
    EXPECT_LE(caret, doc->templatePane()->toPlainText().size());
    EXPECT_EQ(doc->resultPane()->toPlainText(), old);
    EXPECT_EQ(fields().size(), 3);
    EXPECT_EQ(SplitBody(doc->stream().ReadStream("TMP_key2")).templateRichText, PaneRichText(*doc->templatePane()))
        << "the edited template is saved all the same";

    // Answers are whole numbers, but a bound worked out from one may still not fit.
    run("[(x|1|n+1)]", QStringList{"2147483647"});
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(dialogs.messages[1].text.contains("n+1")) << dialogs.messages[1].text.toStdString();
    EXPECT_EQ(doc->resultPane()->toPlainText(), old);
    run("[(x|1|99999999999)]");
    ASSERT_EQ(dialogs.messages.size(), 3) << "a written bound that overflows is named too";
    EXPECT_TRUE(dialogs.messages[2].text.contains("99999999999"));

    run("[(0123456789|1|n)]", QStringList{"100000000"});
    ASSERT_EQ(dialogs.messages.size(), 4);
    EXPECT_EQ(dialogs.messages[3].icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(dialogs.messages[3].text.contains("Narrow the ranges"));
    EXPECT_EQ(doc->resultPane()->toPlainText(), old);
}

TEST_F(RunAndFields, OneDialogAsksEachNameOnceAndCancelChangesNothing)
{
    run("[($f!|n-1|N+1)(b|m|2)][(c|1|n)]", QStringList{"2", "5"});
    ASSERT_EQ(dialogs.boundRequests.size(), 1);
    EXPECT_EQ(dialogs.boundRequests[0].names, (QStringList{"n", "m"})) << "each name once, letter case ignored";
    EXPECT_EQ(painted(), "<$f0001!>\n<$f0002!>\n<$f0003!>\nc\nc\n");

    // Run clicked twice in a hurry, Cancel each time: panes, list, tabs and body stay.
    const QString result = doc->resultPane()->toPlainText();
    const QStringList listed = fields();
    const QByteArray body = app.readDataFile("TMP_key2");
    doc->templatePane()->insertPlainText(" ");
    const QString edited = doc->templatePane()->toPlainText();
    doc->selectListTab(0);
    dialogs.boundAnswerScript = {std::nullopt, std::nullopt};
    QTest::mouseClick(doc->runButton(), Qt::LeftButton);
    QTest::mouseClick(doc->runButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.boundRequests.size(), 3);
    EXPECT_EQ(dialogs.boundRequests[1].lastAnswers, (QStringList{"2", "5"}));
    EXPECT_EQ(doc->resultPane()->toPlainText(), result);
    EXPECT_EQ(doc->templatePane()->toPlainText(), edited);
    EXPECT_EQ(fields(), listed);
    EXPECT_EQ(doc->catalogueTabs()->currentIndex(), 0);
    EXPECT_EQ(app.readDataFile("TMP_key2"), body);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Answers belong to their template: another one starts from 1.
    const QString other = doc->nextTemplateKey();
    addTemplate(*doc, "Other");
    ASSERT_TRUE(doc->templateTree()->selectNode(other));
    run("[(c|1|n)]", QStringList{"1"});
    EXPECT_EQ(dialogs.boundRequests.last().lastAnswers, QStringList{"1"});
}

TEST_F(RunAndFields, ALongRunShowsProgressAndCancelLeavesEverythingAsItWas)
{
    run("[($a!|1|n)]", QStringList{"3"});
    ASSERT_FALSE(dialogs.progressReports.isEmpty());
    const QString result = doc->resultPane()->toPlainText();
    const QStringList listed = fields();
    const QByteArray body = app.readDataFile("TMP_key2");

    dialogs.progressReports.clear();
    dialogs.cancelProgressAt = 2;
    run("[($a!|1|n)]", QStringList{"300000"});
    ASSERT_EQ(dialogs.progressReports.size(), 2);
    EXPECT_EQ(dialogs.progressReports[0], std::make_pair(qint64(0), qint64(300000)));
    EXPECT_EQ(doc->resultPane()->toPlainText(), result);
    EXPECT_EQ(fields(), listed);
    EXPECT_EQ(app.readDataFile("TMP_key2"), body);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RunAndFields, ValuesAndKeysFillFieldsAndDropThem)
{
    showResult("x=$name!; y=$NAME! $Table! $c! $d!");
    ASSERT_EQ(fields(), (QStringList{"$name!", "$Table!", "$c!", "$d!"}));

    // A value with children needs Enter or Space; a double-click leaves it be.
    doubleClickValue("key2");
    EXPECT_EQ(fields().size(), 4);
    EXPECT_EQ(doc->resultPane()->toPlainText(), "x=$name!; y=$NAME! $Table! $c! $d!");
    QTest::keyClick(doc->valueTree(), Qt::Key_Return);
    EXPECT_EQ(painted(), "x=Customers; y=Customers <$Table!> <$c!> <$d!>");
    EXPECT_EQ(selectedField(), "$Table!");

    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    EXPECT_EQ(painted(), "x=Customers; y=Customers Table <$c!> <$d!>");
    EXPECT_EQ(fields(), (QStringList{"$c!", "$d!"}));

    // The last entry hands the selection back; Delete leaves the text alone.
    doc->fieldsList()->setCurrentRow(1);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(selectedField(), "$c!");
    doc->valueTree()->selectNode("key4");
    QTest::keyClick(doc->valueTree(), Qt::Key_Space);
    EXPECT_EQ(painted(), "x=Customers; y=Customers Table Name <$d!>");
    EXPECT_TRUE(fields().isEmpty());
    EXPECT_TRUE(selectedField().isEmpty());

    // With nothing listed every gesture leaves the text as it is.
    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete);
    doubleClickValue("key3");
    EXPECT_EQ(painted(), "x=Customers; y=Customers Table Name <$d!>");
}

TEST_F(RunAndFields, InsertedTextIsNotSearchedAgainAndMiddleDeleteMovesOn)
{
    showResult("$a! $A! $b! $c!");
    doc->valueTree()->selectNode("key3");
    doc->valueTree()->node("key3")->setText(0, "[$a!]");
    QTest::keyClick(doc->valueTree(), Qt::Key_Enter);
    EXPECT_EQ(painted(), "[<$a!>] [<$a!>] <$b!> <$c!>");
    EXPECT_EQ(fields(), (QStringList{"$b!", "$c!"}));

    showResult("$a! $b! $c!");
    doc->fieldsList()->setCurrentRow(1);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete);
    EXPECT_EQ(fields(), (QStringList{"$a!", "$c!"}));
    EXPECT_EQ(selectedField(), "$c!");
}

TEST_F(RunAndFields, FillFollowingTakesTheValueAndItsNextSiblingsInOneUndoStep)
{
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    run(kFieldList, QStringList{"3"});
    const QString ran = doc->resultPane()->toPlainText();
    doc->valueTree()->selectNode("key3");
    doc->valueTree()->setFocus();
    QAction* fill = doc->valueTree()->findChild<QAction*>("fillFollowingAction");
    ASSERT_NE(fill, nullptr);
    EXPECT_TRUE(doc->valueTree()->actions().contains(fill)) << "offered in the tree's context menu";

    QTest::keyClick(doc->valueTree(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(painted(), "CustomerId,\nName,\n<$Field0003!>\n");
    EXPECT_EQ(fields(), QStringList{"$Field0003!"});
    EXPECT_EQ(selectedField(), "$Field0003!");

    // Pressed again in a hurry: the fields run out before the values do.
    QTest::keyClick(doc->valueTree(), Qt::Key_Enter, Qt::ControlModifier);
    EXPECT_EQ(painted(), "CustomerId,\nName,\nCustomerId\n");
    EXPECT_TRUE(fields().isEmpty());
    QTest::keyClick(doc->valueTree(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(painted(), "CustomerId,\nName,\nCustomerId\n");

    doc->resultPane()->resultDocument()->undo();
    doc->resultPane()->resultDocument()->undo();
    EXPECT_EQ(doc->resultPane()->toPlainText(), ran) << "one undo step a gesture";

    // With no field selected nothing is filled.
    showResult("$a! $b!");
    doc->fieldsList()->setCurrentRow(-1);
    fill->trigger();
    EXPECT_EQ(painted(), "<$a!> <$b!>");
}

TEST_F(RunAndFields, ASecondLargerRunReplacesTheFirstAndClicksOnEmptySpaceChangeNothing)
{
    run(kFieldList, QStringList{"5"});
    run(kFieldList, QStringList{"20000"});
    EXPECT_EQ(doc->fieldsList()->count(), 20000);
    EXPECT_EQ(selectedField(), "$Field0001!");
    EXPECT_TRUE(doc->resultPane()->toPlainText().endsWith(",\n$Field20000!\n"));
    EXPECT_TRUE(painted().contains("<$Field19999!>,\n<$Field20000!")) << "the end, where the caret is, is shown coloured";

    showResult("$a! $b!");
    QWidget* list = doc->fieldsList()->viewport();
    const QPoint below(5, list->height() - 3);
    QTest::mouseClick(list, Qt::LeftButton, {}, below);
    QTest::mouseDClick(list, Qt::LeftButton, {}, below);
    QTest::mouseClick(doc->resultPane()->viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    // Empty space takes the selection away, and with it what Insert and Delete would act on.
    EXPECT_TRUE(selectedField().isEmpty());
    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete);
    EXPECT_EQ(painted(), "<$a!> <$b!>");
    EXPECT_EQ(fields(), (QStringList{"$a!", "$b!"}));
}

TEST_F(RunAndFields, DroppedTextBecomesValuesUnderTheSelectedOne)
{
    doc->valueTree()->selectNode("key2");
    drop("ID,NAME,PRICE", {","});
    ASSERT_EQ(dialogs.prompts.size(), 1);
    EXPECT_EQ(dialogs.prompts[0].prompt, "Please provide the split character");
    EXPECT_EQ(dialogs.prompts[0].title, "Splitter Value");
    EXPECT_EQ(dialogs.prompts[0].defaultText, ",");
    EXPECT_EQ(children("key2"), (QStringList{"key3=CustomerId", "key4=Name", "key6=ID", "key7=NAME", "key8=PRICE"}));
    EXPECT_EQ(doc->valueTree()->toolTip(), "Customers contains 5 objects");

    doc->valueTree()->selectNode("key4");
    EXPECT_EQ(doc->valueTree()->toolTip(), "Name contains 0 objects");
    drop("a,,b", {","});
    drop("1X2x3", {"x"});
    drop("4x5X6", {"X"});
    drop("whole,text", {std::nullopt});
    EXPECT_EQ(children("key4"), (QStringList{"key9=a", "key10=", "key11=b", "key12=1", "key13=2", "key14=3",
                                             "key15=4", "key16=5", "key17=6", "key18=whole,text"}));
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Customers|-1|0|3", "3|CustomerId|2|0|3", "4|Name|2|0|3", "6|ID|2|0|3",
                             "7|NAME|2|0|3", "8|PRICE|2|0|3", "9|a|4|0|3", "10||4|0|3", "11|b|4|0|3",
                             "12|1|4|0|3", "13|2|4|0|3", "14|3|4|0|3", "15|4|4|0|3", "16|5|4|0|3",
                             "17|6|4|0|3", "18|whole,text|4|0|3"}));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RunAndFields, ADropStopsAtThePieceThatCannotBeStoredAndSaysSo)
{
    const QByteArray before = app.readDataFile("Values.app");
    QMimeData image;
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &image, Qt::LeftButton, {});
    QCoreApplication::sendEvent(doc->valueTree()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted()) << "only text lands on the tree";

    drop("a;Ж;c", {";"});
    EXPECT_EQ(children("key-1"), (QStringList{"key2=Customers", "key6=a"}));
    EXPECT_EQ(app.readDataFile("Values.app"), before.chopped(3) + "\xB1" "6|a|-1|0|3\"\r\n");
    ASSERT_EQ(failures.texts.size(), 1) << "the store says why";
    EXPECT_TRUE(failures.texts[0].startsWith("InsertRecord: "));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "1 of the 3 dropped values were added. The value \"Ж\" could not be "
                                        "stored, so it and the 1 after it were left out.");

    drop("d", {","});
    EXPECT_EQ(children("key-1"), (QStringList{"key2=Customers", "key6=a", "key7=d"})) << "no key is skipped";
}

} // namespace
