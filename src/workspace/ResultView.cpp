#include "ResultView.h"

#include "PaneColouring.h"
#include "ResultDocument.h"
#include "ShownColours.h"

#include <QEvent>

#include <QTextBlock>
#include <QTextLayout>

ResultView::ResultView(QWidget* parent)
    : QPlainTextEdit(parent)
    , document_(new ResultDocument(this))
{
    setDocument(document_);
}

void ResultView::showResult(QString text, ResultDocument::Markers markers)
{
    document_->setResult(std::move(text), markers);
    // A plain text view finds the last line without laying out the ones before it.
    moveCursor(QTextCursor::End);
}

QColor ResultView::markerColour() const
{
    return ShownColour(kFieldColour, palette());
}

void ResultView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        document_->forgetColours();
    QPlainTextEdit::changeEvent(event);
}

void ResultView::paintEvent(QPaintEvent* event)
{
    colourVisibleBlocks();
    QPlainTextEdit::paintEvent(event);
}

void ResultView::colourVisibleBlocks()
{
    const int generation = document_->colouringGeneration();
    QTextCharFormat marker;
    marker.setForeground(markerColour());
    const qreal bottom = viewport()->height();
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock();
         block.isValid() && blockBoundingGeometry(block).translated(offset).top() <= bottom; block = block.next()) {
        // The state holds the edit count the block was coloured at; any edit may move a
        // marker's end across lines, so older colours are worked out again.
        if (block.userState() == generation)
            continue;
        QList<QTextLayout::FormatRange> ranges;
        for (const TextSpan& run : document_->markerRunsIn(block.position(), block.length() - 1))
            ranges.append({int(run.start - block.position()), int(run.length), marker});
        block.layout()->setFormats(ranges);
        block.setUserState(generation);
        // Hands the change to the layout now, or it would wait for the next edit and take
        // every line between here and there with it.
        document_->markContentsDirty(block.position(), block.length());
    }
}
