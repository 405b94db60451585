#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QStatusBar;
class TextPane;
class QTimer;
class frmDocument;

// The main window: menus, the status bar, and the workspace windows inside an MDI area.
// Its position and size are kept in the user's settings between runs.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // dataFolder holds the catalogues the workspaces open; File > Backup copies it into a
    // Backup folder beside it. Panel 1 of the status bar names it until the first hint.
    explicit frmMain(const QString& dataFolder, QWidget* parent = nullptr);

    // Opens a new workspace window, maximised inside the frame.
    frmDocument* OpenNewWorkspace();
    // The workspace active in the frame, or the only one when the frame has no focus; nullptr without one.
    frmDocument* activeWorkspace() const;
    QList<frmDocument*> workspaces() const;

    QMdiArea* mdiArea() const { return mdiArea_; }
    QStatusBar* sbStatusBar() const { return sbStatusBar_; }
    // Panel 1 of the status bar, where the workspace writes its hints.
    QString statusText() const;
    void setStatusText(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void Form_Load();
    void Form_Unload();
    void refreshClock();
    void fitFrameToSavedSize();
    void mnuFileClose_Click();
    void mnuFileBackup_Click();
    void mnuFilePrint_Click();
    void mnuFileSaveResult_Click();
    void mnuEditCopyResult_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    // Runs an Edit command on the focused pane of the active workspace, when there is one.
    void onFocusedPane(void (*command)(TextPane));
    void mnuViewStatusBar_Click(bool checked);
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    QString dataFolder_;
    QMdiArea* mdiArea_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;
    QLabel* panelStatus_ = nullptr;
    QLabel* panelDate_ = nullptr;
    QLabel* panelTime_ = nullptr;
    QTimer* clock_ = nullptr;
    // The outer size asked for at load; the frame's thickness is only known once shown.
    QSize savedOuterSize_;
    bool frameFitted_ = false;
};
