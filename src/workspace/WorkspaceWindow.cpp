#include "WorkspaceWindow.h"

#include "BusyCursor.h"
#include "CatalogueKeys.h"
#include "CatalogueList.h"
#include "FieldSubstitution.h"
#include "FieldsList.h"
#include "LastFocus.h"
#include "ResultView.h"
#include "SchemaImportCommand.h"
#include "SourcePaneColourer.h"
#include "StoredNames.h"
#include "TemplatePanes.h"
#include "TextDrops.h"
#include "ValueTreeRules.h"

#include <QAction>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>

namespace {

struct Hint
{
    const char* control;
    const char* gotFocus;
    bool clearsOnLeave;
};

const char kValueTreeHint[] = " Active Control: Values List (Click or Press <SpaceBar>/<Enter> to replace the "
                              "current field with the selected value)";

// The panes keep their hint after losing the focus; the lists clear theirs.
const Hint kHints[] = {
    {"fieldsList",
     " Active Control: Fields List (Press <Insert> to insert the same text as field and press <Delete> to delete "
     "that field from the comboBox)",
     true},
    {"templateTree", " Active Control: Templates List", true},
    {"valueTree", kValueTreeHint, true},
    {"templatePane", " Active Control: Template Pane", false},
    {"resultPane", " Active Control: Result Pane", false},
};

const Hint* hintFor(const QObject* control)
{
    for (const Hint& hint : kHints)
        if (control->objectName() == QLatin1String(hint.control))
            return &hint;
    return nullptr;
}

} // namespace

WorkspaceWindow::WorkspaceWindow(const QString& dataFolder, QWidget* parent)
    : QWidget(parent)
    , dataFolder_(dataFolder)
    , dataStore_(DataStore::forDataFolder(dataFolder))
{
    setObjectName(QStringLiteral("WorkspaceWindow"));
    setWindowTitle(QStringLiteral("Workspace"));
    buildControls();

    templates_ = new CatalogueList(dataStore_, kTemplateCatalogueFile, kTemplateBodyPrefix, QStringLiteral("template"),
                                   {templateTree_, templateNameBox_, templateFilter_}, this);
    values_ = new CatalogueList(dataStore_, kValueCatalogueFile, QString(), QStringLiteral("value"),
                                {valueTree_, valueNameBox_, valueFilter_}, this);
    panes_ = std::make_unique<TemplatePanes>(*templatePane_, *resultPane_, *templates_, this);
    valueTree_->setToolTipRule(ValueSummary);
    // A renamed value: the summary names it.
    connect(&values_->catalogue(), &CatalogueModel::itemChanged, this, &WorkspaceWindow::valueSelected);

    connect(addTemplateButton_, &QPushButton::clicked, this, &WorkspaceWindow::addTemplate);
    connect(addValueButton_, &QPushButton::clicked, this, &WorkspaceWindow::addValue);
    connect(removeTemplateButton_, &QPushButton::clicked, this, &WorkspaceWindow::removeTemplate);
    connect(removeValueButton_, &QPushButton::clicked, this, &WorkspaceWindow::removeValue);
    connect(importButton_, &QPushButton::clicked, this, &WorkspaceWindow::importSchema);
    connect(catalogueTabs_, &QTabBar::currentChanged, this, &WorkspaceWindow::showCatalogueTab);
    // A click on the tab already shown switches the panes all the same.
    connect(catalogueTabs_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == catalogueTabs_->currentIndex())
            showCatalogueTab();
    });
    connect(paneTabs_, &QTabBar::currentChanged, this, &WorkspaceWindow::showPaneTab);
    connect(runButton_, &QPushButton::clicked, this, &WorkspaceWindow::runTemplate);
    connect(valueTree_, &QTreeWidget::itemDoubleClicked, this, &WorkspaceWindow::valueDoubleClicked);
    // Keyboard moves count as well as clicks, so the summary always names the selected value.
    connect(valueTree_, &QTreeWidget::itemClicked, this, &WorkspaceWindow::valueSelected);
    connect(valueTree_, &QTreeWidget::currentItemChanged, this, &WorkspaceWindow::valueSelected);
    new TextDrops(valueTree_->viewport(), [this](const QString& text) { addDroppedValues(text); });
    auto* fill = new QAction(QStringLiteral("Fill following"), valueTree_);
    fill->setObjectName(QStringLiteral("fillFollowingAction"));
    fill->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    fill->setShortcutContext(Qt::WidgetShortcut);
    valueTree_->addAction(fill);
    connect(fill, &QAction::triggered, this, &WorkspaceWindow::fillFollowing);
    auto* fillRowsItem = new QAction(QStringLiteral("Fill Rows..."), valueTree_);
    fillRowsItem->setObjectName(QStringLiteral("fillRowsAction"));
    valueTree_->addAction(fillRowsItem);
    connect(fillRowsItem, &QAction::triggered, this, &WorkspaceWindow::fillRows);
    for (QWidget* w : {static_cast<QWidget*>(fieldsList_), static_cast<QWidget*>(templateTree_),
                       static_cast<QWidget*>(valueTree_), static_cast<QWidget*>(templatePane_),
                       static_cast<QWidget*>(resultPane_)})
        w->installEventFilter(this);
    lastFocus_ = new LastFocus(this);
    lastWorkedPane_ = templatePane_;

    sourceColourer_ = std::make_unique<SourcePaneColourer>(*templatePane_, resultBusy_);
    connect(templatePane_, &QTextEdit::textChanged, this, [this] {
        panes_->touch(BodyChanges::Pane::Template);
        sourceColourer_->templateTextChanged();
    });
    connect(resultPane_, &QPlainTextEdit::textChanged, this, [this] { panes_->touch(BodyChanges::Pane::Result); });
    // Undo and redo of a fill take the fields list along.
    const ResultDocument* result = resultPane_->resultDocument();
    connect(result, &ResultDocument::fillUndone, this,
            [this, result](const QStringList& filled) { ListFieldsAfterUndo(*fieldsList_, result->text(), filled, result->modifiers()); });
    connect(result, &ResultDocument::fillRedone, this,
            [this, result](const QStringList& filled) { ListFieldsAfterRedo(*fieldsList_, result->text(), filled, result->modifiers()); });
    // The note stays until a fill writes only known types; other hints are left alone.
    connect(result, &ResultDocument::typesUnmapped, this, [this](const QStringList& types) {
        if (!types.isEmpty() || unmappedTypesShown_)
            emit statusHint(types.isEmpty() ? QString()
                                            : QStringLiteral("Types the type map does not know, written as given: ") + types.join(u", "));
        unmappedTypesShown_ = !types.isEmpty();
    });
    useTypeMap();
    // Keyboard moves load too, so the panes always belong to the selected template and a save
    // never lands in another template's body.
    connect(templateTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            openTemplate(current);
    });
    connect(templateTree_, &CatalogueTree::currentNodeClicked, this, &WorkspaceWindow::openTemplate);

    loadCatalogues();
}

