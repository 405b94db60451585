#include "BoundAnswerRules.h"
#include "BoundsDialog.h"
#include "FieldsList.h"
#include "FieldsListRules.h"
#include "PaneLooks.h"
#include "PaneRichText.h"
#include "ResultView.h"
#include "RunCommand.h"
#include "RunProgress.h"
#include "TemplateBody.h"
#include "TemplatePaneText.h"
#include "ValueTreeRules.h"
#include "WorkspaceTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMimeData>
#include <QProgressDialog>
#include <QTabBar>
#include <QTemporaryDir>
#include <memory>

namespace {

const QString kFieldList = "[($Field!|1|n)(,|1|n-1)]";

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
    // Runs a template put in the pane, answering the bounds dialog with `answers` (nullopt: Cancel).
    void run(const QString& templateText, std::optional<QStringList> answers = QStringList{})
    {
        doc->templatePane()->setPlainText(templateText);
        dialogs.boundAnswerScript = {answers};
        doc->runButton()->click();
    }
    void showResult(const QString& text)
    {
        doc->resultPane()->showResult(text);
        FillFieldsList(*doc->fieldsList(), text);
    }
    QString painted() const { return PaintedText(*doc->resultPane()); }
    QStringList fields() const { return doc->fieldsList()->fields().toList(); }
    QString said() const { return dialogs.messages.isEmpty() ? QString() : dialogs.messages.last().text; }
    // Enter, Space or Ctrl+Enter on a value, or a double-click (Qt::Key_unknown).
    void pressOnValue(const QString& key, Qt::Key press, Qt::KeyboardModifiers modifiers = {})
    {
        CatalogueTree* tree = doc->valueTree();
        tree->selectNode(key);
        if (press == Qt::Key_unknown)
            ::doubleClick(tree->viewport(), tree->visualItemRect(tree->node(key)).center());
        else
            QTest::keyClick(tree, press, modifiers);
    }
    void drop(const QString& text, QList<std::optional<QString>> answers)
    {
        dialogs.inputAnswers = answers;
        QMimeData data;
        data.setText(text);
        // Offered as a text pane offers its selection: copy or move, a move proposed (as Shift does).
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        ASSERT_EQ(enter.proposedAction(), Qt::MoveAction);
        QCoreApplication::sendEvent(doc->valueTree()->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction) << "a move would cut the text out of its source";
        QDropEvent event(QPointF(5, 5), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(doc->valueTree()->viewport(), &event);
        ASSERT_TRUE(event.isAccepted());
        EXPECT_EQ(event.dropAction(), Qt::CopyAction) << "a move would cut the text out of its source";
        QCoreApplication::processEvents();
    }
    std::unique_ptr<WorkspaceWindow> doc;
};

TEST_F(RunAndFields, FromRunToAFilledFieldAndTheStoredBodyAndRunsRefusedStoppedOrCancelled)
{
    run(kFieldList, QStringList{"3"});
    ASSERT_EQ(dialogs.boundRequests.size(), 1);
    EXPECT_EQ(dialogs.boundRequests[0].names + dialogs.boundRequests[0].lastAnswers, (QStringList{"n", "1"}))
        << "n-1 is the same name; 1 the first time";
    EXPECT_EQ(painted(), "<$Field0001!>,\n<$Field0002!>,\n<$Field0003!>\n");
    EXPECT_EQ(doc->paneTabs()->currentIndex() + doc->catalogueTabs()->currentIndex(), 2) << "result and values in front";
    const TemplateBody body = SplitBody(doc->dataStore().readBody("TMP_key2"));
    ASSERT_TRUE(body.complete);
    EXPECT_EQ(body.templateRichText, PaneRichText(*doc->templatePane()));
    EXPECT_FALSE(body.resultRichText.contains("\\line")) << "the Windows edition reads \\line as another character";
    pressOnValue("key3", Qt::Key_unknown);
    EXPECT_EQ(painted(), "CustomerId,\n<$Field0002!>,\n<$Field0003!>\n");
    doc->saveTemplate();
    EXPECT_TRUE(app.readDataFile("TMP_key2").contains("CustomerId,")) << "a substitution is kept like any other change";
    doc->compactStyle()->setChecked(true);
    run(kFieldList, QStringList{"3"});
    EXPECT_EQ(dialogs.boundRequests.last().lastAnswers, QStringList{"3"}) << "the last answer comes back";
    EXPECT_EQ(painted(), "<$Field0001!>,<$Field0002!>,<$Field0003!>");
    const QString nbsp(QChar::Nbsp); // no-break spaces reach the result as typed
    run("x" + nbsp + "[(a" + nbsp + "$F!|1|2)]" + nbsp + "9");
    EXPECT_EQ(TemplatePaneText(*doc->resultPane()->document()), "x" + nbsp + "a" + nbsp + "$F0001!a" + nbsp + "$F0002!" + nbsp + "9");
    // Refused, stopped and cancelled runs keep the result; one dialog asks each name once.
    dialogs.boundRequests.clear();
    doc->compactStyle()->setChecked(false);
    const QString old = "$a! $b! $A! a!b$c $!";
    run(old);
    EXPECT_TRUE(dialogs.boundRequests.isEmpty()) << "nothing to ask";
    EXPECT_EQ(painted(), old) << "no groups: copied, not coloured";
    EXPECT_EQ(fields(), (QStringList{"$a!", "$b!", "$c $!"}));
    doc->fieldsList()->setFields({});
    doc->selectListTab(1);
    run("x\n  [(a|1|2) ]");
    EXPECT_TRUE(said().contains("line 2, column 3")) << said().toStdString();
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0) << "the template stays in front to be put right";
    EXPECT_GE(doc->templatePane()->textCursor().position(), 4);
    EXPECT_EQ(fields().size(), 3);
    EXPECT_EQ(SplitBody(doc->dataStore().readBody("TMP_key2")).templateRichText, PaneRichText(*doc->templatePane()))
        << "the edited template is saved all the same";
    // Answers are whole numbers, but a bound worked out from one may still not fit.
    const std::tuple<const char*, const char*, const char*> stopped[] = { // a written bound that overflows is named too
        {"[(x|1|n+1)]", "2147483647", "n+1"}, {"[(x|1|99999999999)]", nullptr, "99999999999"},
        {"[(0123456789|1|n)]", "100000000", "Narrow the ranges"}};
    for (const auto& [text, answer, named] : stopped) {
        run(text, answer ? QStringList{answer} : QStringList{});
        EXPECT_TRUE(said().contains(named)) << said().toStdString();
    }
    EXPECT_EQ(dialogs.messages.size(), 4);
    EXPECT_EQ(doc->resultPane()->toPlainText(), old);
    dialogs.messages.clear();
    dialogs.boundRequests.clear();
    run("[($f!|n-1|N+1)(b|m|2)][(c|1|n)]", QStringList{"2", "5"});
    ASSERT_EQ(dialogs.boundRequests.size(), 1);
    EXPECT_EQ(dialogs.boundRequests[0].names, (QStringList{"n", "m"})) << "each name once, letter case ignored";
    EXPECT_EQ(painted(), "<$f0001!>\n<$f0002!>\n<$f0003!>\nc\nc\n");
    // Run clicked twice in a hurry, Cancel each time: panes, list, tabs and body stay.
    const QString result = doc->resultPane()->toPlainText();
    const QByteArray stored = app.readDataFile("TMP_key2");
    doc->templatePane()->insertPlainText(" ");
    const QString edited = doc->templatePane()->toPlainText();
    doc->selectListTab(0);
    dialogs.boundAnswerScript = {std::nullopt, std::nullopt};
    QTest::mouseClick(doc->runButton(), Qt::LeftButton);
    QTest::mouseClick(doc->runButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.boundRequests.size(), 3);
    EXPECT_EQ(dialogs.boundRequests[1].lastAnswers, (QStringList{"2", "5"}));
    EXPECT_EQ(doc->resultPane()->toPlainText() + doc->templatePane()->toPlainText(), result + edited);
    EXPECT_EQ(fields(), (QStringList{"$f0001!", "$f0002!", "$f0003!"}));
    EXPECT_EQ(doc->catalogueTabs()->currentIndex(), 0);
    EXPECT_EQ(app.readDataFile("TMP_key2"), stored);
    // A long run shows progress, and Cancel there leaves everything as it was too.
    dialogs.progressReports.clear();
    dialogs.cancelProgressAt = 2;
    run("[($a!|1|n)]", QStringList{"300000"});
    ASSERT_EQ(dialogs.progressReports.size(), 2);
    EXPECT_EQ(dialogs.progressReports[0], std::make_pair(qint64(0), qint64(300000)));
    EXPECT_EQ(doc->resultPane()->toPlainText(), result);
    EXPECT_TRUE(fields().size() == 3 && dialogs.messages.isEmpty());
    // Answers belong to their template: another one starts from 1.
    const QString other = doc->templateCatalogue().nextKey();
    addTemplate(*doc, "Other");
    ASSERT_TRUE(doc->templateTree()->selectNode(other));
    run("[(c|1|n)]", QStringList{"1"});
    EXPECT_EQ(dialogs.boundRequests.last().lastAnswers, QStringList{"1"});
    // Written numbers are asked for by no name; a lone surrogate from damaged rich text is expanded as it stands.
    dialogs.boundRequests.clear();
    const QString a = "a" + QString(QChar(0xDC00));
    run("[(" + a + "|-2| 2)(b|.5|+0)]");
    EXPECT_TRUE(dialogs.boundRequests.isEmpty());
    EXPECT_EQ(doc->resultPane()->toPlainText(), a + "\n" + a + "\n" + a + "b\n" + a + "\n" + a + "\n");
}

