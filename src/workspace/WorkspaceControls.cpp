// The workspace window's controls: building them, arranging them, the catalogue column's width.

#include "WorkspaceWindow.h"

#include "FieldsList.h"
#include "PaneFont.h"
#include "ResultView.h"
#include "ShownTemplateColours.h"
#include "TemplatePreview.h"
#include "Twips.h"
#include "WorkspaceSettings.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTabBar>
#include <QTextEdit>

namespace {


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

void WorkspaceWindow::buildControls()
{
    // Created bottom to top, so later siblings cover earlier ones: the frames and the top-row
    // controls lie over the tab strips, and paneTabs over the part of catalogueTabs that reaches right.
    catalogueTabs_ = named<QTabBar>(this, "catalogueTabs");
    catalogueTabs_->addTab(QStringLiteral("Templates List"));
    catalogueTabs_->addTab(QStringLiteral("Values List"));
    paneTabs_ = named<QTabBar>(this, "paneTabs");
    paneTabs_->addTab(QStringLiteral("Template Pane"));
    paneTabs_->addTab(QStringLiteral("Result Pane"));
    for (QTabBar* tabs : {catalogueTabs_, paneTabs_}) {
        tabs->setExpanding(false);
        tabs->setDrawBase(false);
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideNone);
    }

    templatePanePage_ = named<QFrame>(this, "templatePanePage");
    templatePane_ = named<QTextEdit>(templatePanePage_, "templatePane");

    templateListPage_ = named<QFrame>(this, "templateListPage");
    templateFilter_ = filterBox(templateListPage_, "templateFilter");
    templateNameBox_ = named<QLineEdit>(templateListPage_, "templateNameBox");
    addTemplateButton_ = button(templateListPage_, "addTemplateButton", QStringLiteral("Add"));
    removeTemplateButton_ = button(templateListPage_, "removeTemplateButton", QStringLiteral("Remove"));
    templateTree_ = named<CatalogueTree>(templateListPage_, "templateTree");

    valueListPage_ = named<QFrame>(this, "valueListPage");
    valueFilter_ = filterBox(valueListPage_, "valueFilter");
    valueNameBox_ = named<QLineEdit>(valueListPage_, "valueNameBox");
    addValueButton_ = button(valueListPage_, "addValueButton", QStringLiteral("Add"));
    removeValueButton_ = button(valueListPage_, "removeValueButton", QStringLiteral("Remove"));
    importButton_ = button(valueListPage_, "importButton", QStringLiteral("..."));
    valueTree_ = named<CatalogueTree>(valueListPage_, "valueTree");
    fieldsList_ = named<FieldsList>(valueListPage_, "fieldsList");

    resultPanePage_ = named<QFrame>(this, "resultPanePage");
    resultPane_ = named<ResultView>(resultPanePage_, "resultPane");

    compactStyle_ = named<QCheckBox>(this, "compactStyle");
    compactStyle_->setText(QStringLiteral("Compact Style"));
    runButton_ = button(this, "runButton", QStringLiteral("&Run"));

    const QFont paneFont = PaneFont();
    templatePane_->setLineWrapMode(QTextEdit::WidgetWidth);
    templatePane_->setFont(paneFont);
    templatePane_->document()->setDefaultFont(paneFont);
    new ShownTemplateColours(*templatePane_);
    resultPane_->setFont(paneFont);
    resultPane_->document()->setDefaultFont(paneFont);
    for (QFrame* frame : {templatePanePage_, templateListPage_, valueListPage_, resultPanePage_})
        frame->setFrameShape(QFrame::NoFrame);

    arrangeControls();
}

void WorkspaceWindow::arrangeControls()
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

    QVBoxLayout* templates = column(templateListPage_);
    templates->addWidget(templateFilter_);
    templates->addWidget(templateNameBox_);
    templates->addLayout(rowOf({addTemplateButton_, removeTemplateButton_, nullptr}));
    templates->addWidget(templateTree_, 1);

    QVBoxLayout* values = column(valueListPage_);
    values->addWidget(valueFilter_);
    QHBoxLayout* nameRow = rowOf({valueNameBox_, importButton_});
    nameRow->setStretch(0, 1);
    values->addLayout(nameRow);
    values->addLayout(rowOf({addValueButton_, removeValueButton_, nullptr}));
    values->addWidget(valueTree_, 3);
    values->addWidget(fieldsList_, 1);

    auto* left = named<QWidget>(this, "catalogueColumn");
    QVBoxLayout* leftLayout = column(left);
    leftLayout->addWidget(catalogueTabs_);
    leftLayout->addWidget(templateListPage_, 1);
    leftLayout->addWidget(valueListPage_, 1);

    preview_ = new TemplatePreview(*templatePane_, *compactStyle_, [this] { return templateTree_->selectedKey(); }, this);
    column(templatePanePage_)->addWidget(preview_->splitter());
    column(resultPanePage_)->addWidget(resultPane_);

    auto* right = named<QWidget>(this, "paneColumn");
    QVBoxLayout* rightLayout = column(right);
    rightLayout->addLayout(rowOf({paneTabs_, nullptr, compactStyle_, runButton_}));
    rightLayout->addWidget(templatePanePage_, 1);
    rightLayout->addWidget(resultPanePage_, 1);

    // Captions are never cut: the splitter gives way elsewhere first.
    for (QWidget* captioned : {static_cast<QWidget*>(catalogueTabs_), static_cast<QWidget*>(paneTabs_),
                               static_cast<QWidget*>(compactStyle_), static_cast<QWidget*>(runButton_)})
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

// ---- layout ----

void WorkspaceWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Said once shown, when the main window listens.
    if (!typeMapProblem_.isEmpty())
        emit statusHint(std::exchange(typeMapProblem_, {}));
    if (columnPlaced_)
        return;
    columnPlaced_ = true;
    // Where the user left the splitter, else the catalogue column's classic width.
    QSettings settings = UserSettings();
    const float twips = ReadCatalogueColumnTwips(settings).value_or(kCatalogueColumnTwips);
    const int left = TwipsToPixels(twips, logicalDpiX());
    splitter_->setSizes({left, std::max(1, splitter_->width() - left)});
}

void WorkspaceWindow::rememberCatalogueColumn()
{
    if (!columnPlaced_)
        return;
    QSettings settings = UserSettings();
    WriteCatalogueColumnTwips(settings, PixelsToTwips(splitter_->sizes().value(0), logicalDpiX()));
}