WorkspaceWindow::~WorkspaceWindow()
{
    // The panes outlive our members while QWidget tears the children down.
    templatePane_->disconnect(this);
    resultPane_->disconnect(this);
    templateTree_->disconnect(this);
    for (QWidget* w : {static_cast<QWidget*>(fieldsList_), static_cast<QWidget*>(templateTree_),
                       static_cast<QWidget*>(valueTree_), static_cast<QWidget*>(templatePane_),
                       static_cast<QWidget*>(resultPane_)})
        w->removeEventFilter(this);
}

DataStore& WorkspaceWindow::dataStore()
{
    return dataStore_;
}

CatalogueModel& WorkspaceWindow::templateCatalogue()
{
    return templates_->catalogue();
}

CatalogueModel& WorkspaceWindow::valueCatalogue()
{
    return values_->catalogue();
}

void WorkspaceWindow::loadCatalogues()
{
    {
        BusyCursor busy;
        // A write the program was killed in the middle of leaves its temporary file behind.
        dataStore_.removeInterruptedWrites({kTemplateCatalogueFile, kValueCatalogueFile}, kTemplateBodyPrefix);
        templates_->load();
        values_->load();
    }
    templatePanePage_->show();
    resultPanePage_->hide();
    selectListTab(kTemplateListTab);
    selectBodyTab(kTemplatePaneTab);
}

// ---- catalogue commands ----

std::optional<QString> WorkspaceWindow::addTemplateNamed(const QString& name)
{
    return templates_->add(name);
}

std::optional<QString> WorkspaceWindow::addValueNamed(const QString& name)
{
    return values_->add(name);
}

void WorkspaceWindow::addTemplate()
{
    templates_->addTyped();
}

void WorkspaceWindow::addValue()
{
    values_->addTyped();
}

