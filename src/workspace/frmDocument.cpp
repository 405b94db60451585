#include "frmDocument.h"

#include "BusyCursor.h"
#include "CatalogueContents.h"
#include "CatalogueKeys.h"
#include "Dialogs.h"
#include "FieldSubstitution.h"
#include "FieldsList.h"
#include "LastFocus.h"
#include "PaneRichText.h"
#include "ResultDocument.h"
#include "ResultView.h"
#include "RunCommand.h"
#include "SourcePaneColourer.h"
#include "StorableName.h"
#include "TemplateBody.h"
#include "TemplatePaneText.h"
#include "TextDrops.h"
#include "TreeFilter.h"
#include "Twips.h"
#include "ValueTreeRules.h"
#include "WorkspaceSettings.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

const QString frmDocument::kTempalatesFile = QStringLiteral("Data\\Tempalates.app");
const QString frmDocument::kValuesFile = QStringLiteral("Data\\Values.app");
const QString frmDocument::kTempalatePrefix = QStringLiteral("TMP_");
const QString frmDocument::kValuePrefix = QStringLiteral("VAL_");

namespace {

constexpr quint32 kWhite = 0xFFFFFF;
constexpr int kListTempalates = 0;
constexpr int kListValues = 1;
constexpr int kBodyTempalate = 0;
constexpr int kBodyResult = 1;
constexpr int kMaxProblemsShown = 10;
constexpr int kPanePointSize = 10;

struct Hint
{
    const char* control;
    const char* gotFocus;
    bool clearsOnLeave;
};

// The panes keep their hint after losing the focus; the lists clear theirs.
const Hint kHints[] = {
    {"cboFields",
     " Active Control: Fields List (Press <Insert> to insert the same text as field and press <Delete> to delete "
     "that field from the comboBox)",
     true},
    {"tvTempalates", " Active Control: Templates List", true},
    {"tvValues",
     " Active Control: Values List (Click or Press <SpaceBar>/<Enter> to replace the current field with the "
     "selected value)",
     true},
    {"txtSource", " Active Control: Template Pane", false},
    {"txtTarget", " Active Control: Result Pane", false},
};

const Hint* hintFor(const QObject* control)
{
    for (const Hint& hint : kHints)
        if (control->objectName() == QLatin1String(hint.control))
            return &hint;
    return nullptr;
}

template <typename T>
T* named(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = named<QPushButton>(parent, name);
    b->setText(caption);
    return b;
}

QLineEdit* filterBox(QWidget* parent, const char* name)
{
    auto* box = named<QLineEdit>(parent, name);
    box->setPlaceholderText(QStringLiteral("Filter by name"));
    box->setClearButtonEnabled(true);
    return box;
}

} // namespace

