#include "AboutBox.h"
#include "EditCommands.h"
#include "FieldsList.h"
#include "FindCommands.h"
#include "FindDialog.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "ResultView.h"
#include "TemplatePreview.h"
#include "WindowSettings.h"
#include "WorkspaceTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

namespace {

using Action = FindRequest::Action;

class MainWindowTest : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        app.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3"}));
        ProgramFindState() = FindState{};
    }

    std::unique_ptr<MainWindow> open()
    {
        auto window = std::make_unique<MainWindow>(app.dataPath());
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    static void trigger(MainWindow& w, const char* action) { control<QAction>(w, action)->trigger(); }

    static void focus(QWidget* control)
    {
        control->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    }
};

TEST_F(MainWindowTest, PlacementStartsCentredIsKeptUnlessMinimisedAndFitsTheScreenThenAUsersSession)
{
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const auto px = [dpi](int twips) { return qRound(twips * dpi / 1440.0); };
    const auto twips = [dpi](int pixels) { return QString::number(qRound(pixels * 1440.0 / dpi)); };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QSettings s(QSettings::UserScope, "Vellumatic", "Vellumatic"); // what the window writes shows here at once
    QRect frame;
    {
        auto w = open();
        EXPECT_EQ(w->frameGeometry(), FirstStartFrame(screen));
        w->setGeometry(QRect(px(1500), px(1200), px(9000), px(7500)));
        frame = w->frameGeometry();
        trigger(*w, "exitAction");
    }
    for (const auto& [key, pixels] : {std::pair{"MainLeft", frame.left()}, {"MainTop", frame.top()},
                                      {"MainWidth", frame.width()}, {"MainHeight", frame.height()}})
        EXPECT_EQ(s.value(QString("Settings/") + key).toString(), twips(pixels)) << key;
    {
        auto w = open();
        EXPECT_EQ(w->frameGeometry(), frame) << "the outer size comes back, not the inner one";
        w->setGeometry(QRect(px(100), px(100), px(3000), px(3000)));
        w->showMinimized();
        w->close();
    }
    EXPECT_EQ(s.value("Settings/MainWidth").toString(), twips(frame.width())) << "nothing saved while minimised";
    {
        auto w = open();
        w->showMaximized();
        QTest::qWait(10);
        w->close();
        EXPECT_EQ(s.value("Settings/MainWidth").toString(), twips(w->frameGeometry().width())) << "the maximised size";
    }
    EXPECT_FALSE(open()->isMaximized()) << "the next start opens a normal window";

    for (const auto& [key, text] : {std::pair{"MainLeft", "900000"}, {"MainTop", "-900000"}, {"MainWidth", "wide"}})
        s.setValue(QString("Settings/") + key, text);
    auto w = open();
    EXPECT_TRUE(screen.contains(w->frameGeometry()));
    EXPECT_GE(w->frameGeometry().width(), px(6500)) << "the stored width, or the least the workspace needs";

    SCOPED_TRACE("the workspace opens with the catalogues");
    for (const auto key : {Qt::Key_N, Qt::Key_O}) // hidden items: their shortcuts do nothing
        QTest::keyClick(w.get(), key, Qt::ControlModifier);
    ASSERT_EQ(w->workspaces().size(), 1);
    WorkspaceWindow* doc = w->activeWorkspace();
    QTextEdit* source = doc->templatePane();
    ResultView* target = doc->resultPane();
    EXPECT_EQ(doc->valueTree()->topLevelItem(0)->child(0)->text(0), "Orders");
    EXPECT_EQ(w->statusText(), app.dataPath()) << "until the first hint, the data folder open";
    doc->templateTree()->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->statusText(), " Active Control: Templates List");
    control(*doc, "addTemplateButton")->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->statusText(), "");
    for (const bool shown : {false, true}) {
        trigger(*w, "statusBarAction");
        EXPECT_EQ(w->statusBarWidget()->isVisible(), shown);
    }

    SCOPED_TRACE("Edit > Rename Item opens the name of the selected item of the catalogue in view");
    doc->selectListTab(1);
    doc->valueTree()->selectNode("key2");
    trigger(*w, "renameItemAction");
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor && editor->text() == "Orders");
    editor->setText("Order lines");
    QTest::keyClick(editor, Qt::Key_Return);
    settleRename();
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|Order lines|-1|0|3"}));

    SCOPED_TRACE("nothing overlaps or is cut from 640x480 up");
    const char* names[] = {"catalogueTabs", "templateFilter", "templateNameBox", "addTemplateButton", "removeTemplateButton",
                           "templateTree", "valueFilter", "valueNameBox", "addValueButton", "removeValueButton", "importButton",
                           "valueTree", "fieldsList", "paneTabs", "compactStyle", "runButton", "templatePane", "resultPane"};
    doc->templateTree()->topLevelItem(0)->setText(0, QString(200, u'W')); // a name longer than any column
    source->setPlainText("int count = 1; // short");
    for (const QSize size : {QSize(640, 480), QSize(1024, 700), QSize(700, 1000)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        w->resize(size);
        for (int tab : {1, 0}) {
            doc->selectListTab(tab);
            QTest::qWait(1);
            const QRect area(w->mdiArea()->viewport()->mapTo(w.get(), QPoint(0, 0)), w->mdiArea()->viewport()->size());
            QList<std::pair<const char*, QRect>> shown;
            for (const char* name : names) {
                QWidget* c = control(*doc, name);
                if (!c->isVisible())
                    continue;
                const QRect r(c->mapTo(w.get(), QPoint(0, 0)), c->size());
                EXPECT_TRUE(area.contains(r)) << name << " cut";
                const bool captioned = qobject_cast<QAbstractButton*>(c) || qobject_cast<QTabBar*>(c);
                EXPECT_TRUE(!captioned || c->width() >= c->sizeHint().width()) << name << " shows its whole caption";
                for (const auto& [other, rect] : shown)
                    EXPECT_FALSE(r.intersects(rect)) << name << " overlaps " << other;
                shown.append({name, r});
            }
            EXPECT_GE(shown.size(), 9);
        }
        // A short line of a template stays one line: the panes wrap at their own width only.
        EXPECT_EQ(source->document()->firstBlock().layout()->lineCount(), 1);
    }

    SCOPED_TRACE("Edit acts on the last focused pane, even with the focus gone outside the workspace");
    source->setPlainText("alpha beta");
    focus(source);
    selectRange(source, 6, 10);
    auto* outside = new QLineEdit(w->statusBarWidget());
    outside->show();
    focus(outside);
    for (const auto& [action, text] : {std::pair{"cutAction", "alpha "}, {"undoAction", "alpha beta"}, {"redoAction", "alpha "}}) {
        trigger(*w, action);
        EXPECT_EQ(source->toPlainText(), text) << action;
    }
    focus(doc->valueTree()); // another control: no pane, no effect
    trigger(*w, "pasteAction");
    EXPECT_EQ(source->toPlainText(), "alpha ");
    doc->selectBodyTab(1);
    target->setPlainText("one two");
    focus(target);
    selectRange(target, 0, 4);
    trigger(*w, "clearAction");
    EXPECT_EQ(target->toPlainText(), "two");
    trigger(*w, "pasteAction");
    EXPECT_EQ(target->toPlainText(), "betatwo");

    SCOPED_TRACE("Find, Find Next and Replace");
    source->setPlainText("ABc\nab");
    focus(source);
    QTest::keyClick(w.get(), Qt::Key_F3); // before any Find: nothing
    EXPECT_FALSE(source->textCursor().hasSelection());
    dialogs.findAnswers << FindRequest{Action::Find, "ab", ""};
    trigger(*w, "findAction");
    EXPECT_EQ(source->textCursor().selectedText(), "AB");
    for (const auto& [status, at] : {std::pair{"", 4}, {" \"ab\" not found", 4}, {"", 0}}) { // after a miss it starts over
        QTest::keyClick(w.get(), Qt::Key_F3);
        EXPECT_EQ(w->statusText(), status);
        EXPECT_EQ(source->textCursor().selectionStart(), at);
    }
    // A tree focused: no pane changes. A Replace in the result pane updates the fields list.
    target->setPlainText("$x! and $y! and $X!");
    for (const auto& [focused, text] : {std::pair<QWidget*, const char*>{doc->valueTree(), "$x! and $y! and $X!"},
                                        {target, "done and $y! and done"}}) {
        focus(focused);
        dialogs.findAnswers << FindRequest{Action::Replace, "$x!", "done"};
        trigger(*w, "findAction");
        EXPECT_EQ(target->toPlainText(), text);
    }
    const QAbstractItemModel* fields = doc->fieldsList()->model();
    EXPECT_EQ(QStringList({QString::number(fields->rowCount()), fields->index(0, 0).data().toString()}), QStringList({"1", "$y!"}));
    EXPECT_EQ(doc->fieldsList()->currentIndex().row(), 0);
    dialogs.findAnswers << FindRequest{Action::Replace, "$y!", "y"};
    trigger(*w, "findAction");
    EXPECT_TRUE(fields->rowCount() == 0 && !doc->fieldsList()->currentIndex().isValid());

    SCOPED_TRACE("Backup, Copy Result and Save Result As say where they wrote; the whole result goes");
    trigger(*w, "backupAction");
    EXPECT_TRUE(w->statusText().startsWith("Data backed up to " + app.path() + "/Backup/Data_"));
    QTemporaryDir out;
    target->showResult("$a! é\nline two\n");
    selectRange(target, 0, 2); // a selection does not narrow it
    QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "$a! é\nline two\n");
    for (const auto& [crlf, bytes] : {std::pair<bool, QByteArray>{true, "$a! \xC3\xA9\r\nline two\r\n"},
                                      {false, "$a! \xC3\xA9\nline two\n"}}) {
        const QString file = out.filePath(crlf ? "crlf.txt" : "lf.txt");
        dialogs.saveFileAnswers << file;
        dialogs.confirmAnswers << crlf;
        trigger(*w, "saveResultAction");
        QFile written(file);
        EXPECT_EQ(written.open(QIODevice::ReadOnly) ? written.readAll() : "(missing)", bytes);
        EXPECT_EQ(w->statusText(), " Result saved to " + file);
    }
    dialogs.saveFileAnswers << std::nullopt << out.filePath("no/such/folder/x.txt");
    trigger(*w, "saveResultAction");
    trigger(*w, "saveResultAction");
    ASSERT_EQ(dialogs.messageTexts().filter("Cannot write").size(), 1);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 2);

    SCOPED_TRACE("Print takes the pane last worked in");
    const QString pdf = out.filePath("printed.pdf");
    source->setPlainText("template text");
    target->setPlainText("result text");
    const auto print = [&] {
        dialogs.printAnswers = {[&](QPrinter& printer) { printer.setOutputFileName(pdf); return true; }};
        dialogs.confirmAnswers = {true};
        dialogs.saveFileAnswers = {pdf}; // with no printer installed
        trigger(*w, "printAction");
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        EXPECT_TRUE(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    };
    focus(source);
    EXPECT_EQ(print(), "template text");
    EXPECT_EQ(w->statusText(), " Printed to " + pdf);
    doc->selectListTab(1);
    focus(target);
    focus(doc->valueTree());
    EXPECT_EQ(print(), "result text");

    SCOPED_TRACE("F8 shows and hides the preview; Print takes it only while it has the focus");
    doc->selectBodyTab(0);
    TemplatePreview* preview = doc->preview();
    for (const bool shown : {!preview->isShown(), preview->isShown()}) {
        QTest::keyClick(w.get(), Qt::Key_F8);
        EXPECT_EQ(preview->isShown(), shown);
    }
    preview->setShown(true);
    source->setPlainText("[(previewed|1|1)]");
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->pane()->toPlainText() == "previewed\n"; }));
    focus(preview->pane());
    EXPECT_EQ(print(), "previewed");
    focus(doc->valueTree());
    EXPECT_EQ(print(), "result text");

    SCOPED_TRACE("the find dialog's own keys win over Run's Alt+R; its close box hands over nothing");
    doc->selectBodyTab(0);
    source->setPlainText("[(a|1|n)]"); // Run would ask for n
    for (const auto& [key, wanted] : {std::pair{Qt::Key_R, Action::Replace}, {Qt::Key_F, Action::Find}, {Qt::Key_Close, Action::Closed}}) {
        FindDialog dialog(doc);
        QTimer::singleShot(0, &dialog, [&dialog, key] {
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; }));
            auto* findBox = control<QLineEdit>(dialog, "findBox");
            QTest::keyClicks(findBox, "needle");
            control<QLineEdit>(dialog, "replaceBox")->setText("pin");
            if (key == Qt::Key_Close)
                dialog.close();
            else
                QTest::keyClick(findBox, key, Qt::AltModifier);
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // never hang the suite on a lost key
        const FindRequest request = dialog.ask();
        EXPECT_EQ(request.action, wanted) << key;
        EXPECT_EQ(request.findText + "|" + request.replaceText, wanted == Action::Closed ? "|" : "needle|pin");
    }
    EXPECT_TRUE(dialogs.prompts.isEmpty()) << "Run took the key";
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0);

    SCOPED_TRACE("About closes on its timer, a key or a click, and leaves the workspace the user had");
    int closedBy = 0;
    dialogs.onShowModal = [&](QDialog& window) {
        auto& splash = static_cast<AboutBox&>(window);
        EXPECT_TRUE(splash.closeTimer()->isActive()) << "it closes on its own";
        splash.show();
        switch (closedBy++) {
        case 0: splash.closeTimer()->start(5); break;
        case 1: QTest::keyClick(&splash, Qt::Key_A); break;
        default: QTest::mouseClick(control(splash, "frame"), Qt::LeftButton); break;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 2000)) << "dismissal " << closedBy;
    };
    for (int i = 0; i < 3; ++i)
        trigger(*w, "aboutAction");
    EXPECT_EQ(dialogs.modalWindows, (QStringList{"AboutBox", "AboutBox", "AboutBox"}));
    EXPECT_EQ(w->workspaces(), QList<WorkspaceWindow*>{doc});
    EXPECT_EQ(w->activeWorkspace(), doc);

    SCOPED_TRACE("Exit with text typed under Main asks first, and staying keeps the program open");
    const qsizetype questions = dialogs.questions.size(), messages = dialogs.messages.size();
    trigger(*w, "exitAction");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->workspaces(), QList<WorkspaceWindow*>{doc});
    ASSERT_EQ(dialogs.questions.size(), questions + 1);
    EXPECT_TRUE(dialogs.questions.last().text.contains("belong to no template"));

    SCOPED_TRACE("without a workspace Print asks nothing, and About opens one again");
    const qsizetype asked = dialogs.printDialogsShown + dialogs.confirmations.size();
    dialogs.choiceAnswers = {1}; // discard
    w->mdiArea()->closeAllSubWindows();
    ASSERT_EQ(w->activeWorkspace(), nullptr);
    trigger(*w, "printAction");
    EXPECT_EQ(dialogs.printDialogsShown + dialogs.confirmations.size(), asked);
    EXPECT_EQ(dialogs.messages.size(), messages) << "asked, not only told";
    trigger(*w, "aboutAction");
    EXPECT_EQ(w->workspaces().size(), 1);
}

