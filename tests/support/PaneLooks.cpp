#include "PaneLooks.h"

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
