#include "FieldsList.h"
#include "FileSizeLimit.h"
#include "PaneLooks.h"
#include "PaneRichText.h"
#include "ResultView.h"
#include "SourcePaneColourer.h"
#include "WorkspaceTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
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
    std::unique_ptr<WorkspaceWindow> open()
    {
        auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1200, 800);
        doc->show();
        doc->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(doc.get()));
        return doc;
    }
    // Clicks the node the way the user does, so a pane holding the focus loses it first.
    static void click(WorkspaceWindow& doc, const QString& key)
    {
        CatalogueTree* tree = doc.templateTree();
        doc.selectListTab(0);
        QTreeWidgetItem* item = tree->node(key);
        ASSERT_NE(item, nullptr) << key.toStdString();
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }
    static QString opened(WorkspaceWindow& doc, const QString& key)
    {
        click(doc, key);
        return doc.templatePane()->toPlainText() + "|" + doc.resultPane()->toPlainText();
    }
    template <typename Pane>
    static void typeInto(Pane* pane, const QString& keys, bool replacing = false)
    {
        pane->setFocus(Qt::MouseFocusReason);
        replacing ? pane->selectAll() : pane->moveCursor(QTextCursor::End);
        QTest::keyClicks(pane, keys);
    }
    static void leave(WorkspaceWindow& doc, QWidget* pane)
    {
        pane->setFocus(Qt::MouseFocusReason);
        doc.templateTree()->setFocus(Qt::MouseFocusReason);
    }
};