TEST_F(MainWindowTest, OnASmallScreenNoHintWidensTheWindowHelpFitsAndTheWorkspaceCannotBeClosedAlone)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto w = open();
    WorkspaceWindow* doc = w->activeWorkspace();
    const int width = w->width();
    const int leastWidth = w->minimumSizeHint().width();
    ASSERT_LE(leastWidth, screen.width());
    const QString longest = " Saved to " + app.path() + "/" + QString(3000, u'x');
    for (QWidget* control : {static_cast<QWidget*>(doc->fieldsList()), static_cast<QWidget*>(doc->valueTree())}) {
        doc->selectListTab(1);
        focus(control);
        QTest::qWait(1);
        EXPECT_EQ(w->width(), width) << control->objectName().toStdString();
    }
    w->setStatusText(longest);
    QTest::qWait(1);
    EXPECT_EQ(w->minimumSizeHint().width(), leastWidth) << "a hint never sets the window's least width";
    EXPECT_EQ(w->width(), width);
    EXPECT_EQ(w->statusText(), longest);
    auto* panel = control<QLabel>(*w, "statusPanel");
    EXPECT_TRUE(panel->toolTip().startsWith(longest.trimmed() + "\nData folder: ")) << "the whole hint, and the folder";
    EXPECT_LE(panel->width(), screen.width());

    // Help opens within the screen, frame and all, and takes a larger size when given one.
    {
        HelpWindow help(w.get());
        help.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
        EXPECT_TRUE(screen.contains(help.frameGeometry())) << help.width() << "x" << help.height();
        auto* page = control(help, "helpPage");
        const int pageWidth = page->width();
        const QSize smaller = help.size() - QSize(100, 100);
        help.resize(smaller);
        QTest::qWait(1);
        EXPECT_EQ(help.size(), smaller);
        EXPECT_EQ(page->width(), pageWidth - 100) << "resizable, the page taking the change";
    }

    // The workspace shows no close, minimise or restore of its own, and its shortcuts do nothing.
    for (const Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner}) {
        const QWidget* buttons = w->menuBar()->cornerWidget(corner);
        EXPECT_TRUE(!buttons || !buttons->isVisible()) << "the menu bar's corner " << corner;
    }
    QMdiSubWindow* frame = w->mdiArea()->subWindowList().value(0);
    ASSERT_TRUE(frame);
    const QList<QAction*> systemMenu = frame->systemMenu() ? frame->systemMenu()->actions() : QList<QAction*>{};
    EXPECT_TRUE(std::none_of(systemMenu.begin(), systemMenu.end(), [](QAction* a) { return a->isVisible() && !a->isSeparator(); }));
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_F4, Qt::CTRL | Qt::Key_W, Qt::ALT | Qt::Key_Minus})
        QTest::keyClick(doc->templatePane(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(w->workspaces(), QList<WorkspaceWindow*>{doc});
    EXPECT_TRUE(frame->isMaximized());
}

} // namespace

