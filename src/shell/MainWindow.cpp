#include "MainWindow.h"

#include "AboutBox.h"
#include "DataBackup.h"
#include "DataFolder.h"
#include "Dialogs.h"
#include "EditCommands.h"
#include "FindCommands.h"
#include "HelpWindow.h"
#include "PrintCommand.h"
#include "ProgramIcon.h"
#include "RecentDataFolders.h"
#include "ResultDocument.h"
#include "ResultOut.h"
#include "ResultView.h"
#include "TemplatePreview.h"
#include "StatusPanel.h"
#include "Twips.h"
#include "WindowSettings.h"
#include "WorkspaceSettings.h"
#include "WorkspaceWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>

namespace {

qreal screenDpiX(const QWidget* w)
{
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}

qreal screenDpiY(const QWidget* w)
{
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchY() : 96.0;
}

// The screens' available areas, the primary screen's first.
QList<QRect> availableAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (const QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            areas << s->availableGeometry();
    return areas;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    return m;
}

QAction* item(QMenu* m, const char* name, const QString& caption, const QKeySequence& shortcut = {},
              bool shown = true)
{
    QAction* a = m->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(shortcut);
    a->setVisible(shown); // a hidden item's shortcut does not fire either
    return a;
}

QAction* separator(QMenu* m, const char* name, bool shown = true)
{
    QAction* a = m->addSeparator();
    a->setObjectName(QLatin1String(name));
    a->setVisible(shown);
    return a;
}

} // namespace

MainWindow::MainWindow(const QString& dataFolder, QWidget* parent)
    : QMainWindow(parent)
    , dataFolder_(dataFolder)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Vellumatic"));
    setWindowIcon(ProgramIcon());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea_);
    buildMenus();
    buildStatusBar();
    restoreWindow();
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = menu(bar, "fileMenu", QStringLiteral("File"));
    connect(item(file, "newAction", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), false),
            &QAction::triggered, this, &MainWindow::OpenNewWorkspace);
    connect(item(file, "closeAction", QStringLiteral("Close"), QKeySequence(Qt::CTRL | Qt::Key_O), false),
            &QAction::triggered, this, &MainWindow::closeWorkspace);
    separator(file, "windowSeparator", false);
    connect(item(file, "openDataFolderAction", QStringLiteral("Open Data Folder...")), &QAction::triggered, this,
            &MainWindow::chooseDataFolder);
    recentFolders_ = file->addMenu(QStringLiteral("Recent Data Folders"));
    recentFolders_->setObjectName(QStringLiteral("recentFoldersMenu"));
    // Read when opened: the start does not wait for the settings file.
    connect(recentFolders_, &QMenu::aboutToShow, this, &MainWindow::refreshRecentFolders);
    separator(file, "dataFolderSeparator");
    connect(item(file, "backupAction", QStringLiteral("Backup"), QKeySequence(Qt::CTRL | Qt::Key_B)),
            &QAction::triggered, this, &MainWindow::backUpData);
    connect(item(file, "printAction", QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &MainWindow::printPane);
    connect(item(file, "saveResultAction", QStringLiteral("Save Result As...")), &QAction::triggered, this,
            &MainWindow::saveResultAs);
    separator(file, "exitSeparator");
    connect(item(file, "exitAction", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menu(bar, "editMenu", QStringLiteral("Edit"));
    auto paneCommand = [this](QAction* a, void (*command)(TextPane)) {
        connect(a, &QAction::triggered, this, [this, command] { onFocusedPane(command); });
    };
    paneCommand(item(edit, "undoAction", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)), EditUndo);
    paneCommand(item(edit, "redoAction", QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y)), EditRedo);
    separator(edit, "clipboardSeparator");
    paneCommand(item(edit, "cutAction", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X)), EditCut);
    paneCommand(item(edit, "copyAction", QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)), EditCopy);
    paneCommand(item(edit, "pasteAction", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)), EditPaste);
    paneCommand(item(edit, "clearAction", QStringLiteral("Clear"), QKeySequence(Qt::CTRL | Qt::Key_L)), EditClear);
    connect(item(edit, "copyResultAction", QStringLiteral("Copy Result"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, &MainWindow::copyResult);
    separator(edit, "findSeparator");
    connect(item(edit, "findAction", QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, &MainWindow::showFind);
    connect(item(edit, "findNextAction", QStringLiteral("Find Next"), QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, &MainWindow::findNext);
    separator(edit, "renameSeparator");
    // F2 itself belongs to the trees, which rename their own selected item.
    connect(item(edit, "renameItemAction", QStringLiteral("Rename Item")), &QAction::triggered, this, [this] {
        if (WorkspaceWindow* document = activeWorkspace())
            document->renameSelected();
    });

    QAction* fillRows = item(edit, "fillRowsAction", QStringLiteral("Fill Rows..."));
    fillRows->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)});
    connect(fillRows, &QAction::triggered, this, [this] {
        if (WorkspaceWindow* document = activeWorkspace())
            document->fillRows();
    });

    QMenu* view = menu(bar, "viewMenu", QStringLiteral("View"));
    QAction* statusBarItem = item(view, "statusBarAction", QStringLiteral("StatusBar"));
    statusBarItem->setCheckable(true);
    statusBarItem->setChecked(true);
    connect(statusBarItem, &QAction::triggered, this, &MainWindow::showStatusBar);
    QAction* previewItem = item(view, "previewAction", QStringLiteral("Preview"), QKeySequence(Qt::Key_F8));
    previewItem->setCheckable(true);
    connect(previewItem, &QAction::triggered, this, [this, previewItem] {
        WorkspaceWindow* document = activeWorkspace();
        if (document)
            document->preview()->setShown(!document->preview()->isShown());
        previewItem->setChecked(document && document->preview()->isShown());
    });
    // The tick follows the workspace in front.
    connect(view, &QMenu::aboutToShow, this, [this, previewItem] {
        WorkspaceWindow* document = activeWorkspace();
        previewItem->setChecked(document && document->preview()->isShown());
    });

    QMenu* help = menu(bar, "helpMenu", QStringLiteral("Help"));
    connect(item(help, "helpContentsAction", QStringLiteral("Contents")), &QAction::triggered, this,
            &MainWindow::showHelp);
    separator(help, "aboutSeparator");
    connect(item(help, "aboutAction", QStringLiteral("About")), &QAction::triggered, this,
            &MainWindow::showAbout);
}