frmDocument::frmDocument(const QString& dataFolder, QWidget* parent)
    : QWidget(parent)
    , dataFolder_(dataFolder)
{
    setObjectName(QStringLiteral("frmDocument"));
    setWindowTitle(QStringLiteral("Workspace"));
    buildControls();

    auto describe = [](Catalogue& c, CatalogueTree* tree, QLineEdit* nameBox, const QString& file,
                       const QString& prefix, bool hasBodies, const QString& title) {
        c.tree = tree;
        c.nameBox = nameBox;
        c.file = file;
        c.prefix = prefix;
        c.hasBodies = hasBodies;
        c.title = title;
    };
    describe(templates_, tvTempalates_, txtTempalate_, kTempalatesFile, kTempalatePrefix, true,
             QStringLiteral("template"));
    describe(values_, tvValues_, txtValue_, kValuesFile, kValuePrefix, false, QStringLiteral("value"));

    connect(cmdAddTempalate_, &QPushButton::clicked, this, &frmDocument::cmdAddTempalate_Click);
    connect(cmdAddValue_, &QPushButton::clicked, this, &frmDocument::cmdAddValue_Click);
    connect(cmdRemoveTempalate_, &QPushButton::clicked, this, &frmDocument::cmdRemoveTempalate_Click);
    connect(cmdRemoveValue_, &QPushButton::clicked, this, &frmDocument::cmdRemoveValue_Click);
    connect(cmdBrowse_, &QPushButton::clicked, this, &frmDocument::cmdBrowse_Click);
    connect(txtTempalate_, &QLineEdit::returnPressed, this, &frmDocument::cmdAddTempalate_Click);
    connect(txtValue_, &QLineEdit::returnPressed, this, &frmDocument::cmdAddValue_Click);
    connect(txtTempalateFilter_, &QLineEdit::textChanged, this,
            [this](const QString& text) { FilterTree(*tvTempalates_, text); });
    connect(txtValueFilter_, &QLineEdit::textChanged, this,
            [this](const QString& text) { FilterTree(*tvValues_, text); });
    connect(tabList_, &QTabBar::currentChanged, this, &frmDocument::tabList_Click);
    // A click on the tab already shown switches the panes all the same.
    connect(tabList_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == tabList_->currentIndex())
            tabList_Click();
    });
    connect(tabBody_, &QTabBar::currentChanged, this, &frmDocument::tabBody_Click);
    connect(cmdRun_, &QPushButton::clicked, this, &frmDocument::cmdRun_Click);
    connect(tvValues_, &QTreeWidget::itemDoubleClicked, this, &frmDocument::tvValues_DblClick);
    // Keyboard moves count as well as clicks, so the summary always names the selected value.
    connect(tvValues_, &QTreeWidget::itemClicked, this, &frmDocument::tvValues_NodeClick);
    connect(tvValues_, &QTreeWidget::currentItemChanged, this, &frmDocument::tvValues_NodeClick);
    new TextDrops(tvValues_->viewport(), [this](const QString& text) { tvValues_OLEDragDrop(text); });
    auto* fill = new QAction(QStringLiteral("Fill following"), tvValues_);
    fill->setObjectName(QStringLiteral("mnuFillFollowing"));
    fill->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    fill->setShortcutContext(Qt::WidgetShortcut);
    tvValues_->addAction(fill);
    tvValues_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(fill, &QAction::triggered, this, &frmDocument::fillFollowing);
    for (QWidget* w : {static_cast<QWidget*>(cboFields_), static_cast<QWidget*>(tvTempalates_),
                       static_cast<QWidget*>(tvValues_), static_cast<QWidget*>(txtSource_),
                       static_cast<QWidget*>(txtTarget_)})
        w->installEventFilter(this);
    lastFocus_ = new LastFocus(this);
    lastWorkedPane_ = txtSource_;

    sourceColourer_ = std::make_unique<SourcePaneColourer>(*txtSource_, resultBusy_);
    connect(txtSource_, &QTextEdit::textChanged, this, [this] {
        bodyChanges_.touch(BodyChanges::Pane::Template);
        sourceColourer_->txtSource_Change();
    });
    connect(txtTarget_, &QPlainTextEdit::textChanged, this, [this] { bodyChanges_.touch(BodyChanges::Pane::Result); });
    // Keyboard moves load too, so the panes always belong to the selected template and a save
    // never lands in another template's body.
    connect(tvTempalates_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            tvTempalates_NodeClick(current);
    });
    connect(tvTempalates_, &CatalogueTree::currentNodeClicked, this, &frmDocument::tvTempalates_NodeClick);

    Form_Load();
}

frmDocument::~frmDocument()
{
    // The panes outlive our members while QWidget tears the children down.
    txtSource_->disconnect(this);
    txtTarget_->disconnect(this);
    tvTempalates_->disconnect(this);
    for (QWidget* w : {static_cast<QWidget*>(cboFields_), static_cast<QWidget*>(tvTempalates_),
                       static_cast<QWidget*>(tvValues_), static_cast<QWidget*>(txtSource_),
                       static_cast<QWidget*>(txtTarget_)})
        w->removeEventFilter(this);
}

