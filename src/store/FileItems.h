#pragma once

#include <QStringView>

// Splits the content of a data file into items the way the Windows edition reads them back: an
// item is either a double-quoted string, taken whole (commas and line breaks included) without its
// quotes, or an unquoted run up to the next comma or line end. The comma or line end after an item
// is consumed; anything else after a closing quote starts the next item, so nothing is dropped.
template <typename OnItem>
void forEachFileItem(QStringView content, OnItem&& onItem)
{
    const qsizetype size = content.size();
    const auto skipDelimiter = [&](qsizetype at) {
        if (at >= size)
            return size;
        const char16_t c = content[at].unicode();
        if (c == u',' || c == u'\n')
            return at + 1;
        if (c == u'\r')
            return (at + 1 < size && content[at + 1] == u'\n') ? at + 2 : at + 1;
        return at;
    };

    qsizetype at = 0;
    while (at < size) {
        if (content[at] == u'"') {
            qsizetype close = content.indexOf(u'"', at + 1);
            if (close < 0)
                close = size; // an unterminated string runs to the end of the file
            onItem(content.sliced(at + 1, close - at - 1));
            at = skipDelimiter(close + 1);
        } else {
            qsizetype end = at;
            while (end < size) {
                const char16_t c = content[end].unicode();
                if (c == u',' || c == u'\r' || c == u'\n')
                    break;
                ++end;
            }
            onItem(content.sliced(at, end - at));
            at = skipDelimiter(end);
        }
    }
}
