#include "MainWindow.h"

#include "AboutBox.h"
#include "DataBackup.h"
#include "Dialogs.h"
#include "EditCommands.h"
#include "FindCommands.h"
#include "HelpWindow.h"
#include "PrintCommand.h"
#include "ProgramIcon.h"
#include "ResultDocument.h"
#include "ResultOut.h"
#include "ResultView.h"
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

    QMenu* view = menu(bar, "viewMenu", QStringLiteral("View"));
    QAction* statusBarItem = item(view, "statusBarAction", QStringLiteral("StatusBar"));
    statusBarItem->setCheckable(true);
    statusBarItem->setChecked(true);
    connect(statusBarItem, &QAction::triggered, this, &MainWindow::showStatusBar);

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

    statusPanel_ = new QLabel(QDir::toNativeSeparators(dataFolder_), statusBarWidget_);
    statusPanel_->setObjectName(QStringLiteral("statusPanel"));
    // Hints replace the folder's name; the tooltip keeps telling which catalogue is open.
    statusPanel_->setToolTip(QStringLiteral("Data folder: ") + QDir::toNativeSeparators(dataFolder_));
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
    statusPanel_->setText(text);
}

// ---- load and unload ----

void MainWindow::restoreWindow()
{
    // Opened first, so the placement below knows the least size the workspace needs.
    OpenNewWorkspace();
    const QList<QRect> areas = availableAreas();

    QSettings settings = UserSettings();
    QRect frame;
    if (!HasWindowSettings(settings) && !areas.isEmpty()) {
        frame = FirstStartFrame(areas.first());
    } else {
        const MainWindowPlacement saved = ReadWindowSettings(settings);
        const qreal dpiX = screenDpiX(this);
        const qreal dpiY = screenDpiY(this);
        const QRect stored(TwipsToPixels(saved.left, dpiX), TwipsToPixels(saved.top, dpiY),
                           TwipsToPixels(saved.width, dpiX), TwipsToPixels(saved.height, dpiY));
        frame = FitOntoScreen(QRect(stored.topLeft(), stored.size().expandedTo(minimumSizeHint())), areas);
    }

    move(frame.topLeft());
    resize(frame.size());
    savedOuterSize_ = frame.size();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!frameFitted_) {
        frameFitted_ = true;
        // The settings hold the outer size; the window manager adds its frame only once shown.
        QTimer::singleShot(0, this, &MainWindow::fitFrameToSavedSize);
    }
}

void MainWindow::fitFrameToSavedSize()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (!frameExtra.isEmpty())
        resize(savedOuterSize_ - frameExtra);
    // The least size the workspace needs is only final now; keep the whole frame on screen.
    const QRect frame = frameGeometry();
    const QRect fitted = FitOntoScreen(frame, availableAreas());
    if (fitted != frame) {
        move(fitted.topLeft());
        resize(fitted.size() - (frame.size() - size()));
    }
}

void MainWindow::rememberWindow()
{
    if (isMinimized())
        return;
    const QRect frame = frameGeometry();
    const qreal dpiX = screenDpiX(this);
    const qreal dpiY = screenDpiY(this);
    QSettings settings = UserSettings();
    WriteWindowSettings(settings, {PixelsToTwips(frame.left(), dpiX), PixelsToTwips(frame.top(), dpiY),
                                   PixelsToTwips(frame.width(), dpiX), PixelsToTwips(frame.height(), dpiY)});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    rememberWindow();
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
    QMdiSubWindow* window = mdiArea_->addSubWindow(document);
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
    if (pane.widget() == document->resultPane()) {
        const auto coloured = document->resultPane()->resultDocument()->colouredCopy();
        setStatusText(PrintCommand(document, coloured.get()));
    } else {
        setStatusText(PrintCommand(document, pane.document()));
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
