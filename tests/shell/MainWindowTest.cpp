#include "DataBackup.h"
#include "FieldsList.h"
#include "FindCommands.h"
#include "FindDialog.h"
#include "ResultView.h"
#include "WindowSettings.h"
#include "WorkspaceTestSupport.h"
#include "MainWindow.h"
#include "AboutBox.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QSplitter>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

class MainWindowTest : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        // Never the user's own settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        app.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3"}));
    }

    static QSettings stored() { return QSettings(QSettings::UserScope, "Vellumatic", "Vellumatic"); }

    std::unique_ptr<MainWindow> open()
    {
        auto window = std::make_unique<MainWindow>(app.dataPath());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(1);
        return window;
    }

    static QAction* action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QLatin1String(name)); }

    static qreal screenDpi() { return QGuiApplication::primaryScreen()->logicalDotsPerInchX(); }
    static int px(float twips) { return qRound(twips * float(screenDpi()) / 1440.0f); }

    QTemporaryDir settingsDir;
};

TEST_F(MainWindowTest, HiddenMenuItemsCannotBeReachedByTheirShortcuts)
{
    auto w = open();
    QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w->workspaces().size(), 1);
}

TEST_F(MainWindowTest, OpensOneMaximisedWorkspaceAndShowsItsHints)
{
    auto w = open();
    ASSERT_EQ(w->workspaces().size(), 1);
    WorkspaceWindow* doc = w->activeWorkspace();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(w->mdiArea()->subWindowList().first()->isMaximized());
    EXPECT_EQ(doc->valueTree()->topLevelItem(0)->child(0)->text(0), "Orders");

    // Until the first hint, panel 1 names the data folder open; its tooltip keeps naming it.
    EXPECT_EQ(w->statusText(), app.dataPath());
    EXPECT_TRUE(control<QLabel>(*w, "statusPanel")->toolTip().endsWith(app.dataPath()));
    EXPECT_FALSE(w->windowIcon().pixmap(48).isNull()) << "the program's own icon";
    EXPECT_FALSE(control<QLabel>(*w, "datePanel")->text().isEmpty()) << "the date";
    EXPECT_FALSE(control<QLabel>(*w, "timePanel")->text().isEmpty()) << "the time";

    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    doc->templateTree()->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->statusText(), " Active Control: Templates List");
    w->findChild<QWidget*>("addTemplateButton")->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->statusText(), "");

    QAction* statusBar = action(*w, "statusBarAction");
    EXPECT_TRUE(statusBar->isChecked());
    statusBar->trigger();
    EXPECT_FALSE(statusBar->isChecked());
    EXPECT_FALSE(w->statusBarWidget()->isVisible());
    statusBar->trigger();
    EXPECT_TRUE(statusBar->isChecked());
    EXPECT_TRUE(w->statusBarWidget()->isVisible());
}

TEST_F(MainWindowTest, PlacementStartsCentredAndIsKeptUnlessMinimised)
{
    auto twips = [&](int pixels) { return QString::number(qRound(pixels * 1440.0 / screenDpi())); };
    QRect frame;
    {
        auto w = open();
        const QRect screen = w->screen()->availableGeometry();
        EXPECT_EQ(w->frameGeometry(), FirstStartFrame(screen));
        EXPECT_NEAR(w->frameGeometry().width(), screen.width() * 0.8, 1);
        EXPECT_EQ(w->frameGeometry().center(), screen.center());
        w->setGeometry(QRect(px(1500), px(1200), px(9000), px(7500)));
        frame = w->frameGeometry();
        action(*w, "exitAction")->trigger();
        EXPECT_FALSE(w->isVisible());
    }
    QSettings s = stored();
    EXPECT_EQ(s.value("Settings/MainLeft").toString(), twips(frame.left()));
    EXPECT_EQ(s.value("Settings/MainTop").toString(), twips(frame.top()));
    EXPECT_EQ(s.value("Settings/MainWidth").toString(), twips(frame.width()));
    EXPECT_EQ(s.value("Settings/MainHeight").toString(), twips(frame.height()));
    {
        auto w = open();
        EXPECT_EQ(w->frameGeometry(), frame) << "the outer size comes back, not the inner one";
        w->setGeometry(QRect(px(100), px(100), px(3000), px(3000)));
        w->showMinimized();
        w->close();
    }
    EXPECT_EQ(stored().value("Settings/MainWidth").toString(), twips(frame.width())) << "nothing saved while minimised";
    {
        auto w = open();
        w->showMaximized();
        QTest::qWait(10);
        const QRect maximised = w->frameGeometry();
        w->close();
        EXPECT_EQ(stored().value("Settings/MainWidth").toString(), twips(maximised.width()));
    }
    auto w = open();
    EXPECT_FALSE(w->isMaximized()) << "the next start opens a normal window";
}

