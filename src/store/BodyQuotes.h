#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// A body file is one double-quoted string, so each double quote of its text is stored as the
// quote token. Where the text around a quote, or the text itself, would read back as a token that
// was never written, two double quotes in a row keep the parts apart: each part reads on its own.
// A text that reads back exactly without them is stored exactly as it always was.
namespace BodyQuotes {

inline const QString quoteToken = QStringLiteral("_$$$_002_$$$_");

struct Stored
{
    QList<QStringView> pieces; // what goes between the file's outer quotes
    QList<QString> copies;     // the pieces that had to change; `pieces` points into them
};

// Only a piece that changes is copied; the others are passed on as they are.
Stored store(const QList<QStringView>& text);

// The body text of a file's content: every item, with a line break after each. A quoted item
// followed at once by another quoted item ("") joins it without one.
QString read(QString content);

} // namespace BodyQuotes
