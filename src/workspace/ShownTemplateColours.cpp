#include "ShownTemplateColours.h"

#include "ShownColours.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

ShownTemplateColours::ShownTemplateColours(QTextEdit& pane)
    : QObject(&pane)
    , pane_(pane)
{
    pane_.installEventFilter(this);
    pane_.viewport()->installEventFilter(this);
}

bool ShownTemplateColours::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pane_.viewport() && event->type() == QEvent::Paint)
        colourVisibleBlocks();
    else if (watched == &pane_ && event->type() == QEvent::PaletteChange)
        pane_.viewport()->update();
    return false;
}

void ShownTemplateColours::colourVisibleBlocks()
{
    QTextDocument* document = pane_.document();
    const QAbstractTextDocumentLayout* layout = document->documentLayout();
    const QPalette& palette = pane_.palette();
    const qreal top = pane_.verticalScrollBar()->value();
    const qreal bottom = top + pane_.viewport()->height();
    for (QTextBlock block = pane_.cursorForPosition(QPoint(0, 0)).block();
         block.isValid() && layout->blockBoundingRect(block).top() <= bottom; block = block.next()) {
        const QList<QTextLayout::FormatRange> shown = ShownColourFormats(block, palette);
        if (shown == block.layout()->formats())
            continue;
        block.layout()->setFormats(shown);
        // Laid out again now, so this very paint shows the colours.
        document->markContentsDirty(block.position(), block.length());
    }
}