TEST_F(RunAndFields, UndoAndRedoOfEveryFillGestureTakeTheFieldsListAlongWithTheSelection)
{
    showResult("$a! $b! $c! $A!");
    auto listed = [this] {
        const int row = doc->fieldsList()->currentRow();
        QStringList entries = fields();
        if (row >= 0)
            entries[row] = "*" + entries[row];
        return entries.join(' ');
    };
    ResultView* pane = doc->resultPane();
    auto undo = [pane] { QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier); };
    auto redo = [pane] { QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); };
    doc->fieldsList()->setCurrentRow(1);
    pressOnValue("key3", Qt::Key_Return);
    ASSERT_EQ(listed(), "$a! *$c!");
    undo();
    EXPECT_EQ(pane->toPlainText() + "|" + listed(), "$a! $b! $c! $A!|$a! *$b! $c!");
    redo();
    EXPECT_EQ(pane->toPlainText() + "|" + listed(), "$a! CustomerId $c! $A!|$a! *$c!");
    // Fill following, then the field's own name: undone one by one through the Edit menu's way.
    QAction* fillFollowing = control<QAction>(*doc->valueTree(), "fillFollowingAction");
    doc->valueTree()->selectNode("key3");
    doc->fieldsList()->setCurrentRow(0);
    fillFollowing->trigger();
    ASSERT_EQ(pane->toPlainText() + "|" + listed(), "CustomerId CustomerId Name CustomerId|");
    showResult("$a! $b! $c! $A!");
    doc->fieldsList()->setCurrentRow(2);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    doc->fieldsList()->setCurrentRow(0);
    fillFollowing->trigger();
    ASSERT_EQ(pane->toPlainText() + "|" + listed(), "CustomerId Name c CustomerId|");
    pane->undo();
    EXPECT_EQ(pane->toPlainText() + "|" + listed(), "$a! $b! c $A!|*$a! $b!");
    pane->undo();
    EXPECT_EQ(pane->toPlainText() + "|" + listed(), "$a! $b! $c! $A!|$a! $b! *$c!");
    pane->redo();
    pane->redo();
    EXPECT_EQ(pane->toPlainText() + "|" + listed(), "CustomerId Name c CustomerId|");
    // Typing is undone as before and leaves the list alone.
    pane->undo();
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, " $d!");
    undo();
    EXPECT_EQ(pane->toPlainText() + "|" + listed(), "$a! $b! c $A!|*$a! $b!");
}

