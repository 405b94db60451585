#include "TemplatePreview.h"

#include "BoundAnswerRules.h"
#include "PaneColouring.h"
#include "PreviewPanel.h"
#include "PreviewUpdates.h"
#include "ResultView.h"
#include "ShownColours.h"
#include "TemplatePaneText.h"
#include "WorkspaceSettings.h"

#include <QAbstractButton>
#include <QEvent>
#include <QSplitter>
#include <QTextEdit>

namespace {
// Kept beside the window placement.
const QString kShownKey = QStringLiteral("Settings/PreviewShown");
const QString kSplitKey = QStringLiteral("Settings/PreviewSplit");
// A bound the user never answered for this template previews with this many steps.
constexpr int kFirstPreviewNumber = 3;
} // namespace

TemplatePreview::TemplatePreview(QTextEdit& templatePane, QAbstractButton& compactStyle,
                                 std::function<QString()> templateKey, QWidget* parent)
    : QObject(parent)
    , templatePane_(templatePane)
    , compactStyle_(compactStyle)
    , templateKey_(std::move(templateKey))
    , splitter_(new QSplitter(Qt::Horizontal, parent))
    , panel_(new PreviewPanel)
{
    splitter_->setObjectName(QStringLiteral("previewSplitter"));
    splitter_->addWidget(&templatePane_);
    splitter_->addWidget(panel_);
    splitter_->setChildrenCollapsible(false);
    // Half and half until the user moves the bar.
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);
    panel_->hide();

    updates_ = new PreviewUpdates(
        [this] {
            // Numbers remembered for one template are not carried to the next.
            const QString key = templateKey_();
            if (key != numbersFor_) {
                numbersFor_ = key;
                panel_->setBoundNames({}, {});
            }
            return PreviewUpdates::Request{TemplatePaneText(*templatePane_.document()), compactStyle_.isChecked(),
                                           panel_->answers()};
        },
        this);
    connect(updates_, &PreviewUpdates::ready, this, &TemplatePreview::showPreview);
    // The pane's own signal: loading a template may give it a new document.
    connect(&templatePane_, &QTextEdit::textChanged, this, [this] {
        if (isShown())
            updates_->changed();
    });
    connect(&compactStyle_, &QAbstractButton::toggled, this, [this] {
        if (isShown())
            updates_->changed();
    });
    connect(panel_, &PreviewPanel::answersChanged, this, [this] { updates_->now(); });
    connect(splitter_, &QSplitter::splitterMoved, this, &TemplatePreview::rememberSplit);
    parent->installEventFilter(this);
}

TemplatePreview::~TemplatePreview() = default;

ResultView* TemplatePreview::pane() const
{
    return panel_->pane();
}

bool TemplatePreview::isShown() const
{
    return !panel_->isHidden();
}

void TemplatePreview::setShown(bool shown)
{
    UserSettings().setValue(kShownKey, shown);
    if (shown == isShown())
        return;
    panel_->setVisible(shown);
    if (shown) {
        updates_->now();
    } else {
        updates_->stop();
        markError(-1);
    }
}

BoundAnswers TemplatePreview::shownAnswers() const
{
    return isShown() ? panel_->answers() : BoundAnswers();
}

bool TemplatePreview::eventFilter(QObject* watched, QEvent* event)
{
    // Placed once the window has its first size: on for a wide window until the user chose.
    if (event->type() == QEvent::Show && !placed_) {
        placed_ = true;
        QSettings settings = UserSettings();
        const QVariant chosen = settings.value(kShownKey);
        const bool shown = chosen.isValid() ? chosen.toBool() : static_cast<QWidget*>(watched)->width() >= kWideWindow;
        splitter_->restoreState(settings.value(kSplitKey).toByteArray());
        panel_->setVisible(shown);
        if (shown)
            updates_->now();
    }
    return QObject::eventFilter(watched, event);
}

void TemplatePreview::showPreview(const PreviewText& preview)
{
    if (!preview.parseFailed && preview.boundNames != panel_->boundNames()) {
        // New names start from their own numbers: worked out again with those before showing.
        panel_->setBoundNames(preview.boundNames, [this](const QString& name) { return startingNumber(name); });
        updates_->now();
        return;
    }
    panel_->show(preview);
    markError(preview.parseFailed ? preview.errorOffset : -1);
}

void TemplatePreview::markError(qsizetype offset)
{
    if (offset < 0) {
        if (!templatePane_.extraSelections().isEmpty())
            templatePane_.setExtraSelections({});
        return;
    }
    // The character at the place, or the last one when the template ends too early.
    const int end = templatePane_.document()->characterCount() - 1;
    const int from = int(std::clamp<qsizetype>(offset, 0, std::max(0, end - 1)));
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(templatePane_.document());
    mark.cursor.setPosition(from);
    mark.cursor.setPosition(std::min(from + 1, end), QTextCursor::KeepAnchor);
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(ShownColour(kFieldColour, templatePane_.palette()));
    templatePane_.setExtraSelections({mark});
}

int TemplatePreview::startingNumber(const QString& name) const
{
    QSettings settings = UserSettings();
    const std::optional<QString> stored = StoredAnswer(settings, numbersFor_, name);
    return stored ? stored->trimmed().toInt() : kFirstPreviewNumber;
}

void TemplatePreview::rememberSplit() const
{
    UserSettings().setValue(kSplitKey, splitter_->saveState());
}