void MainWindow::buildStatusBar()
{
    statusBarWidget_ = new QStatusBar(this);
    statusBarWidget_->setObjectName(QStringLiteral("statusBarWidget"));
    setStatusBar(statusBarWidget_);

    statusPanel_ = new StatusPanel(statusBarWidget_);
    statusPanel_->setObjectName(QStringLiteral("statusPanel"));
    showDataFolder();
    datePanel_ = new QLabel(statusBarWidget_);
    datePanel_->setObjectName(QStringLiteral("datePanel"));
    timePanel_ = new QLabel(statusBarWidget_);
    timePanel_->setObjectName(QStringLiteral("timePanel"));
    for (QLabel* clockPanel : {datePanel_, timePanel_}) {
        clockPanel->setFixedWidth(TwipsToPixels(1440, screenDpiX(this)));
        clockPanel->setAlignment(Qt::AlignCenter);
    }
    statusBarWidget_->addWidget(statusPanel_, 1);
    statusBarWidget_->addPermanentWidget(datePanel_);
    statusBarWidget_->addPermanentWidget(timePanel_);

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::refreshClock);
    clock_->start();
    refreshClock();
}

void MainWindow::showDataFolder()
{
    // Hints replace the folder's name; the tooltip keeps telling which catalogue is open.
    const QString shown = QDir::toNativeSeparators(dataFolder_);
    statusPanel_->setAbout(QStringLiteral("Data folder: ") + shown);
    statusPanel_->setText(shown);
}

void MainWindow::refreshClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    datePanel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    timePanel_->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

QString MainWindow::statusText() const
{
    return statusPanel_->text();
}

void MainWindow::setStatusText(const QString& text)
{
    statusPanel_->setPanelText(text);
}

// ---- load and unload ----