TEST_F(TemplatePanes, ALegacyBodyLoadsAndIsWrittenWhenEitherPaneChangedOrTheWindowClosesAndAFailedWriteKeepsTheEdit)
{
    // Bytes as the Windows edition leaves them: each pane's rich-edit TextRTF with its trailing
    // NUL, the quote token for double quotes, Windows-1252 throughout.
    const QByteArray header = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n";
    const QByteArray source = header +
        "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf3\\f0\\fs20 -- \"r\\'e9sum\\'e9\" \\'80\r\n"
        "\\par \\cf1 [(\\cf2 $Col!\\cf1 |1|n)(,|1|n-1)]\\cf3\r\n\\par }\r\n";
    const QByteArray result = header + "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
                                       "\\viewkind4\\uc1\\pard\\cf1\\f0\\fs20 $Col0001!\\cf2 ,\r\n"
                                       "\\par \\cf1 $Col0002!\\cf2\r\n\\par }\r\n";
    const QByteArray legacy = BodyFile(source + '\0' + "_$$$_001_$$$_" + result + '\0'), beta = app.readDataFile("TMP_key3");
    app.writeDataFile("TMP_key2", legacy);
    auto doc = open();
    // Rich edit ends every text with a \par that is not a line of its own.
    EXPECT_EQ(opened(*doc, "key2"), QString::fromUtf8("-- \"résumé\" €\n[($Col!|1|n)(,|1|n-1)]|$Col0001!,\n$Col0002!"));
    EXPECT_EQ(ColourMap(*doc->templatePane()->document()), "kkkkkkkkkkkkk\nbbrrrrrbbbbbbbbbbbbbbb");
    leave(*doc, doc->templatePane());
    leave(*doc, doc->resultPane());
    click(*doc, "key3");
    click(*doc, "key2");
    EXPECT_TRUE(app.readDataFile("TMP_key2") == legacy && app.readDataFile("TMP_key3") == beta)
        << "a body looked at only keeps the Windows edition's bytes";
    typeInto(doc->resultPane(), " more"); // saved with the template pane's edit below
    typeInto(doc->templatePane(), "[($Col!|1|n)]", true);
    EXPECT_EQ(opened(*doc, "key3"), "beta|result of beta") << "the pane loses the focus to the tree before Beta loads";
    typeInto(doc->resultPane(), " edited"); // the result pane alone is worth keeping too
    leave(*doc, doc->resultPane());
    const QByteArray edited = app.readDataFile("TMP_key3");
    typeInto(doc->resultPane(), "x");
    QTest::keyClick(doc->resultPane(), Qt::Key_Backspace);
    leave(*doc, doc->resultPane());
    EXPECT_EQ(app.readDataFile("TMP_key3"), edited) << "typed and taken back is no change";
    typeInto(doc->templatePane(), "BETA", true); // letter case alone is an edit as well
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason); // a focus loss that is not leaving
        QCoreApplication::sendEvent(doc->templatePane(), &out);
        EXPECT_TRUE(doc->templateModified()) << reason;
    }
    leave(*doc, doc->templatePane());
    for (bool restarted : {false, true}) {
        if (restarted)
            doc = open();
        EXPECT_EQ(opened(*doc, "key2"), "[($Col!|1|n)]|$Col0001!,\n$Col0002! more");
        EXPECT_EQ(ColourMap(*doc->templatePane()->document()), "bbrrrrrbbbbbb");
        EXPECT_EQ(opened(*doc, "key3"), "BETA|result of beta edited");
    }
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
    // A full disk: the write fails, and the edit stays on its template.
    click(*doc, "key2");
    typeInto(doc->templatePane(), "kept [x]", true);
    {
        FileSizeLimit full(16);
        click(*doc, "key3");
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(failures.texts.isEmpty()) << "the failed write is reported";
    EXPECT_EQ(doc->templateTree()->selectedKey(), "key2");
    EXPECT_EQ(doc->templatePane()->toPlainText(), "kept [x]") << "Beta did not load over the edit";
    EXPECT_EQ(opened(*doc, "key3"), "BETA|result of beta edited");
    EXPECT_EQ(opened(*doc, "key2"), "kept [x]|$Col0001!,\n$Col0002! more");
    // A Ctrl+click or Ctrl+Space never leaves the tree without a selection, and closing saves.
    CatalogueTree* tree = doc->templateTree();
    typeInto(doc->templatePane(), " one two");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, tree->visualItemRect(tree->node("key2")).center());
    QTest::keyClick(tree, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(tree->selectedKey(), "key2");
    typeInto(doc->templatePane(), " three");
    doc->close();
    {
        // Inside an MDI frame the workspace closes with the frame's other windows.
        QMdiArea area;
        auto* framed = new WorkspaceWindow(app.dataPath());
        QMdiSubWindow* window = area.addSubWindow(framed);
        window->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        window->showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
        click(*framed, "key3");
        typeInto(framed->templatePane(), " closed with the frame");
        area.closeAllSubWindows();
        EXPECT_TRUE(area.subWindowList().isEmpty());
    }
    doc = open();
    EXPECT_EQ(opened(*doc, "key2"), "kept [x] one two three|$Col0001!,\n$Col0002! more");
    EXPECT_EQ(opened(*doc, "key3"), "BETA closed with the frame|result of beta edited");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(TemplatePanes, RunResultsAndSubstitutionsBeforeMovingOnAreKeptAndAReclickReloads)
{
    app.writeDataFile("Values.app", CatalogueFile({"2|CustomerId|-1|0|3"}));
    auto doc = open();
    click(*doc, "key2");
    typeInto(doc->templatePane(), "[($F!|1|2)]", true);
    QTest::mouseClick(doc->runButton(), Qt::LeftButton); // the template pane loses the focus first
    click(*doc, "key3");
    EXPECT_EQ(opened(*doc, "key2"), "[($F!|1|2)]|$F0001!\n$F0002!\n") << "Run's own result, not the one before it";
    doc->runButton()->click();
    CatalogueTree* values = doc->valueTree();
    doubleClick(values->viewport(), values->visualItemRect(values->node("key2")).center()); // fills the first field
    ASSERT_EQ(QApplication::focusWidget(), values);
    // Straight on to another template, as a keyboard move does: no pane loses the focus.
    doc->templateTree()->setCurrentItem(doc->templateTree()->node("key3"));
    EXPECT_EQ(doc->templatePane()->toPlainText(), "beta");
    EXPECT_EQ(opened(*doc, "key2"), "[($F!|1|2)]|CustomerId\n$F0002!\n");
    // Twice in a row with a large n: the last result is the one listed and kept.
    typeInto(doc->templatePane(), "[($F!|1|n)]", true);
    dialogs.boundAnswerScript = {QStringList{"20000"}, QStringList{"20000"}};
    QTest::mouseClick(doc->runButton(), Qt::LeftButton);
    QTest::mouseClick(doc->runButton(), Qt::LeftButton);
    EXPECT_EQ(doc->fieldsList()->count(), 20000);
    EXPECT_EQ(doc->fieldsList()->selectedField(), "$F0001!");
    EXPECT_TRUE(PaintedText(*doc->resultPane()).contains("<$F19999!>\n<$F20000!")) << "the end, where the caret is, is coloured";
    const QString large = doc->resultPane()->toPlainText();
    click(*doc, "key3");
    click(*doc, "key2");
    EXPECT_EQ(doc->resultPane()->toPlainText(), large);
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
    // Clicking the selected node reloads it; what is typed under the root is kept and told about.
    click(*doc, "key2");
    doc->selectBodyTab(1);
    app.writeDataFile("TMP_key2", BodyFile("alpha again_$$$_001_$$$_new result")); // saved by another window
    EXPECT_EQ(opened(*doc, "key2"), "alpha again|new result");
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0);
    typeInto(doc->templatePane(), " edited");
    doc->selectBodyTab(1);
    EXPECT_EQ(opened(*doc, "key-1"), "|new result"); // Alpha's edit is saved on the way out
    const QByteArray edited = app.readDataFile("TMP_key2");
    EXPECT_TRUE(edited.contains("alpha again edited"));
    doc->templatePane()->setPlainText("scratch");
    dialogs.choiceAnswers = {1}; // dropped only when the user says so
    EXPECT_EQ(opened(*doc, "key-1"), "|new result");
    const qsizetype told = dialogs.messages.size();
    typeInto(doc->templatePane(), "typed under the root");
    leave(*doc, doc->templatePane());
    leave(*doc, doc->templatePane());
    EXPECT_TRUE(doc->templateModified()) << "nowhere to write it, but not dropped either";
    ASSERT_EQ(dialogs.messages.size(), told + 1) << "told once, not on every move";
    EXPECT_TRUE(dialogs.messages.last().text.contains("not saved"));
    typeInto(doc->templatePane(), " and more");
    leave(*doc, doc->templatePane());
    EXPECT_EQ(dialogs.messages.size(), told + 2) << "a further edit is told again";
    EXPECT_EQ(app.readDataFile("TMP_key2"), edited);
    doc->selectListTab(1);
    doc->selectBodyTab(0);
    QTabBar* list = doc->catalogueTabs();
    QTest::mouseClick(list, Qt::LeftButton, {}, list->tabRect(1).center());
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 1) << "Values List always brings the result pane";
}

