#include "ResultView.h"

#include "ResultDocument.h"

#include <QTextBlock>
#include <QTextLayout>

ResultView::ResultView(QWidget* parent)
    : QPlainTextEdit(parent)
    , document_(new ResultDocument(this))
{
    setDocument(document_);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
}

void ResultView::showResult(QString text, ResultDocument::Markers markers)
{
    document_->setResult(std::move(text), markers);
    // A plain text view finds the last line without laying out the ones before it.
    moveCursor(QTextCursor::End);
}

void ResultView::paintEvent(QPaintEvent* event)
{
    colourVisibleBlocks();
    QPlainTextEdit::paintEvent(event);
}

void ResultView::colourVisibleBlocks()
{
    const int generation = document_->colouringGeneration();
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
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
            ranges.append({int(run.start - block.position()), int(run.length), red});
        block.layout()->setFormats(ranges);
        block.setUserState(generation);
        // Hands the change to the layout now, or it would wait for the next edit and take
        // every line between here and there with it.
        document_->markContentsDirty(block.position(), block.length());
    }
}
