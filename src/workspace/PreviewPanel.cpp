#include "PreviewPanel.h"

#include "LineGrouping.h"
#include "PaneFont.h"
#include "PreviewText.h"
#include "ResultView.h"

#include <QBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

#include <limits>

PreviewPanel::PreviewPanel(QWidget* parent)
    : QWidget(parent)
    , bar_(new QWidget)
    , boxes_(new QHBoxLayout(bar_))
    , pane_(new ResultView(this))
{
    pieces_.setSingleShot(true);
    pieces_.setInterval(0);
    connect(&pieces_, &QTimer::timeout, this, &PreviewPanel::showMore);
    setObjectName(QStringLiteral("previewPanel"));
    bar_->setObjectName(QStringLiteral("previewBounds"));
    boxes_->setContentsMargins(0, 0, 0, 0);
    boxes_->addStretch(1);
    // Many names scroll rather than widen the window.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("previewBoundsArea"));
    scroller->setWidget(bar_);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    scroller->setFixedHeight(QSpinBox().sizeHint().height());

    pane_->setObjectName(QStringLiteral("previewPane"));
    pane_->setReadOnly(true);
    pane_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pane_->setFocusPolicy(Qt::StrongFocus);
    const QFont font = PaneFont();
    pane_->setFont(font);
    pane_->document()->setDefaultFont(font);
    pane_->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane_->document()->setUndoRedoEnabled(false);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(scroller);
    column->addWidget(pane_, 1);
}

void PreviewPanel::setBoundNames(const QStringList& names, const std::function<int(const QString&)>& startFor)
{
    if (names == names_)
        return;
    QHash<QString, int> kept;
    for (qsizetype i = 0; i < names_.size(); ++i)
        kept.insert(names_[i], spinBoxes_[i]->value());
    // Boxes are reused in place, so the one being typed in keeps the focus.
    while (spinBoxes_.size() > names.size()) {
        delete labels_.takeLast();
        delete spinBoxes_.takeLast();
    }
    while (spinBoxes_.size() < names.size()) {
        auto* label = new QLabel(bar_);
        auto* box = new QSpinBox(bar_);
        box->setObjectName(QStringLiteral("previewBound%1").arg(spinBoxes_.size()));
        box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        // Sized for a few digits, not for the whole range.
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-00000000")) + 24);
        label->setBuddy(box);
        connect(box, &QSpinBox::valueChanged, this, &PreviewPanel::answersChanged);
        boxes_->insertWidget(boxes_->count() - 1, label);
        boxes_->insertWidget(boxes_->count() - 1, box);
        labels_ << label;
        spinBoxes_ << box;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names_.value(i) == names[i])
            continue;
        labels_[i]->setText(names[i]);
        spinBoxes_[i]->setToolTip(QStringLiteral("Preview with %1 =").arg(names[i]));
        const QSignalBlocker quiet(spinBoxes_[i]);
        spinBoxes_[i]->setValue(kept.contains(names[i]) ? kept.value(names[i]) : startFor(names[i]));
    }
    names_ = names;
}

BoundAnswers PreviewPanel::answers() const
{
    BoundAnswers answers;
    for (qsizetype i = 0; i < names_.size(); ++i)
        answers.Set(names_[i], QString::number(spinBoxes_[i]->value()));
    return answers;
}

void PreviewPanel::show(const PreviewText& preview)
{
    // The first lines at once, the rest in pieces on later turns of the event loop, so
    // showing thousands of lines never holds typing up.
    const qsizetype first = pieceEnd(preview.text, 0);
    top_ = pane_->verticalScrollBar()->value();
    // A reason is read whole; an expansion keeps its lines as Run makes them.
    pane_->setLineWrapMode(preview.reason ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    pane_->showResult(preview.text.left(first),
                      preview.markers ? ResultDocument::Markers::Red : ResultDocument::Markers::Plain);
    pane_->moveCursor(QTextCursor::Start);
    rest_ = preview.text.mid(first);
    showMore();
}

qsizetype PreviewPanel::pieceEnd(const QString& text, qsizetype from)
{
    qsizetype end = from - 1;
    for (int line = 0; line < kLinesPerPiece; ++line)
        if ((end = text.indexOf(u'\n', end + 1)) < 0)
            return text.size();
    return end + 1;
}

void PreviewPanel::showMore()
{
    if (!rest_.isEmpty()) {
        const qsizetype end = pieceEnd(rest_, 0);
        QTextCursor atEnd(pane_->document());
        atEnd.movePosition(QTextCursor::End);
        // Grouped into paragraphs as the first piece is: a paragraph per line costs far more.
        QString piece = rest_.left(end);
        qsizetype line = 0;
        for (QChar& c : piece)
            if (c == u'\n')
                c = LineBreakAfter(++line);
        atEnd.insertText(piece);
        rest_.remove(0, end);
        if (!rest_.isEmpty())
            pieces_.start();
    }
    // Keeps the reader's place when the new text is about as long as the old.
    if (pane_->verticalScrollBar()->value() < top_)
        pane_->verticalScrollBar()->setValue(top_);
}