TEST_F(TemplatePanes, ABodyOpensByTheKeyItsIdSpellsAndAnUnreadableOrCutOneOpensWhatCouldBeReadKeptUntilEdited)
{
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|Alpha|-1|0|3", "3|Beta|-1|0|3", "07|Seven|-1|0|3", "abc|Letters|-1|0|3"}));
    app.writeDataFile("TMP_key07", BodyFile("seven as written_$$$_001_$$$_r07"));
    app.writeDataFile("TMP_key7", BodyFile("not this one_$$$_001_$$$_r7"));
    app.writeDataFile("TMP_keyabc", BodyFile("letters_$$$_001_$$$_rabc"));
    QFile::remove(app.dataPath("TMP_key2"));
    const QByteArray cut = BodyFile("{\\rtf1 half a \\cf1 templ");
    app.writeDataFile("TMP_key3", cut);
    auto doc = open();
    EXPECT_EQ(opened(*doc, "key2"), "|");
    EXPECT_TRUE(failures.texts.size() == 2 && failures.texts[1].startsWith("ReadStream: \"")) << failures.texts.join('\n').toStdString();
    leave(*doc, doc->templatePane());
    EXPECT_FALSE(app.dataFileExists("TMP_key2"));
    EXPECT_EQ(opened(*doc, "key3"), "half a templ|");
    leave(*doc, doc->resultPane());
    EXPECT_EQ(app.readDataFile("TMP_key3"), cut);
    typeInto(doc->templatePane(), "ate");
    EXPECT_EQ(opened(*doc, "key07"), "seven as written|r07");
    typeInto(doc->templatePane(), " and edited");
    EXPECT_EQ(opened(*doc, "key3"), "half a template|");
    EXPECT_EQ(opened(*doc, "keyabc"), "letters|rabc");
    EXPECT_TRUE(app.readDataFile("TMP_key07").contains("seven as written and edited"));
    click(*doc, "key-1");
    addTemplate(*doc, "Fresh");
    EXPECT_EQ(opened(*doc, "key9"), "|"); // the highest ID 7 plus the added count 2
    EXPECT_EQ(doc->resultPane()->document()->blockCount(), 1);
}

