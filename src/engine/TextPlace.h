#pragma once

#include <QString>
#include <QStringView>

// A place in a text as a user finds it: 1-based line and column. Lines end at LF,
// CR LF or a lone CR; columns count UTF-16 code units, as the editor's caret does.
struct TextPlace
{
    qsizetype line = 1;
    qsizetype column = 1;
};

// The place of the 0-based `offset` (which may be the text's length: just past the end).
TextPlace PlaceAt(QStringView text, qsizetype offset);

// "line 2, column 5"
QString DescribePlace(TextPlace place);