void MainWindow::restoreWindow()
{
    // Opened first, so the placement below knows the least size the workspace needs.
    OpenNewWorkspace();
    const QList<QRect> areas = availableAreas();

    QSettings settings = UserSettings();
    if (!HasWindowSettings(settings) && !areas.isEmpty()) {
        wantedFrame_ = FirstStartFrame(areas.first());
    } else {
        const MainWindowPlacement saved = ReadWindowSettings(settings);
        const qreal dpiX = screenDpiX(this);
        const qreal dpiY = screenDpiY(this);
        wantedFrame_ = QRect(TwipsToPixels(saved.left, dpiX), TwipsToPixels(saved.top, dpiY),
                             TwipsToPixels(saved.width, dpiX), TwipsToPixels(saved.height, dpiY));
    }
    // Until shown the frame is not known: placed as if it had none, the position as the frame's.
    placeWindow(QMargins());
    frameWatch_ = new QTimer(this);
    frameWatch_->setInterval(20);
    connect(frameWatch_, &QTimer::timeout, this, &MainWindow::watchFrame);
}

void MainWindow::placeWindow(const QMargins& frame)
{
    const QRect client = ClientAreaForFrame(wantedFrame_, frame, minimumSizeHint(), availableAreas());
    if (frame.isNull()) {
        move(client.topLeft());
        resize(client.size());
    } else {
        setGeometry(client);
    }
    placedClient_ = client;
    placedFrame_ = client.marginsAdded(frame);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (frameChecks_ > 0)
        return;
    // The least size the workspace needs is only final once shown.
    frameChecks_ = 1;
    QTimer::singleShot(0, this, [this] { placeWindow(frameMargins()); });
    frameWatch_->start();
}

QMargins MainWindow::frameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void MainWindow::watchFrame()
{
    // The window manager frames the window a moment after it is shown; without a window
    // manager, or with one that draws no frame, the frame never shows and the placement stands.
    constexpr int kChecks = 150;
    const QMargins margins = frameMargins();
    if (margins.isNull() && ++frameChecks_ < kChecks)
        return;
    frameChecks_ = kChecks;
    frameWatch_->stop();
    const bool userPlaced = windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)
                            || size() != placedClient_.size();
    if (!margins.isNull() && !userPlaced)
        placeWindow(margins);
}

void MainWindow::rememberWindow()
{
    if (isMinimized())
        return;
    // Closed before the window manager framed it: the frame asked for, which is what it will get.
    const bool framePending = frameWatch_->isActive() && geometry().size() == placedClient_.size();
    const QRect frame = framePending ? placedFrame_ : frameGeometry();
    const qreal dpiX = screenDpiX(this);
    const qreal dpiY = screenDpiY(this);
    QSettings settings = UserSettings();
    WriteWindowSettings(settings, {PixelsToTwips(frame.left(), dpiX), PixelsToTwips(frame.top(), dpiY),
                                   PixelsToTwips(frame.width(), dpiX), PixelsToTwips(frame.height(), dpiY)});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    rememberWindow();
    QSettings settings = UserSettings();
    RememberDataFolder(settings, dataFolder_);
    mdiArea_->closeAllSubWindows();
    // A workspace whose user chose to stay keeps the program open.
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
}

// ---- workspaces ----

WorkspaceWindow* MainWindow::OpenNewWorkspace()
{
    auto* document = new WorkspaceWindow(dataFolder_);
    connect(document, &WorkspaceWindow::statusHint, this, &MainWindow::setStatusText);
    // Frameless: no close, minimise or restore buttons, and no system menu with their shortcuts;
    // the workspace lives as long as the main window.
    QMdiSubWindow* window = mdiArea_->addSubWindow(document, Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->showMaximized();
    return document;
}

QList<WorkspaceWindow*> MainWindow::workspaces() const
{
    QList<WorkspaceWindow*> documents;
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (auto* document = qobject_cast<WorkspaceWindow*>(window->widget()))
            documents << document;
    return documents;
}

WorkspaceWindow* MainWindow::activeWorkspace() const
{
    // The MDI area forgets its active child while the frame itself is inactive.
    QMdiSubWindow* window = mdiArea_->activeSubWindow() ? mdiArea_->activeSubWindow() : mdiArea_->currentSubWindow();
    return window ? qobject_cast<WorkspaceWindow*>(window->widget()) : nullptr;
}

// ---- menu commands ----

void MainWindow::closeWorkspace()
{
    if (QMdiSubWindow* window = mdiArea_->currentSubWindow())
        window->close();
}

void MainWindow::chooseDataFolder()
{
    if (const std::optional<QString> folder =
            Dialogs::current().folderName(this, QStringLiteral("Open Data Folder"), dataFolder_))
        openDataFolder(*folder);
}

bool MainWindow::openDataFolder(const QString& wanted)
{
    const DataFolderChoice choice = ChooseDataFolder(ProgramDataFolderPlaces(wanted));
    if (!choice.problem.isEmpty()) {
        Dialogs::current().message(this, choice.problem, Dialogs::Icon::Critical);
        return false;
    }
    if (choice.folder == dataFolder_)
        return true;
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty())
        return false;
    // A folder is remembered as the window leaves it, here or on closing.
    QSettings settings = UserSettings();
    RememberDataFolder(settings, dataFolder_);
    dataFolder_ = choice.folder;
    OpenNewWorkspace();
    showDataFolder();
    return true;
}

