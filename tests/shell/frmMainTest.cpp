#include "CatalogueFiles.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "frmDocument.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

// Answers the program's own modal windows: records them and lets the test act on them.
class ModalWindows : public ScriptedDialogs
{
public:
    void showModal(QDialog& window) override
    {
        shown << window.objectName();
        if (onShow)
            onShow(window);
    }
    QStringList shown;
    std::function<void(QDialog&)> onShow;
};

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Never the user's own settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        app.writeDataFile("Tempalates.app", CatalogueFile({}));
        app.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3"}));
    }

    static QSettings stored() { return QSettings(QSettings::UserScope, "Vellumatic", "Vellumatic"); }

    std::unique_ptr<frmMain> open()
    {
        auto window = std::make_unique<frmMain>(app.path());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(1);
        return window;
    }

    static QAction* action(frmMain& w, const char* name) { return w.findChild<QAction*>(QLatin1String(name)); }

    static qreal screenDpi() { return QGuiApplication::primaryScreen()->logicalDotsPerInchX(); }
    int px(float twips) const { return qRound(twips * float(QGuiApplication::primaryScreen()->logicalDotsPerInchX()) / 1440.0f); }

    QTemporaryDir settingsDir;
    TempAppFolder app;
    ModalWindows dialogs;
};

TEST_F(MainWindowTest, MenusCarryTheirNamesCaptionsShortcutsAndVisibility)
{
    auto w = open();
    EXPECT_TRUE(w->windowTitle().startsWith("Vellumatic")) << "the maximised workspace adds its own caption";
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->objectName() + "=" + a->text();
    EXPECT_EQ(menus, (QStringList{"mnuFile=File", "mnuEdit=Edit", "mnuView=View", "mnuHelp=Help"}));

    auto items = [&](const char* menu) {
        QStringList out;
        for (QAction* a : w->findChild<QMenu*>(QLatin1String(menu))->actions())
            out << QString("%1=%2|%3|%4")
                       .arg(a->objectName(), a->isSeparator() ? "-" : a->text(),
                            a->shortcut().toString(QKeySequence::PortableText), a->isVisible() ? "shown" : "hidden");
        return out;
    };
    EXPECT_EQ(items("mnuFile"), (QStringList{"mnuFileNew=New|Ctrl+N|hidden", "mnuFileClose=Close|Ctrl+O|hidden",
                                             "mnuFileBar0=-||hidden", "mnuFileBackup=Backup|Ctrl+B|shown",
                                             "mnuFilePrint=Print|Ctrl+P|shown", "mnuFileBar3=-||shown",
                                             "mnuFileExit=Exit|Ctrl+E|shown"}));
    EXPECT_EQ(items("mnuEdit"),
              (QStringList{"mnuEditUndo=Undo|Ctrl+Z|shown", "mnuEditRedo=Redo|Ctrl+Y|shown", "mnuEditBar0=-||shown",
                           "mnuEditCut=Cut|Ctrl+X|shown", "mnuEditCopy=Copy|Ctrl+C|shown",
                           "mnuEditPaste=Paste|Ctrl+V|shown", "mnuEditClear=Clear|Ctrl+L|shown",
                           "mnuEditBar1=-||shown", "mnuEditFind=Find|Ctrl+F|shown",
                           "mnuEditFindNext=Find Next|F3|shown"}));
    EXPECT_EQ(items("mnuView"), QStringList{"mnuViewStatusBar=StatusBar||shown"});
    EXPECT_EQ(items("mnuHelp"), (QStringList{"mnuHelpContents=Contants||shown", "mnuHelpBar0=-||shown",
                                             "mnuHelpAbout=About||shown"}));

    // Hidden items cannot be reached by their shortcuts either.
    QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w->workspaces().size(), 1);
}

