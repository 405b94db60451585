#include "frmMain.h"

#include "DataBackup.h"
#include "Dialogs.h"
#include "EditCommands.h"
#include "FindCommands.h"
#include "PrintCommand.h"
#include "ProgramIcon.h"
#include "ResultDocument.h"
#include "ResultOut.h"
#include "ResultView.h"
#include "Twips.h"
#include "WindowSettings.h"
#include "frmDocument.h"
#include "frmHelp.h"
#include "frmSplash.h"

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

QSettings windowSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Vellumatic"), QStringLiteral("Vellumatic"));
}

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

frmMain::frmMain(const QString& dataFolder, QWidget* parent)
    : QMainWindow(parent)
    , dataFolder_(dataFolder)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vellumatic"));
    setWindowIcon(ProgramIcon());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea_);
    buildMenus();
    buildStatusBar();
    Form_Load();
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = menu(bar, "mnuFile", QStringLiteral("File"));
    connect(item(file, "mnuFileNew", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), false),
            &QAction::triggered, this, &frmMain::OpenNewWorkspace);
    connect(item(file, "mnuFileClose", QStringLiteral("Close"), QKeySequence(Qt::CTRL | Qt::Key_O), false),
            &QAction::triggered, this, &frmMain::mnuFileClose_Click);
    separator(file, "mnuFileBar0", false);
    connect(item(file, "mnuFileBackup", QStringLiteral("Backup"), QKeySequence(Qt::CTRL | Qt::Key_B)),
            &QAction::triggered, this, &frmMain::mnuFileBackup_Click);
    connect(item(file, "mnuFilePrint", QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    connect(item(file, "mnuFileSaveResult", QStringLiteral("Save Result As...")), &QAction::triggered, this,
            &frmMain::mnuFileSaveResult_Click);
    separator(file, "mnuFileBar3");
    connect(item(file, "mnuFileExit", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menu(bar, "mnuEdit", QStringLiteral("Edit"));
    auto paneCommand = [this](QAction* a, void (*command)(TextPane)) {
        connect(a, &QAction::triggered, this, [this, command] { onFocusedPane(command); });
    };
    paneCommand(item(edit, "mnuEditUndo", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)), EditUndo);
    paneCommand(item(edit, "mnuEditRedo", QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y)), EditRedo);
    separator(edit, "mnuEditBar0");
    paneCommand(item(edit, "mnuEditCut", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X)), EditCut);
    paneCommand(item(edit, "mnuEditCopy", QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)), EditCopy);
    paneCommand(item(edit, "mnuEditPaste", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)), EditPaste);
    paneCommand(item(edit, "mnuEditClear", QStringLiteral("Clear"), QKeySequence(Qt::CTRL | Qt::Key_L)), EditClear);
    connect(item(edit, "mnuEditCopyResult", QStringLiteral("Copy Result"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, &frmMain::mnuEditCopyResult_Click);
    separator(edit, "mnuEditBar1");
    connect(item(edit, "mnuEditFind", QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, &frmMain::mnuEditFind_Click);
    connect(item(edit, "mnuEditFindNext", QStringLiteral("Find Next"), QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, &frmMain::mnuEditFindNext_Click);

    QMenu* view = menu(bar, "mnuView", QStringLiteral("View"));
    QAction* statusBarItem = item(view, "mnuViewStatusBar", QStringLiteral("StatusBar"));
    statusBarItem->setCheckable(true);
    statusBarItem->setChecked(true);
    connect(statusBarItem, &QAction::triggered, this, &frmMain::mnuViewStatusBar_Click);

    QMenu* help = menu(bar, "mnuHelp", QStringLiteral("Help"));
    connect(item(help, "mnuHelpContents", QStringLiteral("Contents")), &QAction::triggered, this,
            &frmMain::mnuHelpContents_Click);
    separator(help, "mnuHelpBar0");
    connect(item(help, "mnuHelpAbout", QStringLiteral("About")), &QAction::triggered, this,
            &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildStatusBar()
{
    sbStatusBar_ = new QStatusBar(this);
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    setStatusBar(sbStatusBar_);

    panelStatus_ = new QLabel(QDir::toNativeSeparators(dataFolder_), sbStatusBar_);
    panelStatus_->setObjectName(QStringLiteral("sbStatusBarPanel1"));
    // Hints replace the folder's name; the tooltip keeps telling which catalogue is open.
    panelStatus_->setToolTip(QStringLiteral("Data folder: ") + QDir::toNativeSeparators(dataFolder_));
    panelDate_ = new QLabel(sbStatusBar_);
    panelDate_->setObjectName(QStringLiteral("sbStatusBarPanel2"));
    panelTime_ = new QLabel(sbStatusBar_);
    panelTime_->setObjectName(QStringLiteral("sbStatusBarPanel3"));
    for (QLabel* clockPanel : {panelDate_, panelTime_}) {
        clockPanel->setFixedWidth(TwipsToPixels(1440, screenDpiX(this)));
        clockPanel->setAlignment(Qt::AlignCenter);
    }
    sbStatusBar_->addWidget(panelStatus_, 1);
    sbStatusBar_->addPermanentWidget(panelDate_);
    sbStatusBar_->addPermanentWidget(panelTime_);

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &frmMain::refreshClock);
    clock_->start();
    refreshClock();
}

void frmMain::refreshClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    panelDate_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    panelTime_->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

QString frmMain::statusText() const
{
    return panelStatus_->text();
}

void frmMain::setStatusText(const QString& text)
{
    panelStatus_->setText(text);
}

// ---- load and unload ----

void frmMain::Form_Load()
{
    // Opened first, so the placement below knows the least size the workspace needs.
    OpenNewWorkspace();
    const QList<QRect> areas = availableAreas();

    QSettings settings = windowSettings();
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

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!frameFitted_) {
        frameFitted_ = true;
        // The settings hold the outer size; the window manager adds its frame only once shown.
        QTimer::singleShot(0, this, &frmMain::fitFrameToSavedSize);
    }
}

void frmMain::fitFrameToSavedSize()
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

void frmMain::Form_Unload()
{
    if (isMinimized())
        return;
    const QRect frame = frameGeometry();
    const qreal dpiX = screenDpiX(this);
    const qreal dpiY = screenDpiY(this);
    QSettings settings = windowSettings();
    WriteWindowSettings(settings, {PixelsToTwips(frame.left(), dpiX), PixelsToTwips(frame.top(), dpiY),
                                   PixelsToTwips(frame.width(), dpiX), PixelsToTwips(frame.height(), dpiY)});
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    mdiArea_->closeAllSubWindows();
    event->accept();
}

// ---- workspaces ----

frmDocument* frmMain::OpenNewWorkspace()
{
    auto* document = new frmDocument(dataFolder_);
    connect(document, &frmDocument::statusHint, this, &frmMain::setStatusText);
    QMdiSubWindow* window = mdiArea_->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->showMaximized();
    return document;
}

QList<frmDocument*> frmMain::workspaces() const
{
    QList<frmDocument*> documents;
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (auto* document = qobject_cast<frmDocument*>(window->widget()))
            documents << document;
    return documents;
}

frmDocument* frmMain::activeWorkspace() const
{
    // The MDI area forgets its active child while the frame itself is inactive.
    QMdiSubWindow* window = mdiArea_->activeSubWindow() ? mdiArea_->activeSubWindow() : mdiArea_->currentSubWindow();
    return window ? qobject_cast<frmDocument*>(window->widget()) : nullptr;
}

// ---- menu commands ----

void frmMain::mnuFileClose_Click()
{
    if (QMdiSubWindow* window = mdiArea_->currentSubWindow())
        window->close();
}

void frmMain::mnuFileBackup_Click()
{
    BackupCommand(this, dataFolder_, QDate::currentDate(), [this](const QString& text) { setStatusText(text); });
}

void frmMain::mnuFilePrint_Click()
{
    frmDocument* document = activeWorkspace();
    if (!document)
        return;
    const TextPane pane = document->lastWorkedPane();
    if (pane.widget() == document->txtTarget()) {
        const auto coloured = document->txtTarget()->resultDocument()->colouredCopy();
        setStatusText(PrintCommand(document, coloured.get()));
    } else {
        setStatusText(PrintCommand(document, pane.document()));
    }
}

void frmMain::mnuFileSaveResult_Click()
{
    if (frmDocument* document = activeWorkspace()) {
        const QString file = SaveResultAs(document, document->txtTarget()->resultDocument()->text());
        if (!file.isEmpty())
            setStatusText(QStringLiteral(" Result saved to %1").arg(file));
    }
}

void frmMain::mnuEditCopyResult_Click()
{
    if (frmDocument* document = activeWorkspace())
        CopyResult(document->txtTarget()->resultDocument()->text());
}

void frmMain::mnuEditFind_Click()
{
    if (frmDocument* document = activeWorkspace()) {
        const TextPane pane = document->focusedPane();
        const FindOutcome outcome = FindCommand(document, pane);
        if (outcome.replaced)
            document->paneReplaced(pane);
        setStatusText(outcome.status);
    }
}

void frmMain::mnuEditFindNext_Click()
{
    if (frmDocument* document = activeWorkspace())
        setStatusText(FindNextCommand(document->focusedPane()));
}

void frmMain::onFocusedPane(void (*command)(TextPane))
{
    if (frmDocument* document = activeWorkspace())
        command(document->focusedPane());
}

void frmMain::mnuViewStatusBar_Click(bool checked)
{
    sbStatusBar_->setVisible(checked);
}

void frmMain::mnuHelpContents_Click()
{
    frmHelp help(this);
    Dialogs::current().showModal(help);
}

void frmMain::mnuHelpAbout_Click()
{
    {
        frmSplash splash(this);
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
