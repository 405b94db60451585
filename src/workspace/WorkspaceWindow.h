#pragma once

#include "BodyChanges.h"
#include "CatalogueTree.h"
#include "Recordset.h"
#include "StoredNames.h"
#include "TemplateBody.h"
#include "DataStore.h"
#include "TextPane.h"
#include "ValueImportTarget.h"

#include <QWidget>
#include <memory>
#include <optional>

class BoundAnswers;
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
class TemplatePreview;

// The workspace window: the template and value catalogues as trees, the template and
// result panes, the fields list and the Run command. Every catalogue change is stored at once.
class WorkspaceWindow : public QWidget, public ValueImportTarget
{
    Q_OBJECT

public:
    // dataFolder holds the catalogues and the template bodies.
    explicit WorkspaceWindow(const QString& dataFolder, QWidget* parent = nullptr);
    ~WorkspaceWindow() override;

    DataStore& dataStore();

    CatalogueTree* templateTree() const { return templateTree_; }
    CatalogueTree* valueTree() const override { return valueTree_; }
    QWidget* dialogParent() override { return this; }
    QTextEdit* templatePane() const { return templatePane_; }
    ResultView* resultPane() const { return resultPane_; }
    FieldsList* fieldsList() const { return fieldsList_; }
    QCheckBox* compactStyle() const { return compactStyle_; }
    QPushButton* runButton() const { return runButton_; }
    QPushButton* importButton() const { return importButton_; }
    QTabBar* catalogueTabs() const { return catalogueTabs_; }
    QTabBar* paneTabs() const { return paneTabs_; }
    TemplatePreview* preview() const { return preview_; }

    // Key the next new item gets: highest ID at start-up plus the added count, moved past
    // any ID the table file already holds.
    QString nextTemplateKey();
    QString nextValueKey();
    // IDs for the next `count` new values, taken in the order the keys are handed out and
    // counted as added, for callers that store many values at once.
    QList<qint32> takeValueIds(int count) override;

    // Adds an item named `name` under the tree's selected node and stores it (a template also
    // gets its body). Returns its key, or nothing, with the tree unchanged, when it could not
    // be stored.
    std::optional<QString> addTemplateNamed(const QString& name);
    std::optional<QString> addValueNamed(const QString& name);
    // Adds values under the selected value, in order, with one write of the values file. Stops
    // at the first text that cannot be stored (the store says why) and keeps those before it.
    // Returns how many were added.
    qsizetype addValues(const QStringList& texts);
    // Stores value records (ID, Name, ParentID, 0, 3) with one write of the value table file,
    // then shows each under its parent, a node of the tree or an earlier record. Returns false,
    // with tree and file unchanged, when they could not be stored.
    bool addValueRecords(const QList<QVariantList>& records) override;

    // The pane (templatePane or resultPane) that last had the focus in this window; empty when
    // another control has had it since. Menus and dialogs do not change it.
    TextPane focusedPane() const;
    // The pane (templatePane or resultPane) the user last worked in, whatever had the focus
    // since; the template pane until either had it.
    TextPane lastWorkedPane() const { return lastWorkedPane_; }

    // Selects a tab and runs the same switching as a click on it.
    void selectListTab(int index);
    void selectBodyTab(int index);

    // The save step (leaving either pane, Run; closing and selecting a template go through
    // releasePanes): when either pane
    // differs from what was loaded or last saved, stores both in the body of the template they
    // belong to. Panes that belong to no template (under the root) are kept and the user told.
    // A body another window wrote since is not overwritten unasked: the user keeps both (the
    // panes become a new template beside it), overwrites, or puts the question off.
    // Returns false while the panes hold a change that is not stored.
    bool saveTemplate();
    // The save step before the panes are emptied, reloaded or closed. A change that cannot be
    // stored is dropped only when the user says so; they may instead add it as a new template
    // or stay. Returns false to stay: the panes are then as they were.
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