void frmDocument::buildControls()
{
    // Created bottom to top, so later siblings cover earlier ones: the frames and the top-row
    // controls lie over the tab strips, and tabBody over the part of tabList that reaches right.
    tabList_ = named<QTabBar>(this, "tabList");
    tabList_->addTab(QStringLiteral("Templates List"));
    tabList_->addTab(QStringLiteral("Values List"));
    tabBody_ = named<QTabBar>(this, "tabBody");
    tabBody_->addTab(QStringLiteral("Template Pane"));
    tabBody_->addTab(QStringLiteral("Result Pane"));
    for (QTabBar* tabs : {tabList_, tabBody_}) {
        tabs->setExpanding(false);
        tabs->setDrawBase(false);
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideNone);
    }

    fraSource_ = named<QFrame>(this, "fraSource");
    txtSource_ = named<QTextEdit>(fraSource_, "txtSource");

    fraTempalate_ = named<QFrame>(this, "fraTempalate");
    txtTempalateFilter_ = filterBox(fraTempalate_, "txtTempalateFilter");
    txtTempalate_ = named<QLineEdit>(fraTempalate_, "txtTempalate");
    cmdAddTempalate_ = button(fraTempalate_, "cmdAddTempalate", QStringLiteral("Add"));
    cmdRemoveTempalate_ = button(fraTempalate_, "cmdRemoveTempalate", QStringLiteral("Remove"));
    tvTempalates_ = named<CatalogueTree>(fraTempalate_, "tvTempalates");

    fraValue_ = named<QFrame>(this, "fraValue");
    txtValueFilter_ = filterBox(fraValue_, "txtValueFilter");
    txtValue_ = named<QLineEdit>(fraValue_, "txtValue");
    cmdAddValue_ = button(fraValue_, "cmdAddValue", QStringLiteral("Add"));
    cmdRemoveValue_ = button(fraValue_, "cmdRemoveValue", QStringLiteral("Remove"));
    cmdBrowse_ = button(fraValue_, "cmdBrowse", QStringLiteral("..."));
    tvValues_ = named<CatalogueTree>(fraValue_, "tvValues");
    cboFields_ = named<FieldsList>(fraValue_, "cboFields");

    fraTarget_ = named<QFrame>(this, "fraTarget");
    txtTarget_ = named<ResultView>(fraTarget_, "txtTarget");

    chkCS_ = named<QCheckBox>(this, "chkCS");
    chkCS_->setText(QStringLiteral("Compact Style"));
    cmdRun_ = button(this, "cmdRun", QStringLiteral("&Run"));

    // Templates are code: a fixed-pitch font, and one size everywhere so that the RTF we
    // store carries no size of its own on any machine.
    QFont paneFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    paneFont.setPointSize(kPanePointSize);
    txtSource_->setLineWrapMode(QTextEdit::WidgetWidth);
    txtSource_->setFont(paneFont);
    txtSource_->document()->setDefaultFont(paneFont);
    txtTarget_->setFont(paneFont);
    txtTarget_->document()->setDefaultFont(paneFont);
    for (QFrame* frame : {fraSource_, fraTempalate_, fraValue_, fraTarget_})
        frame->setFrameShape(QFrame::NoFrame);

    arrangeControls();
}

void frmDocument::arrangeControls()
{
    // Layouts place everything, so nothing overlaps or is cut at any size; the catalogue
    // column starts at its classic width and the user may move the splitter.

    // A null entry in a row is the stretch that pushes the rest to the right.
    auto rowOf = [](std::initializer_list<QWidget*> widgets) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        for (QWidget* w : widgets) {
            if (w == nullptr)
                row->addStretch(1);
            else
                row->addWidget(w);
        }
        return row;
    };
    auto column = [](QWidget* owner) {
        auto* layout = new QVBoxLayout(owner);
        layout->setContentsMargins(0, 0, 0, 0);
        return layout;
    };

    QVBoxLayout* templates = column(fraTempalate_);
    templates->addWidget(txtTempalateFilter_);
    templates->addWidget(txtTempalate_);
    templates->addLayout(rowOf({cmdAddTempalate_, cmdRemoveTempalate_, nullptr}));
    templates->addWidget(tvTempalates_, 1);

    QVBoxLayout* values = column(fraValue_);
    values->addWidget(txtValueFilter_);
    QHBoxLayout* nameRow = rowOf({txtValue_, cmdBrowse_});
    nameRow->setStretch(0, 1);
    values->addLayout(nameRow);
    values->addLayout(rowOf({cmdAddValue_, cmdRemoveValue_, nullptr}));
    values->addWidget(tvValues_, 3);
    values->addWidget(cboFields_, 1);

    auto* left = named<QWidget>(this, "catalogueColumn");
    QVBoxLayout* leftLayout = column(left);
    leftLayout->addWidget(tabList_);
    leftLayout->addWidget(fraTempalate_, 1);
    leftLayout->addWidget(fraValue_, 1);

    column(fraSource_)->addWidget(txtSource_);
    column(fraTarget_)->addWidget(txtTarget_);

    auto* right = named<QWidget>(this, "paneColumn");
    QVBoxLayout* rightLayout = column(right);
    rightLayout->addLayout(rowOf({tabBody_, nullptr, chkCS_, cmdRun_}));
    rightLayout->addWidget(fraSource_, 1);
    rightLayout->addWidget(fraTarget_, 1);

    // Captions are never cut: the splitter gives way elsewhere first.
    for (QWidget* captioned : {static_cast<QWidget*>(tabList_), static_cast<QWidget*>(tabBody_),
                               static_cast<QWidget*>(chkCS_), static_cast<QWidget*>(cmdRun_)})
        captioned->setMinimumWidth(captioned->sizeHint().width());

    splitter_ = named<QSplitter>(this, "splitter");
    splitter_->addWidget(left);
    splitter_->addWidget(right);
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(1, 1);
    auto* whole = new QHBoxLayout(this);
    whole->setContentsMargins(3, 3, 3, 3);
    whole->addWidget(splitter_);
}

