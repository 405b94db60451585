#include "CaseFolding.h"

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