TEST_F(TemplatePanes, ClosingOrMovingOnWithAChangeThatCannotBeStoredAsksAndNothingIsDroppedUnasked)
{
    auto doc = open();
    EXPECT_EQ(opened(*doc, "key-1"), "|");
    // Panes left empty under Main (typed and taken back, a style toggled, a Run of nothing) hold nothing to lose.
    typeInto(doc->templatePane(), "x");
    QTest::keyClick(doc->templatePane(), Qt::Key_Backspace);
    doc->compactStyle()->click();
    doc->runButton()->click();
    EXPECT_TRUE(doc->close());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    doc = open();
    EXPECT_EQ(opened(*doc, "key-1"), "|");
    typeInto(doc->templatePane(), "typed under Main");
    EXPECT_FALSE(doc->close()) << "unanswered, the question stays";
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(doc->templatePane()->toPlainText(), "typed under Main");
    click(*doc, "key2"); // moving on asks the same, and staying keeps Main selected
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(doc->templateTree()->selectedKey(), "key-1");
    EXPECT_EQ(doc->templatePane()->toPlainText(), "typed under Main");
    dialogs.choiceAnswers = {0, 0};
    dialogs.inputAnswers = {std::nullopt, QString("Kept")}; // no name: the panes stay as they are
    EXPECT_FALSE(doc->close());
    EXPECT_TRUE(doc->close());
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();

    // The disk is full while closing: the write fails, and the user stays or drops the edit.
    doc = open();
    EXPECT_EQ(children(doc->templateTree(), "key-1"), (QStringList{"key2=Alpha", "key3=Beta", "key5=Kept"}));
    EXPECT_EQ(opened(*doc, "key5"), "typed under Main|");
    EXPECT_EQ(opened(*doc, "key2"), "alpha [x]|result of alpha");
    const QByteArray alpha = app.readDataFile("TMP_key2");
    typeInto(doc->templatePane(), " edited");
    {
        FileSizeLimit full(16);
        EXPECT_FALSE(doc->close());
        EXPECT_TRUE(failures.texts.value(0).startsWith("WriteStream: \"")) << "the failure is reported";
        EXPECT_TRUE(dialogs.questions.last().text.contains("The changes to the template \"Alpha\" could not be saved"));
        EXPECT_EQ(doc->templatePane()->toPlainText(), "alpha [x] edited");
        dialogs.choiceAnswers = {1}; // discarding is the user's say, and closes
        EXPECT_TRUE(doc->close());
    }
    EXPECT_EQ(app.readDataFile("TMP_key2"), alpha);

    // A folder in the body's place: overwriting it fails, and the text goes to a new template instead.
    doc = open();
    EXPECT_EQ(opened(*doc, "key3"), "beta|result of beta");
    ASSERT_TRUE(QFile::remove(app.dataPath("TMP_key3")) && QDir(app.dataPath()).mkdir("TMP_key3"));
    typeInto(doc->templatePane(), " kept");
    const qsizetype asked = dialogs.questions.size();
    dialogs.choiceAnswers = {1, 0};
    dialogs.inputAnswers = {QString("Beta (2)")};
    EXPECT_TRUE(doc->close());
    ASSERT_EQ(dialogs.questions.size(), asked + 2);
    EXPECT_TRUE(dialogs.questions[asked].text.contains("was changed by another window"));
    EXPECT_TRUE(dialogs.questions[asked + 1].text.contains("could not be saved"));
    EXPECT_EQ(dialogs.prompts.last().defaultText, "Beta (2)");
    doc = open();
    EXPECT_EQ(opened(*doc, "key7"), "beta kept|result of beta");
    EXPECT_EQ(doc->templateTree()->node("key7")->text(0), "Beta (2)");
}