Stream& frmDocument::stream()
{
    if (!stream_)
        stream_ = std::make_unique<Stream>(Stream::forDataFolder(dataFolder_));
    return *stream_;
}

// ---- start-up and the trees ----

void frmDocument::Form_Load()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    templates_.table = stream().GetRecordset(kTempalatesFile);
    values_.table = stream().GetRecordset(kValuesFile);
    SetTreeBackColor(tvTempalates_, kWhite);
    SetTreeBackColor(tvValues_, kWhite);
    templates_.addedCount = 2;
    values_.addedCount = 2;
    LoadTempalates();
    LoadValues();
    QGuiApplication::restoreOverrideCursor();

    fraSource_->show();
    fraTarget_->hide();
    selectListTab(kListTempalates);
    selectBodyTab(kBodyTempalate);
}

void frmDocument::LoadTempalates()
{
    LoadCatalogue(templates_);
}

void frmDocument::LoadValues()
{
    LoadCatalogue(values_);
}

void frmDocument::LoadCatalogue(Catalogue& c)
{
    const CatalogueEntry root{kRootKey, QString(), QStringLiteral("Main"), 1};
    CatalogueContents contents;
    if (c.table)
        contents = ReadCatalogue(*c.table);
    else
        contents.usable = false; // the store has already reported why
    c.readable = contents.usable;
    c.lastStamp = fileStamp(c);
    c.maxId = contents.maxId;
    c.takenIds = contents.takenIds;

    c.tree->loadNodes(root, contents.entries);
    c.tree->selectNode(kRootKey);
    c.tree->node(kRootKey)->setExpanded(true);
    c.tree->scrollToItem(c.tree->node(kRootKey));

    if (!contents.problems.isEmpty()) {
        QStringList lines = contents.problems.mid(0, kMaxProblemsShown);
        if (contents.problems.size() > kMaxProblemsShown)
            lines << QStringLiteral("... and %1 more").arg(contents.problems.size() - kMaxProblemsShown);
        const QString text =
            contents.usable
                ? QStringLiteral("%1: %2 record(s) cannot be shown in the tree; the file was left as it is.\n\n%3")
                      .arg(c.file)
                      .arg(contents.problems.size())
                      .arg(lines.join(u'\n'))
                : QStringLiteral("%1 cannot be used: %2.").arg(c.file, lines.join(u'\n'));
        Dialogs::current().message(this, text, Dialogs::Icon::Warning);
    }
}

// ---- adding and removing ----

frmDocument::Catalogue* frmDocument::catalogueFor(const QString& file)
{
    if (file.compare(kTempalatesFile, Qt::CaseInsensitive) == 0)
        return &templates_;
    if (file.compare(kValuesFile, Qt::CaseInsensitive) == 0)
        return &values_;
    return nullptr;
}

void frmDocument::refreshTakenIds(Catalogue& c)
{
    // Another workspace window may have added items since our last write: read the file afresh
    // when it is no longer the one we last wrote or read.
    if (c.readable && fileStamp(c) != c.lastStamp) {
        if (std::optional<Recordset> fresh = stream().GetRecordset(c.file)) {
            c.takenIds = TakenIds(*fresh);
            c.lastStamp = fileStamp(c);
        }
    }
}

QString frmDocument::nextKey(Catalogue& c)
{
    refreshTakenIds(c);
    return NodeKey(NextFreeId(c.maxId, c.addedCount, c.takenIds));
}

