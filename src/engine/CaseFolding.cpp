#include "CaseFolding.h"

#include <algorithm>

namespace {

bool IsLoneSurrogate(const QString& text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
    return c.isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate());
}

} // namespace

QString FoldCase(QString text)
{
    // ASCII folds to its lower case; markers and names nearly always are ASCII.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'A' && c <= u'Z'; }))
            for (QChar& c : text)
                if (c >= u'A' && c <= u'Z')
                    c = QChar(c.unicode() + (u'a' - u'A'));
        return text;
    }
    if (text.isValidUtf16())
        return std::move(text).toCaseFolded();
    // The stretches between lone surrogates are whole text: fold each on its own.
    QString folded;
    folded.reserve(text.size());
    qsizetype stretch = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsLoneSurrogate(text, i))
            continue;
        folded += text.sliced(stretch, i - stretch).toCaseFolded();
        folded += text[i];
        stretch = i + 1;
    }
    return folded + text.sliced(stretch).toCaseFolded();
}