    struct Catalogue
    {
        CatalogueTree* tree = nullptr;
        QLineEdit* nameBox = nullptr;
        QLineEdit* filterBox = nullptr;
        QString file;
        QString prefix;
        bool hasBodies = false;
        QString title;
        std::optional<Recordset> table;
        // False when the table could not be read at start-up: the catalogue then refuses changes.
        bool readable = false;
        qint32 maxId = 0;
        qint32 addedCount = 2;
        QSet<qint32> takenIds;
        // Size and times of the table file when we last wrote or read it.
        QString lastStamp;
    };

    void buildControls();
    void loadCatalogues();
    void loadCatalogue(Catalogue& catalogue);
    void refreshTakenIds(Catalogue& catalogue);
    QString nextKey(Catalogue& catalogue);
    // The item goes under `parentKey`, or under the selected node when it is empty; a template
    // gets `body` as its body.
    std::optional<QString> addItem(Catalogue& catalogue, const QString& name, const QString& parentKey = {},
                                   const QList<QStringView>& body = {kPaneSeparator});
    bool addNode(Catalogue& catalogue, const QString& key, const QString& text, const QString& parentKey,
                 const QList<QStringView>& body);
    // Removes the tree's selected item, its record and a template's body once the user has
    // confirmed it; its parent is selected after. A failed delete leaves everything in place.
    void removeNode(Catalogue& catalogue);
    // Stores the item's new name (trimmed, checked as a new one is) in its record, found by ID,
    // then shows it; key, body and place stay. A refused name is offered again for editing.
    void renameNode(Catalogue& catalogue, const QString& key, const QString& name);
    // A node added while a filter is on is hidden unless it matches.
    void followFilter(const Catalogue& catalogue, QTreeWidgetItem* node);
    QString fileStamp(const Catalogue& catalogue);
    bool refuseChange(const Catalogue& catalogue);
    // The store changes records by ID: a change to an item whose ID another record shares would
    // reach that record too. Says so and returns true then; `change` is "removed" or "renamed".
    bool refuseSharedId(Catalogue& catalogue, qint32 id, const QString& change);
    // The value tree's focus hint, led by the selected value's summary.
    QString valueTreeHint() const;
    void addTyped(Catalogue& catalogue);
    void showCatalogueTab();
    void showPaneTab();
    BodyChanges::Texts currentPaneTexts() const;
    enum class PanesStored { Yes, NoTemplate, Failed, Postponed };
    // The save step without telling about panes of no template; Postponed when the user put off
    // the question about a body another window wrote. `releasing`: the panes are about to go,
    // so a question put off before is asked again.
    PanesStored storePanes(bool releasing);
    // Adds a template holding the panes' text, which then belong to it.
    bool storeAsNewTemplate(const QString& name, const QString& parentKey, const BodyChanges::Texts& now);
    QByteArray bodyVersion(const QString& key);
    QString templateName(const QString& key) const;
    QString parentKeyOf(const QString& key) const;
    // A name for a copy of the template beside it.
    QString copyName(const QString& key) const;
    // Run with the bound names answered already; false when it left no result to fill.
    bool runWithAnswers(const QString& templateText, BoundAnswers answers);
    // The mirrors follow the Data folder's type map, or the shipped one when it has none or
    // it cannot be read, which the status bar says.
    void useTypeMap();
    void arrangeControls();
    void rememberCatalogueColumn();

    QString dataFolder_;
    std::unique_ptr<DataStore> dataStore_;
    Catalogue templates_;
    Catalogue values_;
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

    // Which template the panes belong to and whether they hold changes to store.
    BodyChanges bodyChanges_;
    bool unmappedTypesShown_ = false;
    // Set while a Remove is handled, so a click arriving meanwhile does nothing.
    bool removing_ = false;
    bool resultBusy_ = false;
    // Why the Data folder's type map is not used, until the status bar has said it.
    QString typeMapProblem_;
    std::unique_ptr<SourcePaneColourer> sourceColourer_;
};