QString frmDocument::fileStamp(const Catalogue& c) const
{
    const QFileInfo info(Stream::forDataFolder(dataFolder_).tablePath(c.file));
    return QString::number(info.size()) + u'@' + QString::number(info.lastModified().toMSecsSinceEpoch()) + u'/' +
           QString::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

QString frmDocument::nextTempalateKey()
{
    return nextKey(templates_);
}

QString frmDocument::nextValueKey()
{
    return nextKey(values_);
}

bool frmDocument::refuseChange(const Catalogue& c)
{
    if (c.readable)
        return false;
    Dialogs::current().message(
        this,
        QStringLiteral("The %1 catalogue (%2) could not be read when this window opened, so it cannot be changed. "
                       "Put the file right and open the program again.")
            .arg(c.title, c.file),
        Dialogs::Icon::Warning);
    return true;
}

bool frmDocument::AddNode(CatalogueTree* tree, const QString& key, const QString& text, const QString& file,
                          const QString& prefix, bool select)
{
    Catalogue* c = catalogueFor(file);
    if (!c || refuseChange(*c) || tree->node(key))
        return false;
    QString parentKey = tree->selectedKey();
    if (parentKey.isEmpty())
        parentKey = kRootKey;

    // Store first: the tree never shows an item that is not in its file.
    std::optional<Recordset> table = stream().InsertRecord(file, BuildCatalogueRecord(key, text, parentKey));
    if (!table)
        return false;
    c->table = std::move(table);
    c->lastStamp = fileStamp(*c);
    const qint32 id = NodeId(key);
    c->takenIds.insert(id);
    if (c->hasBodies && !stream().WriteStream(prefix + key, kPaneSeparator)) {
        // A template without its body would fail on every later load; take the record back.
        if (std::optional<Recordset> back = stream().DeleteRecord(file, id)) {
            c->table = std::move(back);
            c->takenIds.remove(id);
        }
        return false;
    }

    QTreeWidgetItem* parent = tree->node(parentKey);
    if (!IsRootKey(parentKey))
        CatalogueTree::setImage(parent, 2);
    QTreeWidgetItem* item = tree->addNode(parentKey, key, text, 3);
    parent->setExpanded(true); // so the user sees what was just added
    if (select)
        tree->setCurrentItem(item);
    tree->scrollToItem(tree->currentItem());
    return true;
}

qsizetype frmDocument::AddValues(const QStringList& texts)
{
    if (texts.isEmpty() || refuseChange(values_))
        return 0;
    QString parentKey = tvValues_->selectedKey();
    if (parentKey.isEmpty())
        parentKey = kRootKey;

    // Rewriting the file once per value would make a long drop take minutes. Every value up
    // to the first the file cannot hold goes in one write; the rest then go one at a time, so
    // the first that fails stops the run with the store's own report.
    qsizetype storable = 0;
    while (storable < texts.size() && !nameRefusal(texts[storable]))
        ++storable;
    const qint32 addedBefore = values_.addedCount;
    const QList<qint32> ids = takeValueIds(int(storable));
    QList<QVariantList> records;
    for (qsizetype i = 0; i < storable; ++i)
        records << BuildCatalogueRecord(NodeKey(ids[i]), texts[i], parentKey);
    if (!addValueRecords(records)) {
        values_.addedCount = addedBefore;
        return 0;
    }
    tvValues_->scrollToItem(tvValues_->currentItem());

    qsizetype added = storable;
    for (; added < texts.size(); ++added) {
        if (!AddNode(tvValues_, nextKey(values_), texts[added], kValuesFile, kValuePrefix, false))
            break;
        ++values_.addedCount;
    }
    return added;
}

void frmDocument::RemoveNode(CatalogueTree* tree, const QString& file, const QString& prefix)
{
    // A second click that arrives while the first is handled (a double-click) must not take
    // the next item with it.
    if (removing_)
        return;
    const QScopedValueRollback<bool> handling(removing_, true);
    const QString key = tree->selectedKey();
    if (key.isEmpty() || IsRootKey(key))
        return;
    if (tree->node(key)->childCount() > 0) {
        Dialogs::current().message(this, QStringLiteral("Item can't be deleted, first delete its children"),
                                   Dialogs::Icon::None);
        return;
    }
    Catalogue* c = catalogueFor(file);
    if (!c || refuseChange(*c))
        return;
    const qint32 id = NodeId(key);
    if (c->table && RecordsWithId(*c->table, id) > 1) {
        // The store deletes by ID, so it would take the hidden record with it.
        Dialogs::current().message(
            this,
            QStringLiteral("This item cannot be removed on its own: %1 holds another record with the ID %2, which "
                           "would be removed with it.")
                .arg(file)
                .arg(id),
            Dialogs::Icon::Warning);
        return;
    }

    QTreeWidgetItem* node = tree->node(key);
    const QString question = c->hasBodies
                                 ? QStringLiteral("Remove the template \"%1\"? Its text and result are deleted with it.")
                                 : QStringLiteral("Remove the value \"%1\"?");
    if (!Dialogs::current().confirm(this, question.arg(node->text(0))))
        return;

    std::optional<Recordset> table = stream().DeleteRecord(file, id);
    if (!table)
        return;
    c->table = std::move(table);
    c->takenIds = TakenIds(*c->table);
    c->lastStamp = fileStamp(*c);
    if (c->hasBodies) {
        // The panes no longer belong to a template: nothing may write its body again.
        if (bodyChanges_.key() == key)
            bodyChanges_.setStored(QString(), currentPaneTexts());
        QFile::remove(QDir(dataFolder_).filePath(prefix + key));
    }
    // The parent, not a neighbour, takes the selection, so a second Remove cannot hit an item
    // the user never chose.
    tree->selectNode(CatalogueTree::keyOf(node->parent()));
    tree->removeNode(key);
}

void frmDocument::addTyped(Catalogue& c)
{
    const QString name = c.nameBox->text().trimmed();
    c.nameBox->setFocus();
    if (name.isEmpty()) {
        Dialogs::current().message(this, QStringLiteral("Please type a name for the new %1.").arg(c.title),
                                   Dialogs::Icon::Warning);
        return;
    }
    // A refused name stays in the box, so the user can put it right and try again.
    if (!AddNode(c.tree, nextKey(c), name, c.file, c.prefix, false))
        return;
    ++c.addedCount;
    c.nameBox->clear();
}

void frmDocument::cmdAddTempalate_Click()
{
    addTyped(templates_);
}

void frmDocument::cmdAddValue_Click()
{
    addTyped(values_);
}

void frmDocument::cmdRemoveTempalate_Click()
{
    RemoveNode(tvTempalates_, kTempalatesFile, kTempalatePrefix);
}

void frmDocument::cmdRemoveValue_Click()
{
    RemoveNode(tvValues_, kValuesFile, kValuePrefix);
}

// ---- Run and the fields ----

void frmDocument::cmdRun_Click()
{
    const QString templateText = TemplatePaneText(*txtSource_->document());
    // Cancel here stops the Run before anything changes.
    std::optional<BoundAnswers> answers = AskBounds(this, tvTempalates_->selectedKey(), templateText);
    if (!answers)
        return;
    BusyCursor busy;
    ExpansionRequest request;
    request.compactStyle = chkCS_->isChecked();
    request.answers = std::move(*answers);
    // Every name is answered above; a bound that still cannot be used is named, not hidden.
    request.strict = true;
    request.progress = Dialogs::current().runProgress(this);
    ExpansionResult expansion = GenerateResult(templateText, request);
    if (expansion.outcome == ExpansionResult::Outcome::Cancelled)
        return;
    {
        ResultBusy writing(*this);
        ShowExpansion(this, *txtTarget_, templateText, expansion);
    }
    const bool parseFailed = expansion.outcome == ExpansionResult::Outcome::ParseFailed;
    if (!parseFailed) {
        selectBodyTab(kBodyResult);
        selectListTab(kListValues);
    }
    SaveTemplate();
    // The fields come from the pane as it now stands, also when the expansion was refused.
    FillFieldsList(*cboFields_, txtTarget_->resultDocument()->text());
    if (parseFailed) {
        // The template pane stays in front, the caret where the template goes wrong.
        selectBodyTab(kBodyTempalate);
        QTextCursor caret = txtSource_->textCursor();
        const qsizetype last = txtSource_->document()->characterCount() - 1;
        caret.setPosition(int(std::clamp<qsizetype>(expansion.errorOffset, 0, last)));
        txtSource_->setTextCursor(caret);
        txtSource_->setFocus(Qt::OtherFocusReason);
    }
}

void frmDocument::paneReplaced(TextPane pane)
{
    if (pane.widget() == txtTarget_)
        FillFieldsList(*cboFields_, txtTarget_->resultDocument()->text());
}

void frmDocument::tvValues_DblClick()
{
    const QTreeWidgetItem* value = tvValues_->node(tvValues_->selectedKey());
    if (value && value->childCount() == 0)
        FillSelectedField(*txtTarget_->resultDocument(), *cboFields_, value->text(0));
}

void frmDocument::tvValues_KeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
        return;
    if (const QTreeWidgetItem* value = tvValues_->node(tvValues_->selectedKey()))
        FillSelectedField(*txtTarget_->resultDocument(), *cboFields_, value->text(0));
}