TEST_F(RunAndFields, ValuesKeysFillFollowingAndDropsFillFieldsOrAddValuesAndEmptySpaceClicksChangeNothing)
{
    showResult("x=$name!; y=$NAME! $Table! $c! $d!");
    ASSERT_EQ(fields(), (QStringList{"$name!", "$Table!", "$c!", "$d!"}));
    pressOnValue("key2", Qt::Key_unknown); // a value with children needs Enter or Space
    EXPECT_EQ(doc->resultPane()->toPlainText(), "x=$name!; y=$NAME! $Table! $c! $d!");
    pressOnValue("key2", Qt::Key_Return);
    EXPECT_EQ(painted(), "x=Customers; y=Customers <$Table!> <$c!> <$d!>");
    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    EXPECT_EQ(painted(), "x=Customers; y=Customers Table <$c!> <$d!>");
    doc->fieldsList()->setCurrentRow(1);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete, Qt::ShiftModifier);
    doc->valueTree()->node("key4")->setText(0, "[$c!]"); // inserted text is not searched again
    pressOnValue("key4", Qt::Key_Space);
    EXPECT_EQ(painted(), "x=Customers; y=Customers Table [<$c!>] <$d!>");
    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete);
    pressOnValue("key3", Qt::Key_Enter);
    EXPECT_EQ(painted(), "x=Customers; y=Customers Table [<$c!>] <$d!>");
    // Fill following takes the value and its next siblings, one undo step a gesture.
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    doc->valueTree()->node("key4")->setText(0, "Name");
    run(kFieldList, QStringList{"3"});
    const QString ran = doc->resultPane()->toPlainText();
    doc->valueTree()->setFocus();
    QAction* fill = control<QAction>(*doc->valueTree(), "fillFollowingAction");
    pressOnValue("key3", Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(painted(), "CustomerId,\nName,\n<$Field0003!>\n");
    // Pressed again in a hurry: the fields run out before the values do.
    QTest::keyClick(doc->valueTree(), Qt::Key_Enter, Qt::ControlModifier);
    QTest::keyClick(doc->valueTree(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(painted() + "|" + fields().join(' '), "CustomerId,\nName,\nCustomerId\n|");
    doc->resultPane()->resultDocument()->undo();
    doc->resultPane()->resultDocument()->undo();
    EXPECT_EQ(doc->resultPane()->toPlainText(), ran) << "one undo step a gesture";
    showResult("$a! $b!");
    doc->fieldsList()->setCurrentRow(-1);
    fill->trigger();
    EXPECT_EQ(painted(), "<$a!> <$b!>") << "with no field selected nothing is filled";
    doc->selectListTab(1);
    doc->fieldsList()->setCurrentRow(0);
    QWidget* list = doc->fieldsList()->viewport();
    const QPoint below(5, list->height() - 3);
    QTest::mouseClick(list, Qt::LeftButton, {}, below);
    QTest::mouseDClick(list, Qt::LeftButton, {}, below);
    QTest::mouseClick(doc->resultPane()->viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    QTest::keyClick(doc->fieldsList(), Qt::Key_Insert);
    QTest::keyClick(doc->fieldsList(), Qt::Key_Delete);
    EXPECT_EQ(painted() + "|" + fields().join(' '), "<$a!> <$b!>|$a! $b!");
    // Dropped text becomes values under the selected one until a piece cannot be stored.
    QMimeData image;
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &image, Qt::LeftButton, {});
    QCoreApplication::sendEvent(doc->valueTree()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted()) << "only text lands on the tree";
    QMimeData movedText;
    movedText.setText("gone");
    QDragEnterEvent moveOnly(QPoint(5, 5), Qt::MoveAction, &movedText, Qt::LeftButton, {});
    QCoreApplication::sendEvent(doc->valueTree()->viewport(), &moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted()) << "text that can only be moved would leave its source";
    doc->valueTree()->selectNode("key2");
    drop("ID,,NAME", {","});
    ASSERT_EQ(dialogs.prompts.size(), 1);
    EXPECT_EQ(doc->valueTree()->toolTip(), "Customers contains 5 objects");
    ASSERT_TRUE(doc->valueTree()->selectNode("key4"));
    drop("1X2x3", {"x"});
    drop("whole,text", {std::nullopt});
    EXPECT_EQ(app.readDataFile("Values.app"),
              CatalogueFile({"2|Customers|-1|0|3", "3|CustomerId|2|0|3", "4|Name|2|0|3", "6|ID|2|0|3", "7||2|0|3",
                             "8|NAME|2|0|3", "9|1|4|0|3", "10|2|4|0|3", "11|3|4|0|3", "12|whole,text|4|0|3"}));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    doc->valueTree()->selectNode("key-1");
    drop("a;Ж;c", {";"});
    EXPECT_EQ(children(doc->valueTree(), "key-1"), (QStringList{"key2=Customers", "key13=a"}));
    EXPECT_TRUE(failures.texts.size() == 1 && failures.texts[0].startsWith("InsertRecord: ")) << "the store says why";
    EXPECT_TRUE(said().startsWith("1 of the 3") && said().contains("\"Ж\"")) << said().toStdString();
    drop("d", {","});
    EXPECT_EQ(children(doc->valueTree(), "key-1"), (QStringList{"key2=Customers", "key13=a", "key14=d"})) << "no key is skipped";
}

TEST(ValueAndFieldRules, DropsAreCutAtEverySeparatorInEitherCaseAndRemovedFieldsPassTheSelectionToANeighbour)
{
    const QList<std::tuple<QString, QString, QStringList>> cases{
        {"a, b", ",", {"a", " b"}}, {",a,,b,", ",", {"", "a", "", "b", ""}}, {"x;\ny; z", "; ", {"x;\ny", "z"}},
        {"1X2x3", "X", {"1", "2", "3"}}, {"a,b", "", {"a,b"}}, {"", ",", {}}, // a cancelled or emptied box keeps the drop whole
    };
    for (const auto& [text, separator, pieces] : cases)
        EXPECT_EQ(SplitDropped(text, separator), pieces) << text.toStdString() << " / " << separator.toStdString();
    for (auto [removed, left, selected] : {std::tuple{1, 2, 1}, {2, 2, 1}, {0, 0, -1}})
        EXPECT_EQ(SelectionAfterRemoval(removed, left), selected) << removed << " of " << left + 1;
    for (auto [marker, name] : {std::pair<QString, QString>{"$a b\nc!", "a b\nc"}, {"$!", ""}, {"", ""}})
        EXPECT_EQ(FieldName(marker), name) << marker.toStdString();
}

TEST(BoundAnswers, OnlyWholeNumbersInTheRangeAreTakenAndAreRememberedPerTemplateWhateverTheNameOrItsCase)
{
    const std::pair<const char*, const char*> cases[] = { // answer, problem (nullptr: usable)
        {" -12 ", nullptr}, {"+7", nullptr}, {"2147483647", nullptr}, {"-2147483648", nullptr}, {"   ", "Enter a whole number"},
        {"2.5", "Not a whole number"}, {"3x", "Not a whole number"}, {"--1", "Not a whole number"}, {"2147483648", "Out of range"}};
    for (const auto& [answer, expected] : cases) {
        const QString want = expected ? expected : "usable";
        EXPECT_EQ(WholeNumberProblem(QString::fromLatin1(answer)).value_or("usable").left(want.size()), want) << answer;
    }
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    const QStringList names{"n", "/", "\\", "é"};
    RememberAnswers(settings, "key2", names, {" 4 ", "5", "-6", "7"});
    EXPECT_EQ(RememberedAnswers(settings, "key2", {"N", "/", "\\", "É", "m"}), (QStringList{"4", "5", "-6", "7", "1"}));
    EXPECT_EQ(RememberedAnswers(settings, "key3", {"n"}), QStringList{"1"});
    settings.setValue(settings.allKeys().first(), "garbage");
    EXPECT_TRUE(RememberedAnswers(settings, "key2", names).contains("1")) << "a spoilt answer starts from 1";
}

TEST(RunDialogs, BoundsOkWaitsForWholeNumbersSayingWhyAndProgressShowsOnlyForLongRunsUntilCancelledOrDone)
{
    BoundsDialog dialog({"n", "m"}, {"3", "oops"});
    QPushButton* ok = dialog.buttons()->button(QDialogButtonBox::Ok);
    auto reasons = [&] { return QStringList{dialog.reason(0)->text(), dialog.reason(1)->text()}; };
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(reasons(), (QStringList{"", "Not a whole number"}));
    dialog.field(1)->selectAll();
    QTest::keyClicks(dialog.field(1), "12");
    EXPECT_TRUE(ok->isEnabled());
    dialog.field(0)->clear();
    EXPECT_EQ(reasons(), (QStringList{"Enter a whole number", ""}));
    dialog.field(0)->setText(" 8 ");
    EXPECT_EQ(dialog.answers(), (QStringList{"8", "12"}));
    QWidget window;
    auto progress = [&] { return window.findChild<QProgressDialog*>(); };
    ExpansionProgress shortRun = ProgressDialogFor(&window, 100);
    EXPECT_TRUE(shortRun(0, 100) && shortRun(50, 100));
    EXPECT_EQ(progress(), nullptr);
    ExpansionProgress longRun = ProgressDialogFor(&window, 100);
    EXPECT_TRUE(longRun(0, 1000) && longRun(500, 1000));
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(progress()->value(), progress()->maximum() / 2);
    progress()->cancel();
    EXPECT_FALSE(longRun(600, 1000));
    EXPECT_EQ(progress(), nullptr);
    ExpansionProgress finished = ProgressDialogFor(&window, 100);
    EXPECT_TRUE(finished(0, 1000) && finished(1000, 1000));
    EXPECT_EQ(progress(), nullptr);
}

} // namespace
