#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// A list of texts kept end to end in one string: a table of a million short values costs a few
// bytes more than their characters, not an allocation each.
class TextList
{
public:
    // A list holds at most this many characters in all.
    static constexpr qsizetype maxCharacters = 0xFFFFFFFF;

    qsizetype size() const { return ends_.size(); }
    QStringView at(qsizetype index) const;
    // The text as a value of its own; an empty text is a null string.
    QString textAt(qsizetype index) const
    {
        const QStringView text = at(index);
        return text.isEmpty() ? QString() : text.toString();
    }

    void append(QStringView text);
    void removeAt(qsizetype index);
    void reserve(qsizetype count, qsizetype characters);

private:
    qsizetype startOf(qsizetype index) const { return index == 0 ? 0 : ends_[index - 1]; }

    QString characters_;
    QList<quint32> ends_;
};
