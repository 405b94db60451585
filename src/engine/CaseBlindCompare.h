#pragma once

#include <QString>

// Fast comparisons without letter case for the searches through long results.

// Whether `c` is an ASCII character that has no letter case ("$", "!", digits): no other
// character folds to it.
inline bool IsAsciiWithoutCase(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 && !((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'));
}

// Whether `candidate` equals `find` (as long as it) with letter case ignored. Compared from
// the end, where numbered markers differ, ASCII by ASCII; anything else gets Qt's full case
// folding.
inline bool EqualIgnoringCase(QStringView candidate, QStringView find)
{
    for (qsizetype i = find.size() - 1; i >= 0; --i) {
        const char16_t a = candidate[i].unicode();
        const char16_t b = find[i].unicode();
        if (a == b)
            continue;
        if (a >= 0x80 || b >= 0x80)
            return candidate.compare(find, Qt::CaseInsensitive) == 0;
        if ((a | 0x20) != (b | 0x20) || (a | 0x20) < u'a' || (a | 0x20) > u'z')
            return false;
    }
    return true;
}