void frmDocument::tvValues_NodeClick()
{
    if (const QTreeWidgetItem* value = tvValues_->node(tvValues_->selectedKey()))
        tvValues_->setToolTip(ValueSummary(value->text(0), value->childCount()));
}

void frmDocument::tvValues_OLEDragDrop(const QString& text)
{
    const QString separator = Dialogs::current()
                                  .input(this, QStringLiteral("Please provide the split character"),
                                         QStringLiteral("Splitter Value"), QStringLiteral(","))
                                  .value_or(QString());
    const QStringList pieces = SplitDropped(text, separator);
    qsizetype added = 0;
    {
        BusyCursor busy;
        added = AddValues(pieces);
    }
    tvValues_NodeClick(); // the selected value has new children
    if (added < pieces.size())
        Dialogs::current().message(
            this,
            QStringLiteral("%1 of the %2 dropped values were added. The value \"%3\" could not be stored, so it "
                           "and the %4 after it were left out.")
                .arg(added)
                .arg(pieces.size())
                .arg(pieces[added])
                .arg(pieces.size() - added - 1),
            Dialogs::Icon::Warning);
}

void frmDocument::cboFields_KeyDown(int key)
{
    if (key == Qt::Key_Insert)
        FillSelectedFieldWithName(*txtTarget_->resultDocument(), *cboFields_);
    else if (key == Qt::Key_Delete)
        cboFields_->dropSelected();
}

