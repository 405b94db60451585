#include "TextPlace.h"

TextPlace PlaceAt(QStringView text, qsizetype offset)
{
    TextPlace place;
    for (qsizetype i = 0; i < offset && i < text.size(); ++i) {
        const bool lineEnds = text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'));
        if (lineEnds) {
            ++place.line;
            place.column = 1;
        } else {
            ++place.column;
        }
    }
    return place;
}

QString DescribePlace(TextPlace place)
{
    return QStringLiteral("line %1, column %2").arg(place.line).arg(place.column);
}