TEST_F(TemplatePanes, TwoWindowsOnOneFolderNeverOverwriteEachOthersBodyUnasked)
{
    auto first = open();
    auto second = open();
    auto activate = [](WorkspaceWindow& doc) {
        doc.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&doc));
    };
    auto edit = [&](WorkspaceWindow& doc, const QString& key, const QString& text) {
        activate(doc);
        click(doc, key);
        typeInto(doc.templatePane(), text, true);
    };
    auto leaveIn = [&](WorkspaceWindow& doc) {
        activate(doc);
        leave(doc, doc.templatePane());
    };
    edit(*first, "key2", "first");
    edit(*second, "key2", "second");
    EXPECT_TRUE(first->close());
    EXPECT_TRUE(dialogs.questions.isEmpty()) << "the body was as the first window read it";
    EXPECT_FALSE(second->close()) << "unanswered, the second window stays";
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].text.contains("\"Alpha\" was changed by another window"));
    dialogs.choiceAnswers = {0};
    EXPECT_TRUE(second->close());
    first = open();
    EXPECT_EQ(children(first->templateTree(), "key-1"), (QStringList{"key2=Alpha", "key3=Beta", "key5=Alpha (2)"}));
    EXPECT_EQ(opened(*first, "key2"), "first|result of alpha");
    EXPECT_EQ(opened(*first, "key5"), "second|result of alpha");

    // Leaving the pane asks, once per edit; selecting another template asks again, and Cancel stays.
    second = open();
    edit(*first, "key3", "first beta");
    edit(*second, "key3", "second beta");
    qsizetype asked = dialogs.questions.size();
    leaveIn(*first);
    EXPECT_EQ(dialogs.questions.size(), asked) << "the body was as the first window read it";
    activate(*second);
    click(*second, "key2");
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.questions.size(), asked + 2);
    EXPECT_EQ(second->templateTree()->selectedKey(), "key3");
    leaveIn(*second);
    EXPECT_EQ(dialogs.questions.size(), asked + 2) << "put off until the next edit";
    dialogs.choiceAnswers = {1}; // overwrite
    EXPECT_EQ(opened(*second, "key2"), "first|result of alpha");
    EXPECT_EQ(opened(*second, "key3"), "second beta|result of beta");

    // Bytes of the same length under the same time still count as a change, and so does a body
    // created after it could not be read.
    edit(*second, "key3", "mine");
    QFile::remove(app.dataPath("TMP_key5"));
    edit(*first, "key5", "missing");
    const QDateTime modified = QFileInfo(app.dataPath("TMP_key3")).lastModified();
    QByteArray same = app.readDataFile("TMP_key3");
    ASSERT_TRUE(same.contains("second beta"));
    same.replace("second beta", "others beta");
    app.writeDataFile("TMP_key3", same);
    QFile touched(app.dataPath("TMP_key3"));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite) && touched.setFileTime(modified, QFileDevice::FileModificationTime));
    touched.close();
    app.writeDataFile("TMP_key5", BodyFile("created elsewhere_$$$_001_$$$_"));
    asked = dialogs.questions.size();
    leaveIn(*second);
    leaveIn(*first);
    EXPECT_EQ(dialogs.questions.size(), asked + 2);
    EXPECT_EQ(app.readDataFile("TMP_key3"), same);
    EXPECT_EQ(app.readDataFile("TMP_key5"), BodyFile("created elsewhere_$$$_001_$$$_"));
    EXPECT_TRUE(first->templateModified() && second->templateModified());
    dialogs.choiceAnswers = {1};
    EXPECT_TRUE(first->close());
    EXPECT_TRUE(app.readDataFile("TMP_key5").contains("missing"));
    // Keeping both while a filter hides the other items: the panes' new template is selected and shown.
    activate(*second);
    control<QLineEdit>(*second, "templateFilter")->setText("zzz");
    typeInto(second->templatePane(), "!"); // a further edit is asked about again
    dialogs.choiceAnswers = {0};
    leave(*second, second->templatePane());
    const QString copy = second->templateTree()->selectedKey();
    ASSERT_NE(copy, "key3");
    EXPECT_EQ(second->templateTree()->node(copy)->text(0), "Beta (2)");
    EXPECT_FALSE(second->templateTree()->node(copy)->isHidden());
    EXPECT_FALSE(second->templateModified());
    EXPECT_TRUE(second->close());
    EXPECT_EQ(app.readDataFile("TMP_key3"), same) << "the other window's text stays";
    EXPECT_TRUE(app.readDataFile("TMP_" + copy).contains("mine!"));
}