void frmDocument::fillFollowing()
{
    QTreeWidgetItem* value = tvValues_->node(tvValues_->selectedKey());
    if (!value)
        return;
    QStringList values;
    if (QTreeWidgetItem* parent = value->parent()) {
        for (int i = parent->indexOfChild(value); i < parent->childCount(); ++i)
            values << parent->child(i)->text(0);
    } else {
        values << value->text(0);
    }
    FillFollowingFields(*txtTarget_->resultDocument(), *cboFields_, values);
}

// ---- template bodies ----

void frmDocument::tvTempalates_NodeClick(QTreeWidgetItem* node)
{
    // The panes' changes go to the template they belong to before anything replaces them.
    // A failed write (already reported) keeps the panes on their template: loading another
    // body over them would lose the edit.
    const QString owner = bodyChanges_.key();
    if (!SaveTemplate() && !owner.isEmpty()) {
        // Once the click that moved the selection is done with it.
        QTimer::singleShot(0, this, [this, owner] {
            const QSignalBlocker quiet(tvTempalates_);
            tvTempalates_->selectNode(owner);
        });
        return;
    }
    const QString key = CatalogueTree::keyOf(node);
    if (IsRootKey(key)) {
        SetPaneRichText(*txtSource_, QString());
        bodyChanges_.setStored(QString(), currentPaneTexts());
    } else {
        BusyCursor busy;
        const TemplateBody body = SplitBody(StoredBodyText(stream().ReadStream(kTempalatePrefix + key)));
        SetPaneRichText(*txtSource_, body.templateRichText);
        txtTarget_->resultDocument()->setRichText(body.resultRichText);
        // Compared with the body as read, so a pane the user leaves alone is never written back,
        // and a body we could not read whole stays on disk as it is.
        bodyChanges_.setStored(key, {body.templateRichText, body.resultRichText});
    }
    selectBodyTab(kBodyTempalate);
}

BodyChanges::Texts frmDocument::currentPaneTexts() const
{
    return bodyChanges_.current([this](BodyChanges::Pane pane) {
        return pane == BodyChanges::Pane::Template ? PaneRichText(*txtSource_)
                                                   : txtTarget_->resultDocument()->richText();
    });
}