TEST(WindowSettings, ReadBackWhatWasWrittenFallBackOnWhatIsUnusableAndFitTheFrameOntoAScreen)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
    settings.setValue("Settings/Other", "1");
    EXPECT_FALSE(HasWindowSettings(settings)) << "the first start is the one without the keys";
    for (const auto& [key, text] : {std::pair{"MainLeft", "-300"}, {"MainTop", "twelve"}, {"MainWidth", "0"}, {"MainHeight", "nan"}})
        settings.setValue(QString("Settings/") + key, text);
    EXPECT_TRUE(HasWindowSettings(settings));
    EXPECT_EQ(ReadWindowSettings(settings), (MainWindowPlacement{-300, 1000, 6500, 6500}));

    for (const auto& [value, text] : {std::pair{15000.0f, "15000"}, {1000.5f, "1000.5"}, {0.1f, "0.1"}})
        EXPECT_EQ(SettingText(value), text);
    const MainWindowPlacement placed{-15, 300, 14400.5f, 9000};
    WriteWindowSettings(settings, placed);
    EXPECT_EQ(ReadWindowSettings(settings), placed);

    // A frame stays wholly on the area it mostly lies on, and the first start is centred.
    const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 700)};
    const struct { QRect frame, fitted; } cases[] = {
        {{1200, 700, 600, 400}, {680, 400, 600, 400}},  // hanging off the corner
        {{1500, 100, 1200, 800}, {1280, 0, 1024, 700}}, // closed on a bigger screen
        {{1300, 100, 400, 300}, {1300, 100, 400, 300}}, // already inside the second screen
        {{5000, -3000, 400, 300}, {880, 0, 400, 300}},  // on no screen: the first one
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitOntoScreen(c.frame, screens), c.fitted) << c.frame.x() << "," << c.frame.y();
    EXPECT_EQ(FitOntoScreen(QRect(1, 2, 3, 4), {}), QRect(1, 2, 3, 4));
    // The client area is placed so that the window manager's frame lands where it was stored.
    const QMargins titleBar(1, 20, 1, 5);
    const struct { QRect frame; QSize least; QRect client; } frames[] = {
        {{80, 60, 642, 505}, {300, 200}, {81, 80, 640, 480}},   // as closed
        {{0, 0, 640, 480}, {700, 500}, {1, 20, 700, 500}},      // grown to the least size
        {{1000, 700, 2000, 2000}, {300, 200}, {1, 20, 1278, 775}}, // bigger than the screen
    };
    for (const auto& f : frames)
        EXPECT_EQ(ClientAreaForFrame(f.frame, titleBar, f.least, screens), f.client) << f.frame.x() << "," << f.frame.y();
    EXPECT_EQ(FitWithinArea(QSize(932, 638), titleBar, QRect(0, 0, 800, 600)), QSize(798, 575));
    EXPECT_EQ(FirstStartFrame(QRect(1280, 30, 1000, 700)), QRect(1380, 100, 800, 560));
}