TEST_F(MainWindowTest, OpensOneMaximisedWorkspaceAndShowsItsHints)
{
    auto w = open();
    ASSERT_EQ(w->workspaces().size(), 1);
    frmDocument* doc = w->activeWorkspace();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(w->mdiArea()->subWindowList().first()->isMaximized());
    EXPECT_EQ(doc->tvValues()->topLevelItem(0)->child(0)->text(0), "Orders");

    EXPECT_EQ(w->sbStatusBar()->objectName(), "sbStatusBar");
    EXPECT_EQ(w->statusText(), "Status");
    auto* date = w->findChild<QLabel*>("sbStatusBarPanel2");
    auto* time = w->findChild<QLabel*>("sbStatusBarPanel3");
    ASSERT_TRUE(date && time);
    EXPECT_FALSE(date->text().isEmpty());
    EXPECT_FALSE(time->text().isEmpty());
    EXPECT_EQ(date->width(), px(1440));

    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    doc->tvTempalates()->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->statusText(), " Active Control: Tempalates List");
    w->findChild<QWidget*>("cmdAddTempalate")->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->statusText(), "");

    QAction* statusBar = action(*w, "mnuViewStatusBar");
    EXPECT_TRUE(statusBar->isChecked());
    statusBar->trigger();
    EXPECT_FALSE(statusBar->isChecked());
    EXPECT_FALSE(w->sbStatusBar()->isVisible());
    statusBar->trigger();
    EXPECT_TRUE(statusBar->isChecked());
    EXPECT_TRUE(w->sbStatusBar()->isVisible());
}

TEST_F(MainWindowTest, PlacementStartsFromDefaultsAndIsKeptUnlessMinimised)
{
    auto twips = [&](int pixels) { return QString::number(qRound(pixels * 1440.0 / screenDpi())); };
    QRect frame;
    {
        auto w = open();
        EXPECT_EQ(w->frameGeometry(), QRect(px(1000), px(1000), px(6500), px(6500)));
        w->setGeometry(QRect(px(1500), px(1200), px(9000), px(7500)));
        frame = w->frameGeometry();
        action(*w, "mnuFileExit")->trigger();
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
    EXPECT_TRUE(screen.intersects(w->frameGeometry()));
    EXPECT_EQ(w->frameGeometry().width(), px(6500));
}

TEST_F(MainWindowTest, AboutClosesOnItsTimerAKeyOrAClickAndReturnsToTheSameWorkspace)
{
    auto w = open();
    frmDocument* first = w->activeWorkspace();
    int closedBy = 0;
    dialogs.onShow = [&](QDialog& window) {
        auto& splash = static_cast<frmSplash&>(window);
        EXPECT_EQ(splash.Timer1()->interval(), 10000);
        EXPECT_TRUE(splash.Timer1()->isActive());
        EXPECT_EQ(splash.findChild<QLabel*>("lblProductName")->text(), "Vellumatic");
        EXPECT_EQ(splash.findChild<QLabel*>("lblVersion")->text(), "Version 1.0");
        splash.show();
        switch (closedBy++) {
        case 0: splash.Timer1()->setInterval(5); splash.Timer1()->start(); break;
        case 1: QTest::keyClick(&splash, Qt::Key_A); break;
        default: QTest::mouseClick(splash.findChild<QWidget*>("Frame1"), Qt::LeftButton); break;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 2000)) << "dismissal " << closedBy;
    };
    for (int i = 0; i < 3; ++i)
        action(*w, "mnuHelpAbout")->trigger();
    EXPECT_EQ(dialogs.shown, (QStringList{"frmSplash", "frmSplash", "frmSplash"}));
    EXPECT_EQ(w->workspaces().size(), 1);
    EXPECT_EQ(w->activeWorkspace(), first);

    // With every workspace closed, dismissing the About window opens one again.
    w->mdiArea()->closeAllSubWindows();
    QTest::qWait(1);
    action(*w, "mnuHelpAbout")->trigger();
    EXPECT_EQ(w->workspaces().size(), 1);
}

TEST_F(MainWindowTest, HelpShowsItsPageInAFixedWindow)
{
    auto w = open();
    dialogs.onShow = [&](QDialog& help) {
        EXPECT_EQ(help.windowTitle(), "      Vellumatic Help ");
        EXPECT_EQ(help.size(), QSize(px(13980), px(9570)));
        const QString page = help.findChild<QWidget*>("picHelp")->property("plainText").toString();
        EXPECT_TRUE(page.contains("[($Field!|1|n)(,|1|n-1)]"));
        EXPECT_TRUE(page.contains("$Field0001!,$Field0002!,$Field0003!"));
    };
    action(*w, "mnuHelpContents")->trigger();
    EXPECT_EQ(dialogs.shown, QStringList{"frmHelp"});
}

} // namespace