TEST_F(MainWindowTest, UnusableOrOffScreenSettingsStillShowTheWindow)
{
    QSettings s = stored();
    s.setValue("Settings/MainLeft", "900000");
    s.setValue("Settings/MainTop", "-900000");
    s.setValue("Settings/MainWidth", "wide");
    s.sync();
    auto w = open();
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->frameGeometry()));
    EXPECT_GE(w->frameGeometry().width(), px(6500)) << "the stored width, or the least the workspace needs";
    w->close();

    // Closed on a larger screen: size and place are fitted, so Run and the status bar show.
    s.setValue("Settings/MainLeft", QString::number(screen.width() * 15 / 2));
    s.setValue("Settings/MainTop", "0");
    s.setValue("Settings/MainWidth", QString::number(screen.width() * 15 * 3 / 2));
    s.setValue("Settings/MainHeight", QString::number(screen.height() * 15 * 3 / 2));
    s.sync();
    auto again = open();
    EXPECT_EQ(again->frameGeometry(), screen);
}

TEST_F(MainWindowTest, NothingOverlapsOrIsCutFrom640x480Up)
{
    const char* names[] = {"catalogueTabs", "templateFilter", "templateNameBox", "addTemplateButton", "removeTemplateButton",
                           "templateTree", "valueFilter", "valueNameBox", "addValueButton", "removeValueButton", "importButton",
                           "valueTree", "fieldsList", "paneTabs", "compactStyle", "runButton", "templatePane", "resultPane"};
    auto w = open();
    WorkspaceWindow* doc = w->activeWorkspace();
    doc->templateTree()->topLevelItem(0)->setText(0, QString(200, u'W')); // a name longer than any column
    for (const QSize size : {QSize(640, 480), QSize(1024, 700), QSize(700, 1000)}) {
        w->resize(size);
        for (int tab : {0, 1}) {
            doc->selectListTab(tab);
            QTest::qWait(1);
            const QRect area(w->mdiArea()->viewport()->mapTo(w.get(), QPoint(0, 0)), w->mdiArea()->viewport()->size());
            QList<std::pair<QString, QRect>> shown;
            for (const char* name : names) {
                auto* c = control(*doc, name);
                if (!c->isVisible())
                    continue;
                const QRect r(c->mapTo(w.get(), QPoint(0, 0)), c->size());
                EXPECT_TRUE(area.contains(r)) << name << " cut at " << size.width() << "x" << size.height();
                // Buttons, the check box and the tab strips show their whole captions.
                if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QTabBar*>(c)) {
                    EXPECT_GE(c->width(), c->sizeHint().width()) << name << " at " << size.width();
                }
                for (const auto& [other, rect] : shown)
                    EXPECT_FALSE(r.intersects(rect)) << name << " overlaps " << other.toStdString() << " at "
                                                     << size.width() << "x" << size.height();
                shown.append({QString::fromLatin1(name), r});
            }
            EXPECT_GE(shown.size(), 9);
        }
        // A short line of a template stays one line: the panes wrap at their own width only.
        doc->templatePane()->setPlainText("int count = 1; // short");
        QTest::qWait(1);
        EXPECT_EQ(doc->templatePane()->document()->firstBlock().layout()->lineCount(), 1) << size.width();
    }
}

TEST_F(MainWindowTest, AboutClosesOnItsTimerAKeyOrAClickAndReturnsToTheSameWorkspace)
{
    auto w = open();
    WorkspaceWindow* first = w->activeWorkspace();
    int closedBy = 0;
    dialogs.onShowModal = [&](QDialog& window) {
        auto& splash = static_cast<AboutBox&>(window);
        EXPECT_EQ(splash.closeTimer()->interval(), 10000);
        EXPECT_TRUE(splash.closeTimer()->isActive());
        splash.show();
        switch (closedBy++) {
        case 0: splash.closeTimer()->setInterval(5); splash.closeTimer()->start(); break;
        case 1: QTest::keyClick(&splash, Qt::Key_A); break;
        default: QTest::mouseClick(splash.findChild<QWidget*>("frame"), Qt::LeftButton); break;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 2000)) << "dismissal " << closedBy;
    };
    for (int i = 0; i < 3; ++i)
        action(*w, "aboutAction")->trigger();
    EXPECT_EQ(dialogs.modalWindows, (QStringList{"AboutBox", "AboutBox", "AboutBox"}));
    EXPECT_EQ(w->workspaces().size(), 1);
    EXPECT_EQ(w->activeWorkspace(), first);

    // With every workspace closed, dismissing the About window opens one again.
    w->mdiArea()->closeAllSubWindows();
    QTest::qWait(1);
    action(*w, "aboutAction")->trigger();
    EXPECT_EQ(w->workspaces().size(), 1);
}

