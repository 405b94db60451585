#include "TextList.h"

#include <stdexcept>

QStringView TextList::at(qsizetype index) const
{
    const qsizetype start = startOf(index);
    return QStringView(characters_).sliced(start, ends_[index] - start);
}

void TextList::append(QStringView text)
{
    if (characters_.size() + text.size() > maxCharacters)
        throw std::length_error("TextList: more characters than a list can hold");
    characters_.append(text);
    ends_.append(static_cast<quint32>(characters_.size()));
}

void TextList::removeAt(qsizetype index)
{
    const qsizetype start = startOf(index);
    const quint32 length = ends_[index] - static_cast<quint32>(start);
    characters_.remove(start, length);
    ends_.removeAt(index);
    for (qsizetype i = index; i < ends_.size(); ++i)
        ends_[i] -= length;
}

void TextList::reserve(qsizetype count, qsizetype characters)
{
    ends_.reserve(count);
    characters_.reserve(characters);
}
