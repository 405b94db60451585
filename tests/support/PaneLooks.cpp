#include "PaneLooks.h"

#include "ResultView.h"

#include <QTextLayout>

QString PaintedText(const QTextDocument& document)
{
    QString painted;
    bool inRed = false;
    auto paint = [&](const QString& text, const QColor& colour) {
        const bool red = colour == QColor(Qt::red);
        if (!red && colour != QColor(Qt::black))
            painted += QLatin1Char('?');
        if (red != inRed)
            painted += red ? QLatin1Char('<') : QLatin1Char('>');
        inRed = red;
        painted += text;
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // A paragraph break shows no colour, so it takes none here.
        if (block != document.begin())
            painted += QLatin1Char('\n');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString text = it.fragment().text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            paint(text, it.fragment().charFormat().foreground().color());
        }
    }
    if (inRed)
        painted += QLatin1Char('>');
    return painted;
}

QString PaintedText(ResultView& view)
{
    view.grab();
    const ResultDocument& document = *view.resultDocument();
    QString painted;
    bool inRed = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            painted += QLatin1Char('\n');
        if (block.userState() != document.colouringGeneration()) {
            painted += QLatin1Char('?');
            continue;
        }
        QList<bool> red(block.length() - 1, false);
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            for (int i = range.start; i < range.start + range.length; ++i)
                red[i] = range.format.foreground().color() == QColor(Qt::red);
        const QString text = block.text();
        for (int i = 0; i < text.size(); ++i) {
            if (red[i] != inRed)
                painted += red[i] ? QLatin1Char('<') : QLatin1Char('>');
            inRed = red[i];
            painted += text[i] == QChar::LineSeparator ? QChar(u'\n') : text[i];
        }
    }
    if (inRed)
        painted += QLatin1Char('>');
    return painted;
}