TEST(PaneCommands, ReplaceKeepsFormattingAndEditLeavesReadOnlyOrMissingPanesAlone)
{
    QTextEdit pane;
    FindState state;
    pane.setPlainText("a-a");
    FindOrReplace(state, {Action::Replace, "a", "aa"}, &pane);
    ASSERT_EQ(pane.toPlainText(), "aa-aa");
    FindOrReplace(state, FindRequest{}, &pane);
    EXPECT_EQ(pane.toPlainText(), "aa-aa") << "a cancelled dialog must not replace again";
    FindOrReplace(state, {Action::Find, "x", {}}, nullptr);
    EXPECT_EQ(state.findText, "x") << "without a pane the texts are still kept";

    // Every occurrence, in one undo step.
    pane.setPlainText("xAbyab abab");
    FindOrReplace(state, {Action::Replace, "ab", ""}, &pane);
    FindOrReplace(state, {Action::Replace, "", "z"}, &pane);
    EXPECT_EQ(pane.toPlainText(), "xy ");
    pane.setHtml("red <span style='color:#ff0000'>$F!</span> red");
    FindOrReplace(state, {Action::Replace, "red", "blue"}, &pane);
    EXPECT_EQ(pane.toPlainText(), "blue $F! blue");
    EXPECT_EQ(pane.document()->find("$F!").charFormat().foreground().color(), QColor(Qt::red));
    pane.undo();
    EXPECT_EQ(pane.toPlainText(), "red $F! red");

    pane.setPlainText("one two three");
    selectRange(&pane, 3, 7);
    EditCut(&pane);
    pane.setReadOnly(true);
    selectRange(&pane, 0, 3);
    for (auto command : {EditCut, EditPaste, EditClear, EditUndo, EditCopy})
        command(&pane);
    EXPECT_EQ(pane.toPlainText(), "one three");
    EXPECT_EQ(QApplication::clipboard()->text(), "one");
    for (auto command : {EditCut, EditCopy, EditPaste, EditUndo, EditRedo, EditClear})
        command(nullptr);
}
