#pragma once

#include "CatalogueModel.h"
#include "CatalogueTree.h"
#include "DataStore.h"
#include "TextPane.h"

#include <QWidget>
#include <memory>
#include <optional>

class BoundAnswers;
class CatalogueList;
class FieldsList;
class LastFocus;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabBar;
class QTextEdit;
class QTreeWidgetItem;
class ResultView;
class SourcePaneColourer;
class TemplatePanes;
class TemplatePreview;

// The workspace window: the template and value catalogues as trees, the template and
// result panes, the fields list and the Run command. The catalogues are CatalogueLists, the
// panes' body TemplatePanes; the window keeps what is on screen and connects them.
class WorkspaceWindow : public QWidget
{
    Q_OBJECT

public:
    // dataFolder holds the catalogues and the template bodies.
    explicit WorkspaceWindow(const QString& dataFolder, QWidget* parent = nullptr);
    ~WorkspaceWindow() override;

    DataStore& dataStore();

    CatalogueTree* templateTree() const { return templateTree_; }
    CatalogueTree* valueTree() const { return valueTree_; }
    CatalogueModel& templateCatalogue();
    CatalogueModel& valueCatalogue();
    QTextEdit* templatePane() const { return templatePane_; }
    ResultView* resultPane() const { return resultPane_; }
    FieldsList* fieldsList() const { return fieldsList_; }
    QCheckBox* compactStyle() const { return compactStyle_; }
    QPushButton* runButton() const { return runButton_; }
    QPushButton* importButton() const { return importButton_; }
    QTabBar* catalogueTabs() const { return catalogueTabs_; }
    QTabBar* paneTabs() const { return paneTabs_; }
    TemplatePreview* preview() const { return preview_; }

    // Adds an item named `name` under the tree's selected node and stores it (a template also
    // gets its body). Returns its key, or nothing, with the tree unchanged, when it could not
    // be stored.
    std::optional<QString> addTemplateNamed(const QString& name);
    std::optional<QString> addValueNamed(const QString& name);

    // The pane (templatePane or resultPane) that last had the focus in this window; empty when
    // another control has had it since. Menus and dialogs do not change it.
    TextPane focusedPane() const;
    // The pane (templatePane or resultPane) the user last worked in, whatever had the focus
    // since; the template pane until either had it.
    TextPane lastWorkedPane() const { return lastWorkedPane_; }

    // Selects a tab and runs the same switching as a click on it.
    void selectListTab(int index);
    void selectBodyTab(int index);

    // The save step (TemplatePanes::save), run when either pane is left and by Run.
    // Returns false while the panes hold a change that is not stored.
    bool saveTemplate();
    // The save step before the panes are emptied, reloaded or closed (TemplatePanes::release).
    // Returns false to stay: the panes are then as they were.
    bool releasePanes();
    // Saves the panes, then loads the clicked template's body into them, also when the template
    // is already selected; the root empties the template pane.
    void openTemplate(QTreeWidgetItem* node);
    // True while either pane holds a change that is not stored.
    bool templateModified() const;
    // After Find's Replace rewrote `pane`: the fields list follows a rewritten result pane.
    void paneReplaced(TextPane pane);

    // Raised while the result pane is being written and coloured: the template pane's
    // change handler leaves the panes alone meanwhile.
    bool resultBusy() const { return resultBusy_; }
    void setResultBusy(bool busy) { resultBusy_ = busy; }
    // Raises the result busy flag for its lifetime and restores the previous state after.
    class ResultBusy
    {
    public:
        explicit ResultBusy(WorkspaceWindow& document) : document_(document), previous_(document.resultBusy())
        {
            document_.setResultBusy(true);
        }
        ~ResultBusy() { document_.setResultBusy(previous_); }
        ResultBusy(const ResultBusy&) = delete;
        ResultBusy& operator=(const ResultBusy&) = delete;

    private:
        WorkspaceWindow& document_;
        bool previous_;
    };

    void addTemplate();
    void addValue();
    void removeTemplate();
    void removeValue();
    // Opens the selected item of the catalogue in view for renaming in place (as F2 does).
    void renameSelected();
    // Imports a database's tables and columns as values under the selected value.
    void importSchema();

    void runTemplate();
    // Fill the selected field with the selected value: a double-click on a leaf, or Enter or
    // Space on any value.
    void valueDoubleClicked();
    void valueTreeKeyPressed(int key);
    void valueSelected();
    // Splits dropped text at a separator the user gives and adds the pieces as values.
    void addDroppedValues(const QString& text);
    // Insert fills the selected field with its own name, Delete drops it from the list.
    void fieldsListKeyPressed(int key);
    // Fills the selected field with the selected value, the next field with the value's next
    // sibling, and so on, as one undo step (Ctrl+Enter or the value tree's context menu).
    void fillFollowing();
    // Fills the result's repetitions from the rows of a table (Edit > Fill Rows).
    void fillRows();

signals:
    // A one-line hint for the main window's status bar; empty clears it.
    void statusHint(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tab indices of the catalogue strip and of the pane strip.
    static constexpr int kTemplateListTab = 0;
    static constexpr int kValueListTab = 1;
    static constexpr int kTemplatePaneTab = 0;
    static constexpr int kResultPaneTab = 1;

    void buildControls();
    void loadCatalogues();
    // The value tree's focus hint, led by the selected value's summary.
    QString valueTreeHint() const;
    void showCatalogueTab();
    void showPaneTab();
    // Run with the bound names answered already; false when it left no result to fill.
    bool runWithAnswers(const QString& templateText, BoundAnswers answers);
    // The mirrors follow the Data folder's type map, or the shipped one when it has none or
    // it cannot be read, which the status bar says.
    void useTypeMap();
    void arrangeControls();
    void rememberCatalogueColumn();

    QString dataFolder_;
    DataStore dataStore_;
    CatalogueList* templates_ = nullptr;
    CatalogueList* values_ = nullptr;
    std::unique_ptr<TemplatePanes> panes_;
    bool columnPlaced_ = false;
    TextPane lastWorkedPane_;
    LastFocus* lastFocus_ = nullptr;

    QTabBar* catalogueTabs_ = nullptr;
    QTabBar* paneTabs_ = nullptr;
    QFrame* templatePanePage_ = nullptr;
    QFrame* templateListPage_ = nullptr;
    QFrame* valueListPage_ = nullptr;
    QFrame* resultPanePage_ = nullptr;
    QCheckBox* compactStyle_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QLineEdit* templateNameBox_ = nullptr;
    QPushButton* addTemplateButton_ = nullptr;
    QPushButton* removeTemplateButton_ = nullptr;
    CatalogueTree* templateTree_ = nullptr;
    QLineEdit* valueNameBox_ = nullptr;
    QPushButton* addValueButton_ = nullptr;
    QPushButton* removeValueButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    CatalogueTree* valueTree_ = nullptr;
    FieldsList* fieldsList_ = nullptr;
    QTextEdit* templatePane_ = nullptr;
    ResultView* resultPane_ = nullptr;
    QSplitter* splitter_ = nullptr;
    TemplatePreview* preview_ = nullptr;
    QLineEdit* templateFilter_ = nullptr;
    QLineEdit* valueFilter_ = nullptr;

    bool unmappedTypesShown_ = false;
    bool resultBusy_ = false;
    // Why the Data folder's type map is not used, until the status bar has said it.
    QString typeMapProblem_;
    std::unique_ptr<SourcePaneColourer> sourceColourer_;
};
