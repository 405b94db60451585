#include "PaneLooks.h"

#include "ResultView.h"

#include <QTextLayout>

namespace {

// Adds text, with "<" and ">" where red starts and stops; line separators read as line breaks.
void addRun(QString& painted, bool& inRed, const QString& text, bool red)
{
    if (red != inRed)
        painted += red ? u'<' : u'>';
    inRed = red;
    painted += QString(text).replace(QChar::LineSeparator, u'\n');
}

} // namespace

QString PaintedText(const QTextDocument& document)
{
    QString painted;
    bool inRed = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // A paragraph break shows no colour, so it takes none here.
        if (block != document.begin())
            painted += u'\n';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QColor colour = it.fragment().charFormat().foreground().color();
            if (colour != QColor(Qt::red) && colour != QColor(Qt::black))
                painted += u'?';
            addRun(painted, inRed, it.fragment().text(), colour == QColor(Qt::red));
        }
    }
    return inRed ? painted + u'>' : painted;
}

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
                red[i] = range.format.foreground().color() == QColor(Qt::red);
        const QString text = block.text();
        for (int i = 0; i < text.size(); ++i)
            addRun(painted, inRed, text[i], red[i]);
    }
    return inRed ? painted + u'>' : painted;
}