// Puts the focus on a control of the workspace as the user would, in an active window.
void focus(QWidget* control)
{
    control->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
}

TEST_F(MainWindowTest, EditCommandsActOnTheLastFocusedPaneOfTheActiveWorkspace)
{
    auto w = open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    WorkspaceWindow* doc = w->activeWorkspace();
    QTextEdit* source = doc->templatePane();
    ResultView* target = doc->resultPane();
    source->setPlainText("alpha beta");
    focus(source);
    selectRange(source, 6, 10);

    // The focus leaving the workspace, as for a dialog, leaves the pane the one the commands act on.
    auto* outside = new QLineEdit(w->statusBarWidget());
    outside->show();
    focus(outside);
    action(*w, "cutAction")->trigger();
    EXPECT_EQ(source->toPlainText(), "alpha ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "beta");
    action(*w, "undoAction")->trigger();
    EXPECT_EQ(source->toPlainText(), "alpha beta");
    action(*w, "redoAction")->trigger();
    EXPECT_EQ(source->toPlainText(), "alpha ");

    // Another control focused: no pane, no effect.
    focus(doc->valueTree());
    action(*w, "pasteAction")->trigger();
    EXPECT_EQ(source->toPlainText(), "alpha ");

    doc->selectBodyTab(1);
    target->setPlainText("one two");
    focus(target);
    selectRange(target, 0, 4);
    action(*w, "clearAction")->trigger();
    EXPECT_EQ(target->toPlainText(), "two");
    action(*w, "pasteAction")->trigger();
    EXPECT_EQ(target->toPlainText(), "betatwo");
    EXPECT_EQ(source->toPlainText(), "alpha ") << "the template pane is left alone";
}

TEST_F(MainWindowTest, FindAndFindNextSearchTheFocusedPaneAndReplaceRewritesIt)
{
    ProgramFindState() = FindState{};
    auto w = open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    WorkspaceWindow* doc = w->activeWorkspace();
    doc->templatePane()->setPlainText("ABcab");
    focus(doc->templatePane());

    dialogs.findAnswers << FindRequest{FindRequest::Action::Find, "ab", ""};
    action(*w, "findAction")->trigger();
    EXPECT_EQ(ProgramFindState().foundAt, 0) << "a match at the first character counts";
    EXPECT_EQ(doc->templatePane()->textCursor().selectedText(), "AB");
    QTest::keyClick(w.get(), Qt::Key_F3);
    EXPECT_EQ(ProgramFindState().foundAt, 3);

    // Replace reads and writes the result pane when that has the focus.
    doc->selectBodyTab(1);
    doc->resultPane()->setPlainText("Aaa");
    focus(doc->resultPane());
    dialogs.findAnswers << FindRequest{FindRequest::Action::Replace, "a", "b"};
    action(*w, "findAction")->trigger();
    EXPECT_EQ(doc->resultPane()->toPlainText(), "bbb");
    EXPECT_EQ(doc->templatePane()->toPlainText(), "ABcab");

    // With a tree focused the dialog still takes the texts, but no pane changes.
    focus(doc->valueTree());
    dialogs.findAnswers << FindRequest{FindRequest::Action::Replace, "b", "c"};
    action(*w, "findAction")->trigger();
    EXPECT_EQ(dialogs.findDialogsShown, 3);
    EXPECT_EQ(doc->resultPane()->toPlainText(), "bbb");

    // A Replace in the result pane leaves the fields list listing what the pane now holds.
    doc->resultPane()->setPlainText("$x! and $y! and $X!");
    focus(doc->resultPane());
    dialogs.findAnswers << FindRequest{FindRequest::Action::Replace, "$x!", "done"};
    action(*w, "findAction")->trigger();
    const QAbstractItemModel* fields = doc->fieldsList()->model();
    ASSERT_EQ(fields->rowCount(), 1);
    EXPECT_EQ(fields->index(0, 0).data().toString(), "$y!");
    EXPECT_EQ(doc->fieldsList()->currentIndex().row(), 0);
}

TEST_F(MainWindowTest, TheFindDialogsOwnMnemonicsWinOverTheWorkspaceWhileItIsUp)
{
    auto w = open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    WorkspaceWindow* doc = w->activeWorkspace();
    doc->templatePane()->setPlainText("[(a|1|n)]"); // Run would ask for n
    for (const auto& [key, wanted] : {std::pair{Qt::Key_R, FindRequest::Action::Replace},
                                      std::pair{Qt::Key_F, FindRequest::Action::Find}}) {
        FindDialog dialog(doc);
        QTimer::singleShot(0, &dialog, [&dialog, key] {
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; }));
            auto* findBox = control<QLineEdit>(dialog, "findBox");
            QTest::keyClicks(findBox, "needle");
            QTest::keyClick(findBox, key, Qt::AltModifier);
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // never hang the suite on a lost key
        const FindRequest request = dialog.ask();
        EXPECT_EQ(request.action, wanted) << key;
        EXPECT_EQ(request.findText, "needle");
    }
    EXPECT_TRUE(dialogs.prompts.isEmpty()) << "Run took the key";
    EXPECT_EQ(doc->paneTabs()->currentIndex(), 0);
}