void MainWindow::refreshRecentFolders()
{
    recentFolders_->clear();
    QSettings settings = UserSettings();
    for (const QString& folder : ReadRecentDataFolders(settings)) {
        if (folder == dataFolder_)
            continue;
        QAction* recent = recentFolders_->addAction(QDir::toNativeSeparators(folder));
        connect(recent, &QAction::triggered, this, [this, folder] { openDataFolder(folder); });
    }
}

void MainWindow::backUpData()
{
    BackupCommand(this, dataFolder_, QDate::currentDate(), [this](const QString& text) { setStatusText(text); });
}

void MainWindow::printPane()
{
    WorkspaceWindow* document = activeWorkspace();
    if (!document)
        return;
    const TextPane pane = document->lastWorkedPane();
    // The preview is printed only while it has the focus, as any pane would be.
    if (ResultView* preview = document->preview()->pane(); preview->hasFocus()) {
        const auto coloured = preview->resultDocument()->colouredCopy();
        setStatusText(PrintCommand(document, PrintedPane::Result, coloured.get()));
    } else if (pane.widget() == document->resultPane()) {
        const auto coloured = document->resultPane()->resultDocument()->colouredCopy();
        setStatusText(PrintCommand(document, PrintedPane::Result, coloured.get()));
    } else {
        setStatusText(PrintCommand(document, PrintedPane::Template, pane.document()));
    }
}

void MainWindow::saveResultAs()
{
    if (WorkspaceWindow* document = activeWorkspace()) {
        const QString file = SaveResultAs(document, document->resultPane()->resultDocument()->text());
        if (!file.isEmpty())
            setStatusText(QStringLiteral(" Result saved to %1").arg(file));
    }
}

void MainWindow::copyResult()
{
    if (WorkspaceWindow* document = activeWorkspace())
        CopyResult(document->resultPane()->resultDocument()->text());
}

void MainWindow::showFind()
{
    if (WorkspaceWindow* document = activeWorkspace()) {
        const TextPane pane = document->focusedPane();
        const FindOutcome outcome = FindCommand(document, pane);
        if (outcome.replaced)
            document->paneReplaced(pane);
        setStatusText(outcome.status);
    }
}

void MainWindow::findNext()
{
    if (WorkspaceWindow* document = activeWorkspace())
        setStatusText(FindNextCommand(document->focusedPane()));
}

void MainWindow::onFocusedPane(void (*command)(TextPane))
{
    if (WorkspaceWindow* document = activeWorkspace())
        command(document->focusedPane());
}

void MainWindow::showStatusBar(bool checked)
{
    statusBarWidget_->setVisible(checked);
}

void MainWindow::showHelp()
{
    HelpWindow help(this);
    Dialogs::current().showModal(help);
}

void MainWindow::showAbout()
{
    {
        AboutBox splash(this);
        Dialogs::current().showModal(splash);
    }
    // Back to work: the workspace the user had, not a second one.
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty()) {
        OpenNewWorkspace();
        return;
    }
    QMdiSubWindow* window = mdiArea_->currentSubWindow() ? mdiArea_->currentSubWindow() : windows.first();
    mdiArea_->setActiveSubWindow(window);
    window->raise();
}
