#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class StatusPanel;
class TextPane;
class QTimer;
class WorkspaceWindow;

// The main window: menus, the status bar, and the workspace windows inside an MDI area.
// Its position and size are kept in the user's settings between runs.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // dataFolder holds the catalogues the workspaces open; File > Backup copies it into a
    // Backup folder beside it. Panel 1 of the status bar names it until the first hint.
    explicit MainWindow(const QString& dataFolder, QWidget* parent = nullptr);

    // Opens a new workspace window, maximised inside the frame.
    WorkspaceWindow* OpenNewWorkspace();
    // Switches the workspaces to the data folder `wanted`, chosen and checked as at start (a
    // missing or empty one starts from the sample). The workspaces close first, with the usual
    // save step; a folder that cannot be used is refused with its problem, and a workspace
    // whose user chose to stay keeps the current one. True once the folder is open.
    bool openDataFolder(const QString& wanted);
    const QString& dataFolder() const { return dataFolder_; }
    // The workspace active in the frame, or the only one when the frame has no focus; nullptr without one.
    WorkspaceWindow* activeWorkspace() const;
    QList<WorkspaceWindow*> workspaces() const;

    QMdiArea* mdiArea() const { return mdiArea_; }
    QStatusBar* statusBarWidget() const { return statusBarWidget_; }
    // Panel 1 of the status bar, where the workspace writes its hints.
    QString statusText() const;
    void setStatusText(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void restoreWindow();
    void rememberWindow();
    void refreshClock();
    void placeWindow(const QMargins& frame);
    void watchFrame();
    // The thickness of the window manager's frame on each side; none until it has framed the window.
    QMargins frameMargins() const;
    void closeWorkspace();
    void chooseDataFolder();
    void refreshRecentFolders();
    void showDataFolder();
    void backUpData();
    void printPane();
    void saveResultAs();
    void copyResult();
    void showFind();
    void findNext();
    // Runs an Edit command on the focused pane of the active workspace, when there is one.
    void onFocusedPane(void (*command)(TextPane));
    void showStatusBar(bool checked);
    void showHelp();
    void showAbout();

    QString dataFolder_;
    QMdiArea* mdiArea_ = nullptr;
    QStatusBar* statusBarWidget_ = nullptr;
    QMenu* recentFolders_ = nullptr;
    StatusPanel* statusPanel_ = nullptr;
    QLabel* datePanel_ = nullptr;
    QLabel* timePanel_ = nullptr;
    QTimer* clock_ = nullptr;
    // The frame the settings ask for, and the client area placed for it. The window manager's
    // frame is only known once the window is shown, so the client area is placed again then.
    QRect wantedFrame_;
    QRect placedFrame_;
    QRect placedClient_;
    QTimer* frameWatch_ = nullptr;
    int frameChecks_ = 0;
};