TEST_F(MainWindowTest, BackupCopiesTheDataFolderIntoTheProgramFolderAndSaysWhatHappened)
{
    auto w = open();
    const QDate before = QDate::currentDate();
    action(*w, "backupAction")->trigger();
    QString folder = DatedBackupFolder(app.dataPath(), before);
    if (!QDir(folder).exists()) // midnight passed during the backup
        folder = DatedBackupFolder(app.dataPath(), QDate::currentDate());
    EXPECT_TRUE(folder.startsWith(app.path() + "/Backup/Data_"));
    QFile copy(folder + "/Values.app");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), app.readDataFile("Values.app"));
    EXPECT_TRUE(w->statusText().contains(QDir::toNativeSeparators(folder)));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, PrintPrintsThePaneLastWorkedInAndNamesThePdfFile)
{
    QTemporaryDir out;
    const QString pdf = out.filePath("printed.pdf");
    auto w = open();
    WorkspaceWindow* doc = w->activeWorkspace();
    doc->templatePane()->setPlainText("template text");
    doc->resultPane()->setPlainText("result text");
    // Whether printers are installed or not, the pages end up in the PDF file.
    const auto toPdf = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    dialogs.printAnswers << toPdf;
    dialogs.confirmAnswers << true;
    dialogs.saveFileAnswers << pdf;
    action(*w, "printAction")->trigger();

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
    EXPECT_EQ(QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified(), "template text");
    EXPECT_EQ(w->statusText(), " Printed to " + QDir::toNativeSeparators(pdf));

    // The result pane, once the user has worked in it, even with the focus gone elsewhere since.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    doc->selectListTab(1);
    doc->resultPane()->setFocus(Qt::MouseFocusReason);
    doc->valueTree()->setFocus(Qt::MouseFocusReason);
    dialogs.printAnswers = {toPdf};
    dialogs.confirmAnswers = {true};
    dialogs.saveFileAnswers = {pdf};
    action(*w, "printAction")->trigger();
    pdftotext.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
    EXPECT_EQ(QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified(), "result text");

    // Without a workspace there is nothing to print and nothing is asked.
    const int asked = dialogs.printDialogsShown + int(dialogs.confirmations.size());
    w->mdiArea()->closeAllSubWindows();
    ASSERT_EQ(w->activeWorkspace(), nullptr);
    action(*w, "printAction")->trigger();
    EXPECT_EQ(dialogs.printDialogsShown + int(dialogs.confirmations.size()), asked);
}

} // namespace

TEST_F(MainWindowTest, TheWholeResultGoesToTheClipboardOrToAFileWithTheLineEndsChosen)
{
    QTemporaryDir out;
    auto w = open();
    WorkspaceWindow* doc = w->activeWorkspace();
    doc->resultPane()->showResult("$a! é\nline two\n");
    selectRange(doc->resultPane(), 0, 2); // a selection does not narrow it
    focus(doc->valueTree());
    QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "$a! é\nline two\n");

    struct Case
    {
        bool crlf;
        QByteArray bytes;
    };
    for (const Case& c : {Case{true, "$a! \xC3\xA9\r\nline two\r\n"}, Case{false, "$a! \xC3\xA9\nline two\n"}}) {
        const QString file = out.filePath(c.crlf ? "crlf.txt" : "lf.txt");
        dialogs.saveFileAnswers << file;
        dialogs.confirmAnswers << c.crlf;
        action(*w, "saveResultAction")->trigger();
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), c.bytes);
        EXPECT_TRUE(w->statusText().contains(file));
    }
    // Cancel writes nothing; a file that cannot be written says so.
    dialogs.saveFileAnswers << std::nullopt << out.filePath("no/such/folder/x.txt");
    dialogs.confirmAnswers << false;
    action(*w, "saveResultAction")->trigger();
    action(*w, "saveResultAction")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Cannot write"));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 2);
}