void WorkspaceWindow::removeTemplate()
{
    templates_->removeSelected();
}

void WorkspaceWindow::removeValue()
{
    values_->removeSelected();
}

void WorkspaceWindow::renameSelected()
{
    CatalogueTree* tree = catalogueTabs_->currentIndex() == kTemplateListTab ? templateTree_ : valueTree_;
    tree->setFocus(Qt::OtherFocusReason);
    tree->startRename();
}

void WorkspaceWindow::importSchema()
{
    SchemaImportCommand(*values_);
}

// ---- the panes' body ----

void WorkspaceWindow::openTemplate(QTreeWidgetItem* node)
{
    // The panes' changes go to the template they belong to before anything replaces them.
    // When they cannot go anywhere and the user chose to stay, the panes keep their template:
    // loading another body over them would lose the edit.
    const QString owner = panes_->owner();
    if (!panes_->release()) {
        // Once the click that moved the selection is done with it.
        QTimer::singleShot(0, this, [this, owner] {
            const QSignalBlocker quiet(templateTree_);
            templateTree_->selectNode(owner.isEmpty() ? kRootKey : owner);
        });
        return;
    }
    panes_->open(CatalogueTree::keyOf(node));
    selectBodyTab(kTemplatePaneTab);
}

bool WorkspaceWindow::saveTemplate()
{
    return panes_->save();
}

bool WorkspaceWindow::releasePanes()
{
    return panes_->release();
}

bool WorkspaceWindow::templateModified() const
{
    return panes_->modified();
}

// ---- tabs ----

void WorkspaceWindow::selectListTab(int index)
{
    if (catalogueTabs_->currentIndex() == index)
        showCatalogueTab();
    else
        catalogueTabs_->setCurrentIndex(index);
}

void WorkspaceWindow::selectBodyTab(int index)
{
    if (paneTabs_->currentIndex() == index)
        showPaneTab();
    else
        paneTabs_->setCurrentIndex(index);
}

void WorkspaceWindow::showCatalogueTab()
{
    // The list strip drives the body strip, never the other way round.
    const bool templates = catalogueTabs_->currentIndex() == kTemplateListTab;
    templateListPage_->setVisible(templates);
    valueListPage_->setVisible(!templates);
    selectBodyTab(templates ? kTemplatePaneTab : kResultPaneTab);
}

void WorkspaceWindow::showPaneTab()
{
    const bool source = paneTabs_->currentIndex() == kTemplatePaneTab;
    templatePanePage_->setVisible(source);
    resultPanePage_->setVisible(!source);
}

void WorkspaceWindow::closeEvent(QCloseEvent* event)
{
    // Leaving through the window's close does not take the focus from a pane first.
    if (!releasePanes()) {
        event->ignore();
        return;
    }
    rememberCatalogueColumn();
    QWidget::closeEvent(event);
}

// ---- focus ----

TextPane WorkspaceWindow::focusedPane() const
{
    const QWidget* last = lastFocus_->widget();
    for (const TextPane pane : {TextPane(templatePane_), TextPane(resultPane_)})
        if (last && (last == pane.widget() || pane.widget()->isAncestorOf(last)))
            return pane;
    return nullptr;
}

// ---- status hints and leaving the panes ----

QString WorkspaceWindow::valueTreeHint() const
{
    const QString hint = QString::fromLatin1(kValueTreeHint);
    const QTreeWidgetItem* value = valueTree_->node(valueTree_->selectedKey());
    return value ? u' ' + ValueSummary(value->text(0), value->childCount()) + u'.' + hint : hint;
}

bool WorkspaceWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The keys are only looked at: the list and the tree still get them for their own use.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == fieldsList_)
            fieldsListKeyPressed(key);
        else if (watched == valueTree_)
            valueTreeKeyPressed(key);
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        // Switching to another application or opening a popup is not the user moving on.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusOut && (watched == templatePane_ || watched == resultPane_))
                saveTemplate();
            if (event->type() == QEvent::FocusIn && (watched == templatePane_ || watched == resultPane_))
                lastWorkedPane_ = watched == templatePane_ ? TextPane(templatePane_) : TextPane(resultPane_);
            if (const Hint* hint = hintFor(watched)) {
                if (event->type() == QEvent::FocusIn)
                    emit statusHint(watched == valueTree_ ? valueTreeHint() : QString::fromLatin1(hint->gotFocus));
                else if (hint->clearsOnLeave)
                    emit statusHint(QString());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