bool frmDocument::templateModified() const
{
    return bodyChanges_.differs(currentPaneTexts());
}

bool frmDocument::SaveTemplate()
{
    const BodyChanges::Texts now = currentPaneTexts();
    const QString key = bodyChanges_.key();
    if (!bodyChanges_.differs(now)) {
        // Touched but back as stored: nothing to build again until the next edit.
        bodyChanges_.setStored(key, now);
        return true;
    }
    if (key.isEmpty()) {
        if (bodyChanges_.takeUnsavedWarning())
            Dialogs::current().message(
                this,
                QStringLiteral("The panes belong to no template, so their changes are not saved."),
                Dialogs::Icon::Warning);
        return false;
    }
    BusyCursor busy;
    // After a failed write (already reported) the change stays unsaved, so leaving a pane or
    // closing the window tries again instead of dropping the edit.
    if (!stream().WriteStream(kTempalatePrefix + key, BodyPieces(now.templateRichText, now.resultRichText)))
        return false;
    bodyChanges_.setStored(key, now);
    return true;
}

// ---- tabs ----

void frmDocument::selectListTab(int index)
{
    if (tabList_->currentIndex() == index)
        tabList_Click();
    else
        tabList_->setCurrentIndex(index);
}

void frmDocument::selectBodyTab(int index)
{
    if (tabBody_->currentIndex() == index)
        tabBody_Click();
    else
        tabBody_->setCurrentIndex(index);
}

void frmDocument::tabList_Click()
{
    // The list strip drives the body strip, never the other way round.
    const bool templates = tabList_->currentIndex() == kListTempalates;
    fraTempalate_->setVisible(templates);
    fraValue_->setVisible(!templates);
    selectBodyTab(templates ? kBodyTempalate : kBodyResult);
}

void frmDocument::tabBody_Click()
{
    const bool source = tabBody_->currentIndex() == kBodyTempalate;
    fraSource_->setVisible(source);
    fraTarget_->setVisible(!source);
}

void frmDocument::closeEvent(QCloseEvent* event)
{
    // Leaving through the window's close does not take the focus from a pane first.
    SaveTemplate();
    rememberCatalogueColumn();
    QWidget::closeEvent(event);
}

// ---- focus ----

TextPane frmDocument::focusedPane() const
{
    const QWidget* last = lastFocus_->widget();
    for (const TextPane pane : {TextPane(txtSource_), TextPane(txtTarget_)})
        if (last && (last == pane.widget() || pane.widget()->isAncestorOf(last)))
            return pane;
    return nullptr;
}

// ---- status hints and leaving the panes ----

bool frmDocument::eventFilter(QObject* watched, QEvent* event)
{
    // The keys are only looked at: the list and the tree still get them for their own use.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == cboFields_)
            cboFields_KeyDown(key);
        else if (watched == tvValues_)
            tvValues_KeyPress(key);
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        // Switching to another application or opening a popup is not the user moving on.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusOut && (watched == txtSource_ || watched == txtTarget_))
                SaveTemplate();
            if (event->type() == QEvent::FocusIn && (watched == txtSource_ || watched == txtTarget_))
                lastWorkedPane_ = watched == txtSource_ ? TextPane(txtSource_) : TextPane(txtTarget_);
            if (const Hint* hint = hintFor(watched)) {
                if (event->type() == QEvent::FocusIn)
                    emit statusHint(QString::fromLatin1(hint->gotFocus));
                else if (hint->clearsOnLeave)
                    emit statusHint(QString());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- layout ----

void frmDocument::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (columnPlaced_)
        return;
    columnPlaced_ = true;
    // Where the user left the splitter, else the catalogue column's classic width.
    QSettings settings = UserSettings();
    const float twips = ReadCatalogueColumnTwips(settings).value_or(kCatalogueColumnTwips);
    const int left = TwipsToPixels(twips, logicalDpiX());
    splitter_->setSizes({left, std::max(1, splitter_->width() - left)});
}

void frmDocument::rememberCatalogueColumn()
{
    if (!columnPlaced_)
        return;
    QSettings settings = UserSettings();
    WriteCatalogueColumnTwips(settings, PixelsToTwips(splitter_->sizes().value(0), logicalDpiX()));
}
