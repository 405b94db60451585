#include "PaneLooks.h"

#include "ResultView.h"

#include <QTextLayout>

QString PaintedText(ResultView& view)
{
    view.grab();
    const ResultDocument& document = *view.resultDocument();
    QString painted;
    bool inRed = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            painted += u'\n';
        if (block.userState() != document.colouringGeneration()) {
            painted += u'?';
            continue;
        }
        QList<bool> red(block.length() - 1, false);
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            for (int i = range.start; i < range.start + range.length; ++i)
                red[i] = range.format.foreground().color() == view.markerColour();
        const QString text = block.text();
        for (int i = 0; i < text.size(); ++i) {
            if (red[i] != inRed)
                painted += red[i] ? u'<' : u'>';
            inRed = red[i];
            painted += text[i] == QChar::LineSeparator ? QChar(u'\n') : text[i];
        }
    }
    return inRed ? painted + u'>' : painted;
}