// A closing delimiter recolours the spans before it; anything else takes the typing colour.
TEST(SourcePane, TypingColoursSpansAsTheirClosingDelimitersArriveButNotWhileTheResultIsWrittenOnLoadingOrOnUndo)
{
    QTextEdit pane;
    bool resultBusy = false;
    SourcePaneColourer colourer{pane, resultBusy};
    QObject::connect(&pane, &QTextEdit::textChanged, [&] { colourer.templateTextChanged(); });
    auto type = [&](const QString& keys) {
        const QStringList lines = keys.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(&pane, Qt::Key_Return);
            QTest::keyClicks(&pane, lines[i]);
        }
    };
    auto colours = [&] { return ColourMap(*pane.document()); };
    // from..to: the selection typed over (-1: where the caret is); colours nullptr: the typing colour
    const struct { int from, to; const char *keys, *text, *colours; } script[] = {
        {-1, -1, "[(a|1|2)]", "[(a|1|2)]", "bbbbbbbbb"}, {-1, -1, "x", "[(a|1|2)]x", "bbbbbbbbbk"},
        {0, 10, "[ab]", "[ab]", "bbbb"}, {2, 2, "c", "[acb]", "bbbbb"}, // inside a token, the token's colour
        {-1, -1, "[", "[ac[b]", "bbbbbb"}, {0, 6, "arr", "arr", nullptr},
        {-1, -1, "[i] $a\nb! [x $y", "arr[i] $a\nb! [x $y", "kkkbbbkrr\nrrkkkkkk"},
        {-1, -1, "]", "arr[i] $a\nb! [x $y]", "kkkbbbkrr\nrrkbbbbbb"}, // a $ without a later ! stays as it was
        {17, 17, "!", "arr[i] $a\nb! [x $!y]", "kkkbbbkrr\nrrkbbbrrbb"}, // field markers red inside a token
        {0, 20, "[a] b", "[a] b", "bbbkk"}, {0, 1, "x", "xa] b", "bbbkk"}, // no closing delimiter, no recolour
        {5, 5, "]", "xa] b]", "kkkkkk"}, // text that stops being a span turns black
    };
    for (const auto& step : script) {
        if (step.from >= 0)
            selectRange(&pane, step.from, step.to);
        type(step.keys);
        EXPECT_EQ(pane.toPlainText(), step.text);
        EXPECT_EQ(step.colours ? colours() : QString(), QString(step.colours)) << step.text;
        EXPECT_FALSE(pane.textCursor().hasSelection());
    }
    SetPaneRichText(pane, "x[a]");
    selectRange(&pane, 1, 1);
    QTest::keyClick(&pane, Qt::Key_Backspace);
    EXPECT_EQ(pane.toPlainText() + colours(), "[a]...");
    SetPaneRichText(pane, "{\\rtf1 second [x]}");
    EXPECT_EQ(colours(), "..........") << "loading keeps the stored colours";
    resultBusy = true;
    pane.clear();
    type("[a]");
    EXPECT_EQ(colours(), "...");
    resultBusy = false;
    pane.clear();
    type("[a]");
    ASSERT_EQ(colours(), "bbb");
    pane.undo();
    EXPECT_EQ(pane.toPlainText() + colours(), "[a]...") << "the first undo takes the colouring back, and it stays back";
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "");
    pane.redo();
    pane.redo();
    EXPECT_EQ(colours(), "bbb");
    EXPECT_FALSE(pane.document()->isRedoAvailable());
}

} // namespace
